// The platform controls: push button click rules and owner-draw requests, the scroll bar's
// ranges and notifications, the static's font and pointer pass-through.
#include "platform/gui/CButton.h"
#include "platform/gui/CScrollBar.h"
#include "platform/gui/CStatic.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

struct Notification {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// A parent that records what its controls tell it.
class ParentWnd : public CWnd {
public:
    std::vector<Notification> received;
    std::vector<int> drawRequests;
    int setScrollPosOnNotify = -1;

    ParentWnd() {
        CreateEx(0, kWindowClassPlain, u"", WS_POPUP | WS_VISIBLE, RECT{0, 0, 300, 200}, nullptr, 0);
    }
    int Clicks(UINT id) const {
        int count = 0;
        for (const Notification& n : received) {
            count += n.message == WM_COMMAND && n.wParam == MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED);
        }
        return count;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        received.push_back({WM_COMMAND, wParam, lParam});
        return TRUE;
    }
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override {
        received.push_back({WM_VSCROLL, MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                            reinterpret_cast<LPARAM>(bar)});
        if (bar && setScrollPosOnNotify >= 0) {
            bar->SetScrollPos(setScrollPosOnNotify);
        }
    }
    void OnDrawItem(int id, DRAWITEMSTRUCT* drawItem) override {
        drawRequests.push_back(id);
        CWnd::OnDrawItem(id, drawItem); // hands it back to the control
    }
};

class OwnerDrawnButton : public CButton {
public:
    std::vector<UINT> states;

    void DrawItem(DRAWITEMSTRUCT* drawItem) override {
        EXPECT_EQ(drawItem->CtlType, ODT_BUTTON);
        EXPECT_EQ(drawItem->hwndItem, m_hWnd);
        states.push_back(drawItem->itemState);
    }
};

LPARAM At(int x, int y) {
    return MAKEPOINTLPARAM(x, y);
}

