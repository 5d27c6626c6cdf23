// Fonts from logical descriptions and text drawing: TextOut, DrawText's flags, measuring,
// backgrounds and rotation.

#include "DcTestSupport.h"
#include "platform/gui/CFont.h"
#include "platform/gui/FontMapper.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>
#include <string>

using dctest::InkBox;
using dctest::OffscreenDC;
using dctest::Opaque;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);

LOGFONT SwissFont(LONG height, LONG weight = FW_NORMAL) {
    LOGFONT logFont;
    logFont.lfHeight = height;
    logFont.lfWeight = weight;
    logFont.lfPitchAndFamily = FF_SWISS;
    return logFont;
}

TEXTMETRIC MetricsOf(const LOGFONT& logFont) {
    CFont font;
    EXPECT_TRUE(font.CreateFontIndirect(&logFont));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&font);
    TEXTMETRIC metrics;
    dc.GetTextMetrics(&metrics);
    return metrics;
}

// --- Fonts --------------------------------------------------------------------------------------

struct HeightCase {
    LONG height;
    int em;   // character height: cell minus internal leading
    int cell; // ascent + descent; -1: just above em
};

class DcFontHeight : public ::testing::TestWithParam<HeightCase> {};

TEST_P(DcFontHeight, PositiveIsCellNegativeIsCharacterHeight) {
    const HeightCase c = GetParam();
    const TEXTMETRIC metrics = MetricsOf(SwissFont(c.height));
    if (c.em > 0) {
        EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, c.em);
        EXPECT_GT(metrics.tmHeight, c.em);
    }
    if (c.cell > 0) {
        EXPECT_LE(metrics.tmHeight, c.cell);
        EXPECT_GE(metrics.tmHeight, c.cell - 1);
        EXPECT_LT(metrics.tmHeight - metrics.tmInternalLeading, c.cell);
    }
    EXPECT_EQ(metrics.tmHeight, metrics.tmAscent + metrics.tmDescent);
}

INSTANTIATE_TEST_SUITE_P(Heights, DcFontHeight,
                         ::testing::Values(HeightCase{-13, 13, -1}, HeightCase{-16, 16, -1},
                                           HeightCase{-19, 19, -1}, HeightCase{16, -1, 16},
                                           HeightCase{13, -1, 13}, HeightCase{29, -1, 29}));

TEST(DcFont, PlusAndMinusSixteenGiveDifferentSizes) {
    const TEXTMETRIC cell = MetricsOf(SwissFont(16));
    const TEXTMETRIC character = MetricsOf(SwissFont(-16));
    EXPECT_LT(cell.tmHeight - cell.tmInternalLeading, character.tmHeight - character.tmInternalLeading);
    EXPECT_LT(cell.tmHeight, character.tmHeight);
}

TEST(DcFont, EmptySwissFacePrefersTheArialMetricFace) {
    if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Sans"))) {
        GTEST_SKIP() << "Liberation Sans is not installed";
    }
    CFont font;
    const LOGFONT logFont = SwissFont(16, FW_BOLD);
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    EXPECT_EQ(QFontInfo(*font.qfont()).family(), QStringLiteral("Liberation Sans"));
    // The dialogs' logical face means the same sans-serif.
    LOGFONT dialog = SwissFont(-12);
    std::u16string_view(u"MS Shell Dlg").copy(dialog.lfFaceName, LF_FACESIZE - 1);
    EXPECT_EQ(FontMapper::FamilyFor(dialog), QStringLiteral("Liberation Sans"));
}

