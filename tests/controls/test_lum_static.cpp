// The label on the offscreen desktop: setters, painting, layout flags, blinking and clicks.
#include "ControlsTestSupport.h"
#include "FakeOpener.h"
#include "platform/gui/CFont.h"
#include "platform/gui/SystemMetrics.h"
#include "ui/controls/LabelLayout.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

using namespace controls_test;

constexpr UINT kLabelId = 1013;
constexpr RECT kLabelRect{20, 10, 180, 50}; // 160 x 40
constexpr COLORREF kInk = RGB(255, 0, 0);

class TestLabel : public CLumStatic {
public:
    bool Attach(CWnd& parent, const RECT& rect, DWORD style, std::u16string_view text) {
        if (!Create(text, style, rect, &parent, kLabelId)) {
            return false;
        }
        PreSubclassWindow();
        return true;
    }
    void Attach() { PreSubclassWindow(); }
};

// Where a label's painting differs from the skin under it.
struct InkBox {
    int left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
    int pixels = 0;
    bool Empty() const { return pixels == 0; }
};

class LumStaticTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(parent.Create(200, 60)); }
    void TearDown() override {
        label.DestroyWindow();
        parent.DestroyWindow();
    }

    void Attach(DWORD style, std::u16string_view text, const RECT& rect = kLabelRect) {
        ASSERT_TRUE(label.Attach(parent, rect, WS_CHILD | WS_VISIBLE | style, text));
        LOGFONT font{};
        font.lfHeight = -16;
        font.lfWeight = FW_BOLD;
        font.lfPitchAndFamily = FF_SWISS;
        label.SetFontDescription(font).SetCaptionColor(kInk);
    }

    // Label-relative box of the pixels that are not the skin (or, given, not that fill colour).
    InkBox Ink(std::optional<COLORREF> fill = std::nullopt, const RECT& rect = kLabelRect) {
        const QImage shot = Grab(parent);
        InkBox box;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const COLORREF under = fill ? *fill : SkinColour(x, y);
                if (ColourDistance(PixelAt(shot, x, y), under) > 40) {
                    box.left = std::min(box.left, x - int(rect.left));
                    box.top = std::min(box.top, y - int(rect.top));
                    box.right = std::max(box.right, x - int(rect.left) + 1);
                    box.bottom = std::max(box.bottom, y - int(rect.top) + 1);
                    ++box.pixels;
                }
            }
        }
        return box;
    }
    int CountColour(COLORREF colour, int tolerance = 30) {
        const QImage shot = Grab(parent);
        int n = 0;
        for (int y = kLabelRect.top; y < kLabelRect.bottom; ++y) {
            for (int x = kLabelRect.left; x < kLabelRect.right; ++x) {
                n += ColourDistance(PixelAt(shot, x, y), colour) <= tolerance ? 1 : 0;
            }
        }
        return n;
    }
    COLORREF LabelPixel(int x, int y) {
        return PixelAt(Grab(parent), kLabelRect.left + x, kLabelRect.top + y);
    }

    PointerEventShield shield;
    SkinnedParent parent;
    TestLabel label;
};

TEST_F(LumStaticTest, SettersChainAndReportTheCaptionColour) {
    Attach(SS_LEFT, u"Model");
    CLumStatic& same = label.SetCaptionColor(RGB(1, 2, 3))
                           .SetBold(true)
                           .SetItalic(1)
                           .SetUnderline(1)
                           .SetPointSize(12)
                           .SetEmbossColor(RGB(9, 9, 9))
                           .SetLinkTarget(u"http://x");
    EXPECT_EQ(&same, &label);
    COLORREF colour = 0;
    EXPECT_EQ(&label.GetCaptionColor(colour), &label);
    EXPECT_EQ(colour, RGB(1, 2, 3));
    const LOGFONT& font = label.GetFontDescription();
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfHeight, -16);
    label.SetBold(false).SetTextAngle(30, false);
    EXPECT_EQ(label.GetFontDescription().lfWeight, FW_NORMAL);
    EXPECT_EQ(label.GetFontDescription().lfEscapement, 300);
    EXPECT_EQ(label.GetFontDescription().lfOrientation, 300);
}

