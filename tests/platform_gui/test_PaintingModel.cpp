// The painting model: surfaces, the paint cycle (erase, paint, present), immediate drawing, and
// transparent children showing their parent's pixels.
#include "platform/gui/CWnd.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

class FilledWnd : public CWnd {
public:
    QColor color = Qt::red;
    QRect rect; // empty: the whole client area
    std::vector<UINT> order;
    BOOL eraseAnswer = TRUE;
    PAINTSTRUCT lastPaint;

protected:
    BOOL OnEraseBkgnd(CDC*) override {
        order.push_back(WM_ERASEBKGND);
        return eraseAnswer;
    }
    void OnPaint() override {
        order.push_back(WM_PAINT);
        BeginPaint(&lastPaint);
        QPainter painter(&Surface());
        painter.fillRect(rect.isEmpty() ? Surface().rect() : rect, color);
        painter.end();
        EndPaint(&lastPaint);
    }
};

QImage Grab(CWnd& wnd) {
    return wnd.Widget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(PaintingModel, ShowingPaintsEraseThenPaintBeforeTheFirstFrame) {
    FilledWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP, RECT{0, 0, 40, 30}, nullptr, 0));
    EXPECT_EQ(wnd.Surface().size(), QSize(40, 30));
    EXPECT_EQ(wnd.Surface().format(), QImage::Format_ARGB32_Premultiplied);
    wnd.ShowWindow(SW_SHOW);
    // The erase comes from inside BeginPaint, before the handler draws.
    ASSERT_EQ(wnd.order, (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(wnd.lastPaint.rcPaint, (RECT{0, 0, 40, 30}));
    EXPECT_EQ(wnd.lastPaint.fErase, FALSE);
    EXPECT_EQ(Grab(wnd).pixelColor(20, 15), QColor(Qt::red));
}

TEST(PaintingModel, InvalidateWaitsForTheQueueAndUpdateWindowPaintsAtOnce) {
    FilledWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 30}, nullptr, 0));
    wnd.order.clear();
    RECT part{0, 0, 10, 10};
    wnd.InvalidateRect(&part, FALSE);
    EXPECT_TRUE(wnd.order.empty());
    RECT update;
    EXPECT_TRUE(wnd.GetUpdateRect(&update));
    EXPECT_EQ(update, part);
    wnd.eraseAnswer = FALSE;
    wnd.Invalidate(TRUE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.order, (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(wnd.lastPaint.fErase, TRUE); // the erase handler said it did not erase
    EXPECT_FALSE(wnd.GetUpdateRect(nullptr));
    QCoreApplication::processEvents(); // the posted paint finds nothing left to paint
    EXPECT_EQ(wnd.order.size(), 2u);
}

TEST(PaintingModel, ImmediateDrawingShowsAtOnce) {
    FilledWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 40, 30}, nullptr, 0));
    {
        QPainter painter(&wnd.Surface());
        painter.fillRect(QRect(0, 0, 10, 10), Qt::green);
    }
    wnd.PresentNow();
    QImage pixels = Grab(wnd);
    EXPECT_EQ(pixels.pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(pixels.pixelColor(20, 20), QColor(Qt::red));
}

TEST(PaintingModel, TransparentChildShowsItsParentsPixels) {
    FilledWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kWindowClassPlain, u"", WS_POPUP, RECT{0, 0, 100, 60}, nullptr, 0));
    FilledWnd child; // paints only a blue square in its middle
    child.color = Qt::blue;
    child.rect = QRect(10, 5, 10, 10);
    ASSERT_TRUE(
        child.CreateEx(0, kWindowClassPlain, u"", WS_CHILD | WS_VISIBLE, RECT{20, 20, 60, 45}, &parent, 5));
    parent.ShowWindow(SW_SHOW);
    QImage pixels = Grab(parent);
    EXPECT_EQ(pixels.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(pixels.pixelColor(22, 22), QColor(Qt::red)); // inside the child, where it drew nothing
    EXPECT_EQ(pixels.pixelColor(35, 30), QColor(Qt::blue));

    // Repainting the parent under the child makes the child paint again over it.
    child.order.clear();
    parent.Invalidate(TRUE);
    parent.UpdateWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(child.order, (std::vector<UINT>{WM_PAINT, WM_ERASEBKGND}));
    EXPECT_EQ(Grab(parent).pixelColor(35, 30), QColor(Qt::blue));
}

TEST(PaintingModel, ChildDrawingRemovedShowsTheParentAgain) {
    FilledWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, kWindowClassPlain, u"", WS_POPUP, RECT{0, 0, 100, 60}, nullptr, 0));
    FilledWnd child;
    child.color = Qt::blue;
    child.rect = QRect(0, 0, 40, 25);
    ASSERT_TRUE(
        child.CreateEx(0, kWindowClassPlain, u"", WS_CHILD | WS_VISIBLE, RECT{20, 20, 60, 45}, &parent, 5));
    parent.ShowWindow(SW_SHOW);
    EXPECT_EQ(Grab(parent).pixelColor(30, 30), QColor(Qt::blue));
    // A paint that draws less than before leaves the rest of the area transparent, as when the
    // parent has painted over it.
    child.rect = QRect(0, 0, 5, 5);
    child.Invalidate(FALSE);
    child.UpdateWindow();
    QImage pixels = Grab(parent);
    EXPECT_EQ(pixels.pixelColor(30, 30), QColor(Qt::red));
    EXPECT_EQ(pixels.pixelColor(21, 21), QColor(Qt::blue));
}

} // namespace