TEST(DcFont, DescriptionComesBackAsGivenAndStyleBitsReachTheFont) {
    LOGFONT logFont = SwissFont(-14, FW_BOLD);
    logFont.lfItalic = 1;
    logFont.lfUnderline = 1;
    logFont.lfStrikeOut = 1;
    logFont.lfEscapement = 450;
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&logFont));
    LOGFONT back;
    EXPECT_EQ(font.GetLogFont(&back), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfHeight, -14);
    EXPECT_EQ(back.lfEscapement, 450);
    EXPECT_EQ(back.lfPitchAndFamily, FF_SWISS);
    const QFont& qfont = *font.qfont();
    EXPECT_EQ(qfont.weight(), QFont::Bold);
    EXPECT_TRUE(qfont.italic());
    EXPECT_TRUE(qfont.underline());
    EXPECT_TRUE(qfont.strikeOut());
    EXPECT_FALSE(font.CreateFontIndirect(&logFont)) << "a font is made once";
}

TEST(DcFont, BoldTextIsWiderThanRegular) {
    CFont regular;
    CFont bold;
    const LOGFONT regularFont = SwissFont(-16);
    const LOGFONT boldFont = SwissFont(-16, FW_BOLD);
    regular.CreateFontIndirect(&regularFont);
    bold.CreateFontIndirect(&boldFont);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&regular);
    const SIZE narrow = dc.GetTextExtent(u"Wireless powerline devices");
    dc.SelectObject(&bold);
    const SIZE wide = dc.GetTextExtent(u"Wireless powerline devices");
    EXPECT_GT(wide.cx, narrow.cx);
}

TEST(DcFont, PointFontFollowsTheContextsResolution) {
    CFont atDisplay;
    ASSERT_TRUE(atDisplay.CreatePointFont(100, u"Arial"));
    LOGFONT logFont;
    atDisplay.GetLogFont(&logFont);
    EXPECT_EQ(logFont.lfHeight, -13);
    EXPECT_EQ(std::u16string(logFont.lfFaceName), u"Arial");
}

TEST(DcFont, SystemFontIsAStockSansSerif) {
    CFont* system = CFont::FromStock(DEFAULT_GUI_FONT);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system, CFont::FromStock(SYSTEM_FONT));
    LOGFONT logFont;
    ASSERT_GT(system->GetLogFont(&logFont), 0);
    EXPECT_EQ(logFont.lfHeight, -11);
    EXPECT_NE(logFont.lfFaceName[0], u'\0') << "the stock font names its face";
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(dc.GetCurrentFont(), system) << "a new context starts with the system font";
}

// --- TextOut ------------------------------------------------------------------------------------

class DcTextFixture : public ::testing::Test {
protected:
    DcTextFixture() : m_surface(200, 80, kWhite) {
        const LOGFONT logFont = SwissFont(-16);
        m_font.CreateFontIndirect(&logFont);
        m_surface.dc.SelectObject(&m_font);
        m_surface.dc.SetBkMode(TRANSPARENT);
        m_surface.dc.GetTextMetrics(&m_metrics);
    }

    CDC& dc() { return m_surface.dc; }
    QRect Ink() const { return InkBox(m_surface.Pixels(), Opaque(kWhite)); }
    void Clear() { m_surface.dc.FillSolidRect(0, 0, 200, 80, kWhite); }

    OffscreenDC m_surface;
    CFont m_font;
    TEXTMETRIC m_metrics;
};

TEST_F(DcTextFixture, TextColourAndTransparentBackground) {
    dc().SetTextColor(kRed);
    dc().TextOut(10, 10, u"HHH");
    const QRect ink = Ink();
    ASSERT_FALSE(ink.isEmpty());
    bool sawFullRed = false;
    for (int x = ink.left(); x <= ink.right(); ++x) {
        sawFullRed = sawFullRed || m_surface.At(x, ink.center().y()) == Opaque(kRed);
    }
    EXPECT_TRUE(sawFullRed) << "the stems take the text colour";
    EXPECT_GE(ink.top(), 10);
    EXPECT_LE(ink.bottom(), 10 + m_metrics.tmAscent);
}