TEST_F(LumStaticTest, AttachingWithoutAFontTakesTheSystemFont) {
    ASSERT_TRUE(label.Attach(parent, kLabelRect, WS_CHILD | WS_VISIBLE, u"x"));
    LOGFONT system{};
    ASSERT_TRUE(CFont::FromStock(SYSTEM_FONT)->GetLogFont(&system));
    EXPECT_EQ(label.GetFontDescription().lfHeight, system.lfHeight);
    EXPECT_EQ(std::u16string(label.GetFontDescription().lfFaceName), std::u16string(system.lfFaceName));
}

TEST_F(LumStaticTest, AttachingTakesTheControlsOwnFont) {
    ASSERT_TRUE(label.Create(u"x", WS_CHILD | WS_VISIBLE, kLabelRect, &parent, kLabelId));
    LOGFONT own{};
    own.lfHeight = -21;
    own.lfItalic = 1;
    std::copy_n(u"Liberation Serif", 16, own.lfFaceName);
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&own));
    label.SetFont(font.GetSafeHandle(), FALSE);
    label.Attach(); // what subclassing by a dialog does next
    EXPECT_EQ(label.GetFontDescription().lfHeight, -21);
    EXPECT_EQ(label.GetFontDescription().lfItalic, 1);
    EXPECT_EQ(std::u16string(label.GetFontDescription().lfFaceName), u"Liberation Serif");
}

TEST_F(LumStaticTest, CaptionOnlyOnceTheWindowExists) {
    label.SetCaption(u"lost");
    Attach(SS_LEFT, u"");
    EXPECT_EQ(label.GetWindowText(), u"");
    label.SetCaption(u"kept");
    EXPECT_EQ(label.GetWindowText(), u"kept");
}

TEST_F(LumStaticTest, FaceNamesAreCutAt31Characters) {
    Attach(SS_LEFT, u"x");
    const std::u16string longName(40, u'F');
    label.SetFaceName(longName, 0);
    EXPECT_EQ(std::u16string(label.GetFontDescription().lfFaceName), longName.substr(0, 31));
    // A pair of surrogates is never cut in half.
    std::u16string withPair(30, u'a');
    withPair += u"\U0001F600tail";
    label.SetFaceName(withPair, 2);
    EXPECT_EQ(std::u16string(label.GetFontDescription().lfFaceName), std::u16string(30, u'a'));
    EXPECT_EQ(label.GetFontDescription().lfCharSet, 2);
}

TEST_F(LumStaticTest, PointSizeGivesTheSameHeightAt96And120Dpi) {
    Attach(SS_LEFT, u"x");
    struct Case {
        int points;
        LONG height;
    };
    for (int dpi : {96, 120}) {
        DisplayDevice::SetResolutionForTesting(dpi, dpi);
        for (const Case c : {Case{10, -13}, Case{12, -16}, Case{14, -19}}) {
            label.SetPointSize(c.points);
            EXPECT_EQ(label.GetFontDescription().lfHeight, c.height)
                << c.points << " pt at " << dpi << " dpi";
            EXPECT_EQ(label.GetFontDescription().lfWidth, 0);
        }
    }
    DisplayDevice::SetResolutionForTesting(0, 0);
}

TEST_F(LumStaticTest, TransparentTextStandsOnTheSkin) {
    Attach(SS_LEFT, u"MMMM");
    EXPECT_GT(CountColour(kInk), 20);
    // Where there is no text the parent's skin shows, untouched.
    EXPECT_EQ(LabelPixel(159, 39), SkinColour(kLabelRect.left + 159, kLabelRect.top + 39));
}

TEST_F(LumStaticTest, RedrawLeavesNoOldTextBehind) {
    Attach(SS_LEFT, u"MMMMMMMM");
    ASSERT_FALSE(Ink().Empty());
    label.SetCaption(u"");
    EXPECT_TRUE(Ink().Empty());
    label.SetCaption(u"ii");
    const InkBox narrow = Ink();
    EXPECT_LT(narrow.right, 30);
}

