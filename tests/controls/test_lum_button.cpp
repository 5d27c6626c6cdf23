// The image button on the offscreen desktop: its state machine, its face and its clicks.
#include "ControlsTestSupport.h"
#include "platform/gui/Cursor.h"

#include <QEventLoop>
#include <chrono>
#include <gtest/gtest.h>

namespace {

using namespace controls_test;

constexpr COLORREF kNormal = RGB(200, 0, 0);
constexpr COLORREF kHover = RGB(0, 200, 0);
constexpr COLORREF kPressed = RGB(0, 0, 200);
constexpr COLORREF kDisabled = RGB(120, 120, 120);
constexpr UINT kButtonId = 1012;
constexpr RECT kButtonRect{30, 20, 60, 40}; // 30 x 20, in the parent's client area

// A button attached the way a dialog attaches its members: created as a plain push button, then
// PreSubclassWindow switches it to owner-drawn.
class TestButton : public CLumButton {
public:
    bool Attach(CWnd& parent, const RECT& rect,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON) {
        if (!Create(u"", style, rect, &parent, kButtonId)) {
            return false;
        }
        PreSubclassWindow();
        return true;
    }
};

struct Images {
    std::unique_ptr<Image> normal = SolidImage(20, 12, kNormal);
    std::unique_ptr<Image> hover = SolidImage(20, 12, kHover);
    std::unique_ptr<Image> pressed = SolidImage(20, 12, kPressed);
    std::unique_ptr<Image> disabled = SolidImage(20, 12, kDisabled);
};

class LumButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.Create(120, 60));
        ASSERT_TRUE(button.Attach(parent, kButtonRect));
        parent.buttons.push_back(&button);
    }
    void TearDown() override {
        button.DestroyWindow();
        parent.DestroyWindow();
    }

    void GiveImages() {
        ASSERT_TRUE(button.SetStateImages(images.normal.get(), images.hover.get(), images.pressed.get(),
                                          images.disabled.get()));
        parent.Invalidate();
        parent.UpdateWindow();
        button.Invalidate();
        button.UpdateWindow();
    }

    // Screen position of a point in the button's client area.
    POINT OnScreen(POINT p) {
        button.ClientToScreen(&p);
        return p;
    }
    void PointerAt(POINT client) {
        const POINT screen = OnScreen(client);
        SetCursorPos(screen.x, screen.y);
    }
    void Send(UINT message, WPARAM flags, POINT at) {
        button.SendMessage(message, flags, MAKEPOINTLPARAM(at.x, at.y));
    }
    void Tick() { button.SendMessage(WM_TIMER, CLumButton::kHoverTimer); }

    // The parent's pixel at a point of the button's client area, as the desktop shows it.
    COLORREF FaceAt(POINT client) {
        const QImage shot = Grab(parent);
        return PixelAt(shot, kButtonRect.left + client.x, kButtonRect.top + client.y);
    }
    // The state image on show, identified by its colour at the button's centre.
    COLORREF Face() { return FaceAt({15, 10}); }

    int Clicks() const {
        int n = 0;
        for (const auto& r : parent.received) {
            if (r.message == WM_COMMAND && LOWORD(r.wParam) == kButtonId && HIWORD(r.wParam) == BN_CLICKED) {
                ++n;
            }
        }
        return n;
    }
    std::vector<Received> ControlMoves() const {
        std::vector<Received> moves;
        for (const auto& r : parent.received) {
            if (r.message == WM_MOUSEMOVE && r.wParam == MK_CONTROL) {
                moves.push_back(r);
            }
        }
        return moves;
    }

    PointerEventShield shield;
    SkinnedParent parent;
    TestButton button;
    Images images;
};

TEST_F(LumButtonTest, AttachingSwitchesToOwnerDrawnAndKeepsTheWindowStyle) {
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_TRUE(button.GetStyle() & WS_VISIBLE);
    EXPECT_TRUE(button.GetStyle() & WS_CHILD);
    EXPECT_TRUE(button.GetStyle() & WS_TABSTOP);
}

TEST_F(LumButtonTest, StateImagesNeedAllFour) {
    EXPECT_FALSE(
        button.SetStateImages(images.normal.get(), nullptr, images.pressed.get(), images.disabled.get()));
    // Nothing was taken: the button still draws nothing, the skin shows through.
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ(Face(), SkinColour(kButtonRect.left + 15, kButtonRect.top + 10));
    GiveImages();
    EXPECT_EQ(Face(), kNormal);
    EXPECT_FALSE(
        button.SetStateImages(nullptr, images.normal.get(), images.normal.get(), images.normal.get()));
    EXPECT_EQ(Face(), kNormal);
}