TEST(Button, ClickOnlyWhenReleasedInsideAnEnabledButton) {
    struct Step {
        UINT message;
        int x;
        int y;
    };
    struct Case {
        const char* name;
        bool enabled;
        std::vector<Step> steps;
        int clicks;
    };
    const Case cases[] = {
        {"press and release inside", true, {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 6, 6}}, 1},
        {"release outside", true, {{WM_LBUTTONDOWN, 5, 5}, {WM_MOUSEMOVE, 80, 5}, {WM_LBUTTONUP, 80, 5}}, 0},
        {"out and back in",
         true,
         {{WM_LBUTTONDOWN, 5, 5}, {WM_MOUSEMOVE, 80, 5}, {WM_MOUSEMOVE, 5, 5}, {WM_LBUTTONUP, 5, 5}},
         1},
        {"release without a press", true, {{WM_LBUTTONUP, 5, 5}}, 0},
        {"disabled", false, {{WM_LBUTTONDOWN, 5, 5}, {WM_LBUTTONUP, 5, 5}}, 0},
    };
    for (const Case& c : cases) {
        ParentWnd parent;
        CButton button;
        ASSERT_TRUE(
            button.Create(u"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{10, 10, 50, 30}, &parent, 1012));
        button.EnableWindow(c.enabled);
        for (const Step& step : c.steps) {
            button.SendMessage(step.message, step.message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                               At(step.x, step.y));
        }
        EXPECT_EQ(parent.Clicks(1012), c.clicks) << c.name;
        EXPECT_EQ(CWnd::GetCapture(), nullptr) << c.name;
        if (c.clicks == 1) {
            EXPECT_EQ(parent.received.back().lParam, reinterpret_cast<LPARAM>(button.m_hWnd));
        }
    }
}

TEST(Button, PressTakesCaptureAndQtInputClicks) {
    ParentWnd parent;
    CButton button;
    ASSERT_TRUE(button.Create(u"OK", WS_CHILD | WS_VISIBLE, RECT{10, 10, 50, 30}, &parent, 1000));
    QWidget* widget = button.Widget();
    QPointF at(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    EXPECT_EQ(CWnd::GetCapture(), &button);
    EXPECT_EQ(CWnd::GetFocus(), &button);
    EXPECT_TRUE(button.GetState() & BST_PUSHED);
    QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    EXPECT_EQ(parent.Clicks(1000), 1);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(button.GetState() & BST_PUSHED);
}

TEST(Button, LosingTheCaptureEndsThePressWithoutAClick) {
    ParentWnd parent;
    CButton button;
    ASSERT_TRUE(button.Create(u"OK", WS_CHILD | WS_VISIBLE, RECT{10, 10, 50, 30}, &parent, 1000));
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    ReleaseCapture();
    button.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(parent.Clicks(1000), 0);
}

TEST(Button, OwnerDrawnButtonDrawsThroughItsParentWithTheDisabledState) {
    ParentWnd parent;
    OwnerDrawnButton button;
    ASSERT_TRUE(
        button.Create(u"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{10, 10, 50, 30}, &parent, 1001));
    button.SetButtonStyle(BS_OWNERDRAW); // what an image button does when it is attached
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_EQ(button.GetStyle() & WS_CHILD, WS_CHILD);
    button.UpdateWindow();
    ASSERT_FALSE(button.states.empty());
    EXPECT_EQ(button.states.back() & ODS_DISABLED, 0u);
    EXPECT_EQ(parent.drawRequests.back(), 1001);

    button.EnableWindow(FALSE);
    button.UpdateWindow();
    EXPECT_EQ(button.states.back() & ODS_DISABLED, ODS_DISABLED);

    button.EnableWindow(TRUE);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(button.states.back() & (ODS_SELECTED | ODS_DISABLED), ODS_SELECTED);
    button.SendMessage(WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(parent.Clicks(1001), 1);
}

TEST(ScrollBar, RangePagePositionAndDisabling) {
    struct Case {
        int max;
        UINT page;
        int pos;
        UINT mask;
        int expectedPos;
        UINT expectedPage;
        bool arrowsEnabled;
    };
    const UINT all = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    const Case cases[] = {
        {0, 10, 0, all, 0, 1, false},                           // no device: nothing to scroll
        {5, 10, 0, all, 0, 6, false},                           // the page is cut to the range and covers it
        {10, 10, 0, all, 0, 10, true},                          // ten devices: one step
        {15, 10, 3, all, 3, 10, true},                          // positions 0 to 6
        {15, 10, 20, all, 6, 10, true},                         // clamped to max - page + 1
        {15, 10, -4, all, 0, 10, true},                         // and to min
        {15, 0, 15, all, 15, 0, true},                          // without a page the maximum itself
        {5, 10, 0, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 6, true}, // without SIF_DISABLENOSCROLL
    };
    for (const Case& c : cases) {
        ParentWnd parent;
        CScrollBar bar;
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{270, 10, 290, 190}, &parent, 1018));
        SCROLLINFO info;
        info.fMask = c.mask;
        info.nMin = 0;
        info.nMax = c.max;
        info.nPage = c.page;
        info.nPos = c.pos;
        EXPECT_EQ(bar.SetScrollInfo(&info, TRUE), c.expectedPos);
        SCROLLINFO read;
        EXPECT_TRUE(bar.GetScrollInfo(&read, SIF_RANGE | SIF_PAGE | SIF_POS));
        EXPECT_EQ(read.nMax, c.max);
        EXPECT_EQ(read.nPage, c.expectedPage);
        EXPECT_EQ(read.nPos, c.expectedPos);
        EXPECT_EQ(bar.GetScrollPos(), c.expectedPos);
        EXPECT_EQ(bar.AreArrowsEnabled() != FALSE, c.arrowsEnabled) << "max " << c.max << " page " << c.page;
        EXPECT_TRUE(bar.IsWindowEnabled()); // the window itself stays enabled
    }
}

TEST(ScrollBar, SetScrollPosClampsAndReturnsThePrevious) {
    ParentWnd parent;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{270, 10, 290, 190}, &parent, 1018));
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = 15;
    info.nPage = 10;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(bar.SetScrollPos(4), 0);
    EXPECT_EQ(bar.SetScrollPos(9), 4);
    EXPECT_EQ(bar.GetScrollPos(), 6);
    // A smaller range moves the position back into it.
    info.fMask = SIF_RANGE;
    info.nMax = 12;
    EXPECT_EQ(bar.SetScrollInfo(&info), 3);
}

TEST(ScrollBar, UserActionsReachTheParentAndTheBarDoesNotMoveItself) {
    ParentWnd parent;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{270, 10, 290, 190}, &parent, 1018));
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMax = 15;
    info.nPage = 10;
    info.nPos = 2;
    bar.SetScrollInfo(&info);
    auto* qbar = bar.Widget()->findChild<QScrollBar*>();
    ASSERT_NE(qbar, nullptr);

    struct Case {
        QAbstractSlider::SliderAction action;
        UINT code;
    };
    const Case cases[] = {
        {QAbstractSlider::SliderSingleStepSub, SB_LINEUP},
        {QAbstractSlider::SliderSingleStepAdd, SB_LINEDOWN},
        {QAbstractSlider::SliderPageStepSub, SB_PAGEUP},
        {QAbstractSlider::SliderPageStepAdd, SB_PAGEDOWN},
    };
    for (const Case& c : cases) {
        parent.received.clear();
        qbar->triggerAction(c.action);
        ASSERT_EQ(parent.received.size(), 1u);
        EXPECT_EQ(parent.received[0].message, WM_VSCROLL);
        EXPECT_EQ(LOWORD(parent.received[0].wParam), c.code);
        EXPECT_EQ(parent.received[0].lParam, reinterpret_cast<LPARAM>(&bar));
        EXPECT_EQ(bar.GetScrollPos(), 2);
        EXPECT_EQ(qbar->value(), 2);
    }

    // Dragging the thumb: track positions while it moves, the final position when released.
    parent.received.clear();
    parent.setScrollPosOnNotify = 5;
    qbar->setSliderDown(true);
    qbar->setSliderPosition(5);
    qbar->setSliderDown(false);
    ASSERT_GE(parent.received.size(), 2u);
    EXPECT_EQ(parent.received[0].wParam, MAKEWPARAM(SB_THUMBTRACK, 5));
    EXPECT_EQ(parent.received[1].wParam, MAKEWPARAM(SB_THUMBPOSITION, 5));
    EXPECT_EQ(bar.GetScrollPos(), 5);
    EXPECT_EQ(qbar->value(), 5);
}

TEST(Static, FontMessagesAndPointerPassThrough) {
    ParentWnd parent;
    CStatic label;
    ASSERT_TRUE(
        label.Create(u"Description", WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{20, 20, 170, 44}, &parent, 1013));
    EXPECT_EQ(label.GetFont(), nullptr); // none: it paints in the system font
    HFONT font = reinterpret_cast<HFONT>(0x1234);
    label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(label.GetFont(), font);
    label.SendMessage(WM_SETFONT, 0, FALSE);

    // Without SS_NOTIFY the pointer falls through to the parent; with it the label gets it.
    EXPECT_EQ(parent.Widget()->childAt(30, 30), nullptr);
    label.ModifyStyle(0, SS_NOTIFY);
    EXPECT_EQ(parent.Widget()->childAt(30, 30), label.Widget());

    // Its default paint puts its text on a transparent surface.
    label.UpdateWindow();
    const QImage& pixels = label.Surface();
    int inked = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            inked += qAlpha(pixels.pixel(x, y)) != 0;
        }
    }
    EXPECT_GT(inked, 20);
    EXPECT_EQ(qAlpha(pixels.pixel(pixels.width() - 1, pixels.height() - 1)), 0);
}

} // namespace
