// The image button driven through the desktop's own pointer input (button state included), the
// way a user drives it.
#include "ControlsTestSupport.h"

#include <gtest/gtest.h>

#ifdef QUELLMARK_HAVE_QTTEST
#include <QCursor>
#include <QTest>
#include <QWindow>

namespace {

using namespace controls_test;

constexpr UINT kButtonId = 1000;
constexpr RECT kButtonRect{30, 20, 60, 40};

class InputButton : public CLumButton {
public:
    bool Attach(CWnd& parent) {
        if (!Create(u"", WS_CHILD | WS_VISIBLE, kButtonRect, &parent, kButtonId)) {
            return false;
        }
        PreSubclassWindow();
        return true;
    }
};

class LumButtonInput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create(120, 60));
        ASSERT_TRUE(button.Attach(parent));
        parent.buttons.push_back(&button);
        ASSERT_TRUE(button.SetStateImages(normal.get(), hover.get(), pressed.get(), normal.get()));
        QCoreApplication::processEvents();
        window = parent.Widget()->windowHandle();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        QCursor::setPos(500, 500);
        QTest::qWait(20);
        button.DestroyWindow();
        parent.DestroyWindow();
    }

    // Points in the parent's client area, which starts at the screen's origin here.
    void PointerTo(QPoint p) {
        QPoint screen = window->mapToGlobal(p);
        QCursor::setPos(screen);
        QTest::qWait(30); // a few hover polls
    }
    int Clicks() const {
        int n = 0;
        for (const auto& r : parent.received) {
            n += (r.message == WM_COMMAND && r.wParam == MAKEWPARAM(kButtonId, BN_CLICKED)) ? 1 : 0;
        }
        return n;
    }
    int ControlMoves() const {
        int n = 0;
        for (const auto& r : parent.received) {
            n += (r.message == WM_MOUSEMOVE && r.wParam == MK_CONTROL) ? 1 : 0;
        }
        return n;
    }
    COLORREF Face() { return PixelAt(Grab(parent), kButtonRect.left + 15, kButtonRect.top + 10); }

    SkinnedParent parent;
    InputButton button;
    QWindow* window = nullptr;
    std::unique_ptr<Image> normal = SolidImage(20, 12, RGB(200, 0, 0));
    std::unique_ptr<Image> hover = SolidImage(20, 12, RGB(0, 200, 0));
    std::unique_ptr<Image> pressed = SolidImage(20, 12, RGB(0, 0, 200));
};

TEST_F(LumButtonInput, ClickOverTheButtonThenLeave) {
    const QPoint inside(40, 28);
    PointerTo(inside);
    EXPECT_EQ(Face(), RGB(0, 200, 0));
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(Face(), RGB(0, 0, 200));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::qWait(20);
    EXPECT_EQ(Clicks(), 1);
    EXPECT_EQ(Face(), RGB(0, 200, 0));
    PointerTo({100, 50});
    EXPECT_EQ(Face(), RGB(200, 0, 0));
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(LumButtonInput, PressDragOutAndBackInGivesNoClick) {
    const QPoint inside(40, 28);
    PointerTo(inside);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inside);
    PointerTo({100, 50}); // held: the poll resets the state, the pressed image stays up
    EXPECT_EQ(Face(), RGB(0, 0, 200));
    EXPECT_EQ(button.GetButtonState(), Normal);
    PointerTo(inside); // held moves are ignored: no hover, no re-armed click
    EXPECT_FALSE(button.IsHovering());
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::qWait(20);
    EXPECT_EQ(Clicks(), 0);
    EXPECT_EQ(ControlMoves(), 1);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(LumButtonInput, PressDragOutReleaseOutsideGivesNoClick) {
    const QPoint inside(40, 28);
    PointerTo(inside);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inside);
    PointerTo({100, 50});
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
    QTest::qWait(20);
    EXPECT_EQ(Clicks(), 0);
    ASSERT_EQ(ControlMoves(), 1);
    EXPECT_EQ(Face(), RGB(200, 0, 0));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

} // namespace
#endif