TEST_F(LumButtonTest, WithoutImagesDrawsNothingAndStillClicks) {
    PointerAt({5, 5});
    Send(WM_MOUSEMOVE, 0, {5, 5});
    Send(WM_LBUTTONDOWN, MK_LBUTTON, {5, 5});
    for (POINT p : {POINT{0, 0}, POINT{15, 10}, POINT{29, 19}}) {
        EXPECT_EQ(FaceAt(p), SkinColour(kButtonRect.left + p.x, kButtonRect.top + p.y));
    }
    Send(WM_LBUTTONUP, 0, {5, 5});
    EXPECT_EQ(Clicks(), 1);
}

// One step of a pointer story.
enum class Step { PointerIn, PointerOut, Move, MoveHeld, Down, UpIn, UpOut, Tick, Disable, Enable };

struct StoryCase {
    const char* name;
    std::vector<Step> steps;
    int clicks;
    int controlMoves; // WM_MOUSEMOVE with MK_CONTROL that the parent got
    COLORREF face;
    int state;
    bool hovering;
    bool captured = false; // the platform button still holds the pointer (the left button is down)
};

class ButtonStory : public LumButtonTest, public ::testing::WithParamInterface<StoryCase> {};

TEST_P(ButtonStory, EndsWithTheRightFaceAndClicks) {
    GiveImages();
    const POINT inside{10, 8};
    const POINT outside{45, 30}; // beyond the button's right and bottom edges
    for (Step step : GetParam().steps) {
        switch (step) {
        case Step::PointerIn:
            PointerAt(inside);
            break;
        case Step::PointerOut:
            PointerAt(outside);
            break;
        case Step::Move:
            Send(WM_MOUSEMOVE, 0, inside);
            break;
        case Step::MoveHeld:
            Send(WM_MOUSEMOVE, MK_LBUTTON, inside);
            Send(WM_MOUSEMOVE, MK_LBUTTON, outside);
            break;
        case Step::Down:
            Send(WM_LBUTTONDOWN, MK_LBUTTON, inside);
            break;
        case Step::UpIn:
            Send(WM_LBUTTONUP, 0, inside);
            break;
        case Step::UpOut:
            Send(WM_LBUTTONUP, 0, outside);
            break;
        case Step::Tick:
            Tick();
            break;
        case Step::Disable:
            button.EnableWindow(FALSE);
            button.UpdateWindow();
            break;
        case Step::Enable:
            button.EnableWindow(TRUE);
            button.UpdateWindow();
            break;
        }
    }
    const auto& expected = GetParam();
    EXPECT_EQ(Clicks(), expected.clicks);
    EXPECT_EQ(static_cast<int>(ControlMoves().size()), expected.controlMoves);
    EXPECT_EQ(Face(), expected.face);
    EXPECT_EQ(button.GetButtonState(), expected.state);
    EXPECT_EQ(button.IsHovering(), expected.hovering);
    EXPECT_EQ(button.IsTimerRunning(CLumButton::kHoverTimer), expected.hovering);
    EXPECT_EQ(CWnd::GetCapture() == &button, expected.captured);
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Stories, ButtonStory,
    ::testing::Values(
        StoryCase{"HoverShowsHoverImage", {S::PointerIn, S::Move}, 0, 0, kHover, Hover, true},
        StoryCase{"TickInsideKeepsHover", {S::PointerIn, S::Move, S::Tick}, 0, 0, kHover, Hover, true},
        StoryCase{"LeavingReturnsToNormal",
                  {S::PointerIn, S::Move, S::PointerOut, S::Tick},
                  0,
                  0,
                  kNormal,
                  Normal,
                  false},
        StoryCase{"PressedShowsPressedImage",
                  {S::PointerIn, S::Move, S::Down},
                  0,
                  0,
                  kPressed,
                  Pressed,
                  true,
                  true},
        StoryCase{"ClickShowsHoverUntilLeaving",
                  {S::PointerIn, S::Move, S::Down, S::UpIn},
                  1,
                  0,
                  kHover,
                  Released,
                  true},
        StoryCase{"ClickThenLeave",
                  {S::PointerIn, S::Move, S::Down, S::UpIn, S::PointerOut, S::Tick},
                  1,
                  0,
                  kNormal,
                  Normal,
                  false},
        // Leaving while held resets the state; the pressed image stays up until the release.
        StoryCase{"PressDragOutKeepsPressedImage",
                  {S::PointerIn, S::Move, S::Down, S::PointerOut, S::MoveHeld, S::Tick},
                  0,
                  0,
                  kPressed,
                  Normal,
                  false,
                  true},
        StoryCase{"PressDragOutRelease",
                  {S::PointerIn, S::Move, S::Down, S::PointerOut, S::MoveHeld, S::Tick, S::UpOut},
                  0,
                  1,
                  kNormal,
                  Released,
                  false},
        StoryCase{
            "PressOutInRelease",
            {S::PointerIn, S::Move, S::Down, S::PointerOut, S::Tick, S::PointerIn, S::MoveHeld, S::UpIn},
            0,
            1,
            kNormal,
            Released,
            false},
        StoryCase{"DisabledNeverHovers", {S::Disable, S::PointerIn, S::Move}, 0, 0, kDisabled, Normal, false},
        StoryCase{"DisabledStaysDisabledWhenPressed",
                  {S::Disable, S::PointerIn, S::Move, S::Down, S::UpIn},
                  0,
                  0,
                  kDisabled,
                  Released,
                  false},
        // Disabled right after a click: the hover timer keeps running, and once enabled again the
        // face shows the state it had until a tick finds the pointer gone.
        StoryCase{"DisabledAfterClick",
                  {S::PointerIn, S::Move, S::Down, S::UpIn, S::Disable, S::PointerOut, S::Tick},
                  1,
                  0,
                  kDisabled,
                  Released,
                  true},
        StoryCase{"EnabledAgainShowsHover",
                  {S::PointerIn, S::Move, S::Down, S::UpIn, S::Disable, S::PointerOut, S::Tick, S::Enable},
                  1,
                  0,
                  kHover,
                  Released,
                  true},
        StoryCase{
            "EnabledAgainThenTick",
            {S::PointerIn, S::Move, S::Down, S::UpIn, S::Disable, S::PointerOut, S::Tick, S::Enable, S::Tick},
            1,
            0,
            kNormal,
            Normal,
            false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LumButtonTest, HoverTimerFindsThePointerGoneWithinAFewTicks) {
    GiveImages();
    PointerAt({10, 8});
    Send(WM_MOUSEMOVE, 0, {10, 8});
    ASSERT_TRUE(button.IsTimerRunning(CLumButton::kHoverTimer));
    PointerAt({45, 30});
    const auto start = std::chrono::steady_clock::now();
    while (button.IsHovering() && std::chrono::steady_clock::now() - start < std::chrono::seconds(2)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_FALSE(button.IsHovering());
    EXPECT_LT(waited, std::chrono::milliseconds(500)); // a 10 ms poll, not a slow one
    EXPECT_FALSE(button.IsTimerRunning(CLumButton::kHoverTimer));
    EXPECT_EQ(Face(), kNormal);
}

TEST_F(LumButtonTest, ReleaseOutsideTellsTheParentWhereWithControlFlag) {
    GiveImages();
    PointerAt({10, 8});
    Send(WM_MOUSEMOVE, 0, {10, 8});
    Send(WM_LBUTTONDOWN, MK_LBUTTON, {10, 8});
    PointerAt({-7, 30});
    Tick();
    Send(WM_LBUTTONUP, 0, {-7, 30});
    const auto moves = ControlMoves();
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lParam, MAKEPOINTLPARAM(-7, 30));
    EXPECT_EQ(Clicks(), 0);
}

TEST_F(LumButtonTest, PressedImageSitsOnePixelRightAndDown) {
    GiveImages();
    // 20 x 12 centred in 30 x 20: columns 5..24, rows 4..15.
    const POINT topLeft{5, 4};
    const POINT belowRight{25, 16};
    EXPECT_EQ(FaceAt(topLeft), kNormal);
    EXPECT_EQ(FaceAt(belowRight), SkinColour(kButtonRect.left + 25, kButtonRect.top + 16));
    PointerAt({10, 8});
    Send(WM_MOUSEMOVE, 0, {10, 8});
    Send(WM_LBUTTONDOWN, MK_LBUTTON, {10, 8});
    EXPECT_EQ(FaceAt(topLeft), SkinColour(kButtonRect.left + 5, kButtonRect.top + 4));
    EXPECT_EQ(FaceAt({6, 5}), kPressed);
    EXPECT_EQ(FaceAt(belowRight), kPressed);
    EXPECT_EQ(FaceAt({26, 17}), SkinColour(kButtonRect.left + 26, kButtonRect.top + 17));
}

TEST_F(LumButtonTest, LargerImageIsClippedByTheButton) {
    auto big = SolidImage(40, 30, kNormal);
    ASSERT_TRUE(button.SetStateImages(big.get(), big.get(), big.get(), big.get()));
    parent.Invalidate();
    parent.UpdateWindow();
    button.Invalidate();
    button.UpdateWindow();
    const QImage shot = Grab(parent);
    for (POINT p : {POINT{0, 0}, POINT{29, 0}, POINT{0, 19}, POINT{29, 19}}) {
        EXPECT_EQ(PixelAt(shot, kButtonRect.left + p.x, kButtonRect.top + p.y), kNormal);
    }
    // Nothing spills over the parent around the button.
    for (POINT p :
         {POINT{kButtonRect.left - 1, kButtonRect.top}, POINT{kButtonRect.right, kButtonRect.top},
          POINT{kButtonRect.left, kButtonRect.top - 1}, POINT{kButtonRect.left, kButtonRect.bottom}}) {
        EXPECT_EQ(PixelAt(shot, p.x, p.y), SkinColour(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST_F(LumButtonTest, TranslucentImageBlendsOverTheParentCopy) {
    auto glass = SolidImage(30, 20, RGB(0, 0, 255), 128);
    ASSERT_TRUE(button.SetStateImages(glass.get(), glass.get(), glass.get(), glass.get()));
    parent.Invalidate();
    parent.UpdateWindow();
    button.Invalidate();
    button.UpdateWindow();
    // The button's own surface holds the composed face: opaque, the skin under the glass.
    const QImage& surface = button.Surface();
    for (POINT p : {POINT{0, 0}, POINT{12, 7}, POINT{29, 19}}) {
        const QRgb pixel = surface.pixel(p.x, p.y);
        EXPECT_EQ(qAlpha(pixel), 255);
        const COLORREF skin = SkinColour(kButtonRect.left + p.x, kButtonRect.top + p.y);
        const COLORREF expected = RGB(static_cast<BYTE>(GetRValue(skin) * 127 / 255),
                                      static_cast<BYTE>(GetGValue(skin) * 127 / 255),
                                      static_cast<BYTE>(128 + GetBValue(skin) * 127 / 255));
        EXPECT_LE(ColourDistance(ToColorRef(pixel), expected), 2) << p.x << "," << p.y;
    }
}

TEST_F(LumButtonTest, TextOnlyCaptionTakesStateColours) {
    GiveImages();
    button.SetDrawMode(TextOnly);
    button.SetTextAlignment(1);
    button.SetTextColours(RGB(255, 255, 0), RGB(0, 255, 255));
    button.SetWindowText(u"MMMM");
    auto countColour = [&](COLORREF colour) {
        const QImage shot = Grab(parent);
        int n = 0;
        for (int y = kButtonRect.top; y < kButtonRect.bottom; ++y) {
            for (int x = kButtonRect.left; x < kButtonRect.right; ++x) {
                n += ColourDistance(PixelAt(shot, x, y), colour) < 40 ? 1 : 0;
            }
        }
        return n;
    };
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GT(countColour(RGB(255, 255, 0)), 5);
    EXPECT_EQ(countColour(RGB(0, 255, 255)), 0);
    PointerAt({10, 8});
    Send(WM_MOUSEMOVE, 0, {10, 8});
    EXPECT_GT(countColour(RGB(0, 255, 255)), 5);
}

TEST_F(LumButtonTest, LatchingAndOwnerSelectedModesPickTheirOwnImage) {
    GiveImages();
    button.SetDrawMode(OwnerSelected);
    button.SetImageSelector(2);
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ(Face(), kPressed);
    // The owner decides alone: the pointer does not start hover tracking.
    PointerAt({10, 8});
    Send(WM_MOUSEMOVE, 0, {10, 8});
    EXPECT_FALSE(button.IsHovering());
    button.SetImageSelector(1);
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ(Face(), kHover);

    button.SetDrawMode(Latching);
    Send(WM_MOUSEMOVE, 0, {10, 8});
    EXPECT_EQ(Face(), kHover);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, {10, 8});
    EXPECT_EQ(Face(), kNormal);
    Send(WM_LBUTTONUP, 0, {10, 8});
    EXPECT_TRUE(button.IsClickedLatch());
    PointerAt({45, 30});
    Tick();
    EXPECT_EQ(Face(), kPressed); // latched for good
    EXPECT_EQ(Clicks(), 1);
}

TEST_F(LumButtonTest, PointerCursorAnswersSetCursor) {
    EXPECT_FALSE(button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    button.SetPointerCursor(138);
    button.SetPointerCursor(138); // replacing releases the first
    EXPECT_TRUE(button.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(button.m_hWnd),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

} // namespace