TEST_F(LumStaticTest, OpaqueModeFillsWithDefaultOrOwnColour) {
    Attach(SS_LEFT, u"MM");
    label.SetTransparentMode(false);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_TRANSPARENT);
    EXPECT_EQ(LabelPixel(159, 39), GetSysColor(COLOR_BTNFACE));
    label.SetFill(RGB(0, 0, 120));
    EXPECT_EQ(LabelPixel(159, 39), RGB(0, 0, 120));
    EXPECT_EQ(LabelPixel(0, 0), RGB(0, 0, 120));
    EXPECT_GT(CountColour(kInk), 10);
    // Back to transparent: the fill is gone, the skin shows.
    label.SetTransparentMode(true);
    EXPECT_EQ(LabelPixel(159, 39), SkinColour(kLabelRect.left + 159, kLabelRect.top + 39));
}

TEST_F(LumStaticTest, SystemColourChangeRebuildsTheDefaultFill) {
    Attach(SS_LEFT, u"");
    label.SetTransparentMode(false);
    const QPalette saved = QApplication::palette();
    QPalette changed = saved;
    for (auto role : {QPalette::Button, QPalette::Window}) {
        changed.setColor(role, QColor(10, 200, 30));
    }
    QApplication::setPalette(changed);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    ASSERT_EQ(face, RGB(10, 200, 30));
    // The desktop tells every window of the change; the label answers with a new default fill.
    QCoreApplication::processEvents();
    label.SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(LabelPixel(5, 5), face);
    QApplication::setPalette(saved);
}

struct LayoutCase {
    const char* name;
    DWORD style;
    std::u16string_view text;
    // Expected position of the ink in the 160 x 40 label.
    bool nearLeft, nearRight, centredH, centredV, twoLines;
};

