// The painting model: surfaces, the paint cycle (erase, paint, present), immediate drawing, and
// transparent children showing their parent's pixels.
#include "platform/gui/CDC.h"
#include "platform/gui/CRgn.h"
#include "platform/gui/CWnd.h"
#include "platform/gui/SystemMetrics.h"

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
    QImage* eraseSurface = nullptr;

protected:
    BOOL OnEraseBkgnd(CDC* dc) override {
        order.push_back(WM_ERASEBKGND);
        eraseSurface = dc ? dc->Surface() : nullptr;
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
    EXPECT_EQ(wnd.eraseSurface, &wnd.Surface()); // the erase draws on the window's own pixels
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

TEST(PaintingModel, DialogFaceIsErasedInTheButtonFaceColour) {
    CWnd dialog;
    ASSERT_TRUE(
        dialog.CreateEx(0, kWindowClassDialog, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 40}, nullptr, 0));
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Grab(dialog).pixelColor(25, 20), QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
}

// Counts the times Qt puts a widget on screen.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(PaintingModel, PresentingInsideThePaintCycleWaitsForItsEnd) {
    struct Presenter : FilledWnd {
        PaintCounter* counter = nullptr;
        int presentedDuringCycle = -1;
        void OnPaint() override {
            if (!counter) {
                FilledWnd::OnPaint();
                return;
            }
            PAINTSTRUCT paint;
            BeginPaint(&paint);
            int before = counter->paints;
            QPainter(&Surface()).fillRect(Surface().rect(), Qt::yellow);
            PresentNow(); // an immediate draw inside the cycle: nothing half-done reaches the screen
            presentedDuringCycle = counter->paints - before;
            QPainter(&Surface()).fillRect(Surface().rect(), Qt::cyan);
            EndPaint(&paint);
        }
    } wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 20, 20}, nullptr, 0));
    QCoreApplication::processEvents(); // the window system shows it
    PaintCounter counter;
    wnd.counter = &counter;
    wnd.Widget()->installEventFilter(&counter);
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.presentedDuringCycle, 0);
    EXPECT_EQ(counter.paints, 1); // once, at the end of the cycle
    EXPECT_EQ(Grab(wnd).pixelColor(1, 1), QColor(Qt::cyan));
    wnd.Widget()->removeEventFilter(&counter);
}

TEST(PaintingModel, RoundRectRegionCutsTheCorners) {
    FilledWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, kWindowClassPlain, u"", WS_POPUP, RECT{0, 0, 665, 520}, nullptr, 0));
    CRgn region;
    ASSERT_TRUE(region.CreateRoundRectRgn(0, 0, 665, 520, 5, 5));
    wnd.SetWindowRgn(&region, FALSE);
    region.DeleteObject(); // the window keeps its own copy
    QRegion mask = wnd.Widget()->mask();
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(664, 519)));
    EXPECT_TRUE(mask.contains(QPoint(2, 2)));
    EXPECT_TRUE(mask.contains(QPoint(332, 0)));
    EXPECT_TRUE(mask.contains(QPoint(664, 260)));
    EXPECT_FALSE(mask.contains(QPoint(665, 260)));
    wnd.SetWindowRgn(static_cast<const CRgn*>(nullptr), FALSE);
    EXPECT_TRUE(wnd.Widget()->mask().isEmpty());
}

} // namespace
