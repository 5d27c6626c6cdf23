// Drawing contexts on windows: the paint cycle's context and immediate drawing on the client area.

#include "DcTestSupport.h"
#include "platform/gui/CClientDC.h"
#include "platform/gui/CPaintDC.h"
#include "platform/gui/CWnd.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

using dctest::Opaque;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 128, 0);

// Composes its face off screen and copies it in one block, the way the skinned windows paint.
class ComposingWnd : public CWnd {
public:
    int paints = 0;
    RECT lastPaintRect;
    bool attachedToCycle = false;

protected:
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnPaint() override {
        ++paints;
        CPaintDC dc(this);
        lastPaintRect = dc.m_ps.rcPaint;
        attachedToCycle = dc.Surface() == &Surface();
        RECT client;
        GetClientRect(&client);
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, client.right, client.bottom);
        CBitmap* previous = memory.SelectObject(&bitmap);
        memory.FillSolidRect(client, kBlue);
        memory.FillSolidRect(0, 0, 5, 5, kRed);
        dc.BitBlt(0, 0, client.right, client.bottom, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(previous);
    }
};

QImage Grab(CWnd& wnd) {
    return wnd.Widget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(DcWindow, PaintContextDrawsOnTheSurfaceOfThePaintCycle) {
    ComposingWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 30}, nullptr, 0));
    wnd.UpdateWindow();
    ASSERT_GE(wnd.paints, 1);
    EXPECT_TRUE(wnd.attachedToCycle);
    EXPECT_EQ(wnd.lastPaintRect, (RECT{0, 0, 40, 30}));
    EXPECT_FALSE(wnd.InPaintCycle()) << "the context closed the cycle when it went";
    const QImage shown = Grab(wnd);
    EXPECT_EQ(shown.pixel(2, 2), Opaque(kRed));
    EXPECT_EQ(shown.pixel(39, 29), Opaque(kBlue));
}

TEST(DcWindow, ClientContextShowsItsDrawingWhenReleased) {
    ComposingWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 30}, nullptr, 0));
    wnd.UpdateWindow();
    const int paints = wnd.paints;
    {
        CClientDC dc(&wnd);
        EXPECT_FALSE(wnd.InPaintCycle());
        dc.FillSolidRect(10, 10, 4, 4, kGreen);
    }
    EXPECT_EQ(wnd.paints, paints) << "immediate drawing runs no paint cycle";
    EXPECT_EQ(wnd.Surface().pixelColor(11, 11).rgba(), Opaque(kGreen));
    EXPECT_EQ(Grab(wnd).pixel(11, 11), Opaque(kGreen));
}

TEST(DcWindow, ContextsOfAWindowlessObjectDrawNowhere) {
    CWnd nothing;
    CClientDC client(&nothing);
    client.FillSolidRect(0, 0, 10, 10, kRed);
    CClientDC none(nullptr);
    none.FillSolidRect(0, 0, 10, 10, kRed);
    EXPECT_EQ(none.Surface(), nullptr);
}

} // namespace