class LabelLayoutFlags : public LumStaticTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LabelLayoutFlags, PlaceTheText) {
    const auto& c = GetParam();
    Attach(c.style, c.text);
    const InkBox ink = Ink();
    ASSERT_FALSE(ink.Empty());
    const int slackLeft = ink.left;
    const int slackRight = 160 - ink.right;
    const int slackTop = ink.top;
    const int slackBottom = 40 - ink.bottom;
    if (c.nearLeft) {
        EXPECT_LE(slackLeft, 3);
    }
    if (c.nearRight) {
        EXPECT_LE(slackRight, 3);
    }
    if (c.centredH) {
        EXPECT_LE(std::abs(slackLeft - slackRight), 4) << slackLeft << " " << slackRight;
    }
    if (c.centredV) {
        EXPECT_LE(std::abs(slackTop - slackBottom), 6) << slackTop << " " << slackBottom;
    } else {
        EXPECT_LE(slackTop, 6);
    }
    if (c.twoLines) {
        EXPECT_GT(ink.bottom - ink.top, 22);
    } else {
        EXPECT_LT(ink.bottom - ink.top, 20);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, LabelLayoutFlags,
    ::testing::Values(
        LayoutCase{"Left", SS_LEFT, u"HEH", true, false, false, false, false},
        LayoutCase{"Centre", SS_CENTER, u"HEH", false, false, true, false, false},
        LayoutCase{"Right", SS_RIGHT, u"HEH", false, true, false, false, false},
        LayoutCase{"LeftNoWrapKeepsOneLine", SS_LEFTNOWORDWRAP, u"HEHEH HEHEH HEHEH HEHEH", true, false,
                   false, false, false},
        LayoutCase{"LeftWraps", SS_LEFT, u"HEHEH HEHEH HEHEH HEHEH", true, false, false, false, true},
        LayoutCase{"CentreImageOneLine", SS_CENTERIMAGE, u"HEH", false, false, true, true, false},
        LayoutCase{"CentreImageWithLineBreak", SS_CENTERIMAGE, u"HEH\r\nHEH", false, false, true, false,
                   true},
        LayoutCase{"TabsExpand", SS_LEFT, u"H\tH", true, false, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LumStaticTest, TabExpansionWidensTheText) {
    Attach(SS_LEFT, u"H\tH");
    const InkBox tabbed = Ink();
    label.SetCaption(u"HH");
    const InkBox plain = Ink();
    EXPECT_GT(tabbed.right - tabbed.left, plain.right - plain.left + 10);
}

TEST_F(LumStaticTest, GradientBandsFillTheLabel) {
    struct Case {
        RECT rect;
        std::size_t bands;
    };
    for (const Case c : {Case{{10, 10, 50, 30}, 40}, Case{{0, 10, 190, 20}, 100}}) {
        TestLabel gradient;
        ASSERT_TRUE(gradient.Attach(parent, c.rect, WS_CHILD | WS_VISIBLE, u""));
        gradient.SetTransparentMode(false).SetFill(RGB(0, 0, 0), RGB(250, 120, 60), true);
        const auto expected = LabelLayout::GradientBands(
            {0, 0, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top}, RGB(0, 0, 0), RGB(250, 120, 60));
        ASSERT_EQ(expected.size(), c.bands);
        const QImage shot = Grab(parent);
        for (const auto& band : expected) {
            for (int x = band.rect.left; x < band.rect.right; ++x) {
                for (int y : {0, int(c.rect.bottom - c.rect.top - 1)}) {
                    ASSERT_EQ(PixelAt(shot, c.rect.left + x, c.rect.top + y), band.colour)
                        << "x " << x << " y " << y;
                }
            }
        }
        gradient.DestroyWindow();
    }
}

TEST_F(LumStaticTest, TextBlinkVanishesIntoTheFill) {
    Attach(SS_LEFT, u"MMMM");
    label.SetTransparentMode(false).SetFill(RGB(0, 0, 120)).SetCaptionBlink(true);
    EXPECT_TRUE(label.IsTimerRunning(CLumStatic::kBlinkTimer));
    const bool visibleByPhase[] = {false, true, false, true};
    for (bool visible : visibleByPhase) {
        EXPECT_EQ(CountColour(kInk) > 10, visible) << "phase " << label.GetBlinkPhase();
        label.SendMessage(WM_TIMER, CLumStatic::kBlinkTimer);
    }
    label.SetCaptionBlink(false);
    EXPECT_FALSE(label.IsTimerRunning(CLumStatic::kBlinkTimer));
    EXPECT_EQ(label.GetBlinkKind(), BlinkKind::None);
    label.SetCaption(u"MMMM");
    EXPECT_GT(CountColour(kInk), 10);
}

TEST_F(LumStaticTest, TextBlinkWithoutFillShowsBlackInTheOffPhase) {
    Attach(SS_LEFT, u"MMMM");
    label.SetCaptionBlink(true);
    label.SetCaption(u"MMMM");
    EXPECT_EQ(CountColour(kInk), 0);
    EXPECT_GT(CountColour(RGB(0, 0, 0)), 20);
    label.SendMessage(WM_TIMER, CLumStatic::kBlinkTimer);
    EXPECT_GT(CountColour(kInk), 20);
}

TEST_F(LumStaticTest, FillBlinkRunsTheTimerButLeavesTheText) {
    Attach(SS_LEFT, u"MMMM");
    label.SetFillBlink(true);
    EXPECT_TRUE(label.IsTimerRunning(CLumStatic::kBlinkTimer));
    EXPECT_EQ(label.GetBlinkKind(), BlinkKind::Background);
    EXPECT_GT(CountColour(kInk), 20);
    label.SetFillBlink(false);
    EXPECT_FALSE(label.IsTimerRunning(CLumStatic::kBlinkTimer));
    EXPECT_EQ(label.GetBlinkKind(), BlinkKind::Background); // only SetCaptionBlink clears the kind
}

TEST_F(LumStaticTest, EmbossDrawsASecondTextOnePixelAway) {
    Attach(SS_CENTERIMAGE, u"HEH");
    label.SetTransparentMode(false).SetFill(RGB(255, 255, 255));
    const InkBox plain = Ink(RGB(255, 255, 255));
    label.SetEmbossColor(RGB(0, 0, 255)).SetEmbossed(true, 0);
    const InkBox upLeft = Ink(RGB(255, 255, 255));
    EXPECT_EQ(upLeft.left, plain.left - 1);
    EXPECT_EQ(upLeft.top, plain.top - 1);
    EXPECT_EQ(upLeft.right, plain.right);
    EXPECT_GT(CountColour(RGB(0, 0, 255)), 10);
    label.SetEmbossed(true, 1);
    const InkBox downRight = Ink(RGB(255, 255, 255));
    EXPECT_EQ(downRight.left, plain.left);
    EXPECT_EQ(downRight.right, plain.right + 1);
    EXPECT_EQ(downRight.bottom, plain.bottom + 1);
}

TEST_F(LumStaticTest, RotatedTextTurnsAboutTheCentre) {
    const RECT square{40, 0, 100, 60};
    Attach(SS_LEFT, u"HEHEH", square);
    label.SetTextAngle(90, true);
    const InkBox ink = Ink(std::nullopt, square);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GT(ink.bottom - ink.top, ink.right - ink.left);
    // Centre-baseline at the label's centre: the run spans the middle row.
    EXPECT_LT(ink.top, 30);
    EXPECT_GT(ink.bottom, 30);
}

struct ClickCase {
    const char* name;
    int link; // 0 none, 1 web, 2 mailto
    DWORD notifyParent;
    std::u16string_view target;
    std::vector<std::string> opened; // empty: nothing opened
    bool notified;
};

class LabelClick : public LumStaticTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(LabelClick, OpensOrNotifies) {
    const auto& c = GetParam();
    FakeOpener opener;
    Attach(SS_LEFT, u"Office Adapter");
    if (c.link == 1) {
        label.SetWebLink(true, c.notifyParent);
    } else if (c.link == 2) {
        label.SetMailtoLink(true, c.notifyParent);
    }
    label.SetLinkTarget(c.target);
    EXPECT_EQ((label.GetStyle() & SS_NOTIFY) != 0, c.link != 0);
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKEPOINTLPARAM(3, 3));
    if (c.opened.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        EXPECT_FALSE(opener.AnyCall());
    } else {
        auto expected = c.opened;
        expected.push_back("--end--");
        EXPECT_EQ(opener.WaitForCall(), expected);
    }
    ASSERT_EQ(parent.Count(WM_NOTIFY), c.notified ? 1 : 0);
    if (c.notified) {
        const Received& r = parent.received.back();
        EXPECT_EQ(r.wParam, kLabelId);
        EXPECT_EQ(r.notifyCode, 0x8200u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Links, LabelClick,
    ::testing::Values(
        ClickCase{"WebOpensTheText", 1, 0, u"", {"Office Adapter"}, false},
        ClickCase{"WebOpensTheTarget", 1, 0, u"http://192.168.0.7", {"http://192.168.0.7"}, false},
        ClickCase{"MailtoOpensMailtoText", 2, 0, u"http://ignored", {"mailto:Office Adapter"}, false},
        ClickCase{"NotifyParentOpensNothing", 1, 1, u"http://x", {}, true},
        ClickCase{"MailtoNotifyOpensNothing", 2, 7, u"", {}, true},
        ClickCase{"NoLinkDoesNothing", 0, 0, u"http://x", {}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LumStaticTest, LinkOffRemovesTheNotifyStyle) {
    Attach(SS_LEFT, u"x");
    label.SetWebLink(true);
    EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
    label.SetWebLink(false);
    EXPECT_FALSE(label.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(label.GetLinkKind(), LinkKind::None);
}

TEST_F(LumStaticTest, PointerCursorAnswersSetCursor) {
    Attach(SS_LEFT, u"x");
    const auto setCursor = [&] {
        return label.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(label.m_hWnd),
                                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    EXPECT_FALSE(setCursor());
    label.LoadPointerCursor(138);
    EXPECT_TRUE(setCursor());
    label.SetPointerCursorHandle(nullptr);
    EXPECT_FALSE(setCursor());
}

TEST_F(LumStaticTest, SunkenEdgeAndBorderToggleTheirStyles) {
    Attach(SS_LEFT, u"x");
    label.SetSunkenEdge(true).SetBorderLine(true);
    EXPECT_TRUE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_TRUE(label.GetStyle() & WS_BORDER);
    label.SetSunkenEdge(false).SetBorderLine(false);
    EXPECT_FALSE(label.GetExStyle() & WS_EX_STATICEDGE);
    EXPECT_FALSE(label.GetStyle() & WS_BORDER);
}

} // namespace