TEST_F(DcTextFixture, OpaqueBackgroundFillsTheTextCell) {
    dc().SetBkMode(OPAQUE);
    dc().SetBkColor(kYellow);
    dc().TextOut(10, 10, u"a b");
    const SIZE extent = dc().GetTextExtent(u"a b");
    EXPECT_EQ(m_surface.At(10, 10), Opaque(kYellow));
    EXPECT_EQ(m_surface.At(10 + extent.cx - 1, 10 + extent.cy - 1), Opaque(kYellow));
    EXPECT_EQ(m_surface.At(10 + extent.cx, 10), Opaque(kWhite));
    EXPECT_EQ(m_surface.At(9, 10), Opaque(kWhite));
}

TEST_F(DcTextFixture, CentreBaselineAlignmentPlacesTheReferencePoint) {
    EXPECT_EQ(dc().SetTextAlign(TA_CENTER | TA_BASELINE), TA_LEFT | TA_TOP);
    dc().TextOut(100, 40, u"HHHH");
    const QRect ink = Ink();
    EXPECT_NEAR(ink.center().x(), 100, 2);
    EXPECT_EQ(ink.bottom(), 39) << "a capital stands on the baseline";
    Clear();
    dc().SetTextAlign(TA_RIGHT | TA_TOP);
    dc().TextOut(100, 40, u"HHHH");
    EXPECT_NEAR(Ink().right(), 99, 2);
    EXPECT_GE(Ink().top(), 40);
}

TEST_F(DcTextFixture, EscapementRotatesCounterClockwise) {
    const SIZE extent = dc().GetTextExtent(u"HHHHHH");
    dc().TextOut(60, 70, u"HHHHHH");
    const QRect flat = Ink();
    EXPECT_GT(flat.width(), flat.height());
    Clear();

    LOGFONT rotated = SwissFont(-16);
    rotated.lfEscapement = 900;
    CFont upward;
    upward.CreateFontIndirect(&rotated);
    dc().SelectObject(&upward);
    dc().TextOut(60, 70, u"HHHHHH");
    const QRect turned = Ink();
    EXPECT_GT(turned.height(), turned.width());
    EXPECT_NEAR(turned.height(), flat.width(), 2);
    EXPECT_LE(turned.bottom(), 70) << "the run goes up from the reference point";
    EXPECT_GE(turned.top(), 70 - extent.cx - 1);
    EXPECT_GE(turned.left(), 60) << "the top of the letters faces left, so they lie right of x";
}

// --- DrawText -----------------------------------------------------------------------------------

struct AlignCase {
    const char* name;
    UINT format; // laid out in a rectangle from x 20 to 180
};

class DcDrawTextAlign : public DcTextFixture, public ::testing::WithParamInterface<AlignCase> {};

TEST_P(DcDrawTextAlign, PlacesTheMeasuredTextInTheRectangle) {
    const std::u16string text = u"IP Address";
    const SIZE extent = dc().GetTextExtent(text);
    int expectedLeft = 20;
    if (GetParam().format & DT_CENTER) {
        expectedLeft = 20 + (160 - extent.cx) / 2;
    } else if (GetParam().format & DT_RIGHT) {
        expectedLeft = 180 - extent.cx;
    }
    RECT rect{20, 10, 180, 70};
    dc().DrawText(text, &rect, GetParam().format);
    const QRect ink = Ink();
    // Glyphs sit inside their advance box give or take their side bearings.
    EXPECT_NEAR(ink.left(), expectedLeft, 2);
    EXPECT_NEAR(ink.right() + 1, expectedLeft + extent.cx, 2);
    EXPECT_GE(ink.top(), 10);
    EXPECT_LT(ink.bottom(), 10 + m_metrics.tmHeight);
}

INSTANTIATE_TEST_SUITE_P(Horizontal, DcDrawTextAlign,
                         ::testing::Values(AlignCase{"Left", DT_LEFT | DT_WORDBREAK},
                                           AlignCase{"Centre", DT_CENTER | DT_WORDBREAK},
                                           AlignCase{"Right", DT_RIGHT | DT_WORDBREAK},
                                           AlignCase{"CentreSingleLine", DT_CENTER | DT_SINGLELINE}),
                         [](const ::testing::TestParamInfo<AlignCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(DcTextFixture, VerticalCentreAppliesToASingleLineOnly) {
    RECT rect{10, 0, 190, 80};
    dc().DrawText(u"Connect", &rect, DT_SINGLELINE);
    const int top = Ink().top();
    Clear();
    dc().DrawText(u"Connect", &rect, DT_SINGLELINE | DT_VCENTER);
    EXPECT_NEAR(Ink().top() - top, (80 - m_metrics.tmHeight) / 2, 1);
    Clear();
    dc().DrawText(u"Connect", &rect, DT_VCENTER | DT_WORDBREAK);
    EXPECT_EQ(Ink().top(), top) << "several-line layout ignores DT_VCENTER";
}

TEST_F(DcTextFixture, WordBreakWrapsIntoSeveralLines) {
    const std::u16string text = u"Wireless powerline devices in your local network:";
    RECT narrow{10, 0, 110, 80};
    const int height = dc().DrawText(text, &narrow, DT_LEFT | DT_WORDBREAK);
    EXPECT_GE(height, 3 * m_metrics.tmHeight);
    EXPECT_EQ(height % m_metrics.tmHeight, 0);
    const QRect ink = Ink();
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.right(), 109);
    EXPECT_GT(ink.height(), 2 * m_metrics.tmHeight);
    Clear();

    RECT oneLine{10, 0, 110, 80};
    EXPECT_EQ(dc().DrawText(text, &oneLine, DT_LEFT), m_metrics.tmHeight);
    EXPECT_LE(Ink().right(), 109) << "text is clipped to its rectangle";
    EXPECT_LT(Ink().height(), m_metrics.tmHeight + 1);
}

TEST_F(DcTextFixture, CalcRectMeasuresWithoutDrawing) {
    const std::u16string text = u"MAC Address";
    RECT single{5, 7, 6, 8};
    const int height = dc().DrawText(text, &single, DT_SINGLELINE | DT_CALCRECT);
    const SIZE extent = dc().GetTextExtent(text);
    EXPECT_EQ(single, (RECT{5, 7, 5 + extent.cx, 7 + m_metrics.tmHeight}));
    EXPECT_EQ(height, m_metrics.tmHeight);

    RECT wrapped{0, 0, 60, 0};
    dc().DrawText(u"one two three four", &wrapped, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_LE(wrapped.right, 60);
    EXPECT_GE(wrapped.bottom, 2 * m_metrics.tmHeight);
    EXPECT_TRUE(Ink().isEmpty());
}

TEST_F(DcTextFixture, PrefixCharactersUnlessNoPrefix) {
    RECT rect{0, 0, 200, 40};
    RECT measured = rect;
    dc().DrawText(u"A&&B", &measured, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    const int literal = measured.right;
    measured = rect;
    dc().DrawText(u"A&&B", &measured, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_LT(measured.right, literal) << "\"&&\" shows a single ampersand";
    dc().DrawText(u"A&B", &rect, DT_SINGLELINE | DT_NOPREFIX);
    const int withAmpersand = Ink().width();
    Clear();
    dc().DrawText(u"A&B", &rect, DT_SINGLELINE);
    EXPECT_LT(Ink().width(), withAmpersand);
}

TEST_F(DcTextFixture, ExpandTabsMovesTextToATabStop) {
    RECT rect{0, 0, 200, 40};
    dc().DrawText(u"a\tb", &rect, DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX);
    const int expanded = Ink().right();
    Clear();
    dc().DrawText(u"a b", &rect, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(expanded, Ink().right() + 2 * m_metrics.tmAveCharWidth);
}

TEST_F(DcTextFixture, OffScreenTextFollowsTheViewportOrigin) {
    dc().SetViewportOrg(100, 0);
    RECT rect{0, 0, 80, 40};
    dc().DrawText(u"Open", &rect, DT_LEFT | DT_SINGLELINE);
    EXPECT_GE(Ink().left(), 100);
    EXPECT_LE(Ink().left(), 102);
}

} // namespace
