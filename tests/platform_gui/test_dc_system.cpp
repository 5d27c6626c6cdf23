// System colours, system metrics, device capabilities and the point-to-pixel arithmetic.

#include "DcTestSupport.h"
#include "platform/gui/CBrush.h"
#include "platform/gui/CFont.h"
#include "platform/gui/SystemMetrics.h"

#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

COLORREF ToColorRef(const QColor& color) {
    return RGB(static_cast<BYTE>(color.red()), static_cast<BYTE>(color.green()),
               static_cast<BYTE>(color.blue()));
}

// Restores the palette and the display settings a test changed.
class DcSystemFixture : public ::testing::Test {
protected:
    DcSystemFixture() : m_palette(QGuiApplication::palette()) {}
    ~DcSystemFixture() override {
        QGuiApplication::setPalette(m_palette);
        DisplayDevice::SetResolutionForTesting(0, 0);
        DisplayDevice::SetPaletteDeviceForTesting(false);
    }

    QPalette m_palette;
};

TEST_F(DcSystemFixture, SystemColoursComeFromThePalette) {
    QPalette palette = QGuiApplication::palette();
    const struct {
        int index;
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
        QColor colour;
    } roles[] = {
        {COLOR_WINDOWTEXT, QPalette::Active, QPalette::WindowText, QColor(1, 2, 3)},
        {COLOR_WINDOW, QPalette::Active, QPalette::Base, QColor(250, 251, 252)},
        {COLOR_HIGHLIGHT, QPalette::Active, QPalette::Highlight, QColor(10, 20, 200)},
        {COLOR_HIGHLIGHTTEXT, QPalette::Active, QPalette::HighlightedText, QColor(254, 253, 252)},
        {COLOR_BTNFACE, QPalette::Active, QPalette::Button, QColor(230, 231, 232)},
        {COLOR_MENU, QPalette::Active, QPalette::Window, QColor(220, 221, 222)},
        {COLOR_GRAYTEXT, QPalette::Disabled, QPalette::WindowText, QColor(120, 121, 122)},
        {COLOR_3DLIGHT, QPalette::Active, QPalette::Midlight, QColor(210, 211, 212)},
        {COLOR_BTNSHADOW, QPalette::Active, QPalette::Dark, QColor(160, 161, 162)},
        {COLOR_BTNHIGHLIGHT, QPalette::Active, QPalette::Light, QColor(255, 255, 254)},
        {COLOR_3DDKSHADOW, QPalette::Active, QPalette::Shadow, QColor(100, 101, 102)},
    };
    for (const auto& r : roles) {
        palette.setColor(r.group, r.role, r.colour);
    }
    QGuiApplication::setPalette(palette);
    for (const auto& r : roles) {
        EXPECT_EQ(GetSysColor(r.index), ToColorRef(r.colour)) << "COLOR_ index " << r.index;
        ASSERT_NE(GetSysColorBrush(r.index), nullptr);
        EXPECT_EQ(GetSysColorBrush(r.index)->GetColor(), ToColorRef(r.colour));
    }
    EXPECT_EQ(GetSysColor(COLOR_MENUTEXT), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(GetSysColorBrush(-1), nullptr);

    CBrush face;
    ASSERT_TRUE(face.CreateSysColorBrush(COLOR_BTNFACE));
    LOGBRUSH logBrush;
    face.GetLogBrush(&logBrush);
    EXPECT_EQ(logBrush.lbColor, ToColorRef(QColor(230, 231, 232)));
}

TEST_F(DcSystemFixture, BrushFromASystemColourFollowsAPaletteChange) {
    QPalette palette = QGuiApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(1, 1, 1));
    QGuiApplication::setPalette(palette);
    CBrush* brush = GetSysColorBrush(COLOR_HIGHLIGHT);
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(9, 9, 9));
    QGuiApplication::setPalette(palette);
    EXPECT_EQ(GetSysColorBrush(COLOR_HIGHLIGHT), brush);
    EXPECT_EQ(brush->GetColor(), RGB(9, 9, 9));
}

TEST(DcSystemMetrics, ScreenSizesComeFromThePrimaryScreen) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen->geometry().width());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), screen->geometry().height());
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), screen->availableGeometry().width());
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), screen->availableGeometry().height());
    EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
    EXPECT_EQ(GetSystemMetrics(9999), 0);
}

TEST_F(DcSystemFixture, DeviceCapsReportTheDisplayResolutionAndNoPalette) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 32);
    EXPECT_EQ(dc.PointsToPixels(12), 16);
}

TEST_F(DcSystemFixture, TestsCanChangeTheResolutionAndSimulateAPaletteDevice) {
    DisplayDevice::SetResolutionForTesting(120, 120);
    DisplayDevice::SetPaletteDeviceForTesting(true);
    CDC screen;
    screen.CreateCompatibleDC(nullptr);
    DisplayDevice::SetResolutionForTesting(0, 0);
    DisplayDevice::SetPaletteDeviceForTesting(false);
    CDC compatible;
    compatible.CreateCompatibleDC(&screen);

    for (CDC* dc : {&screen, &compatible}) {
        EXPECT_EQ(dc->GetDeviceCaps(LOGPIXELSY), 120);
        EXPECT_NE(dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE, 0);
        EXPECT_EQ(dc->PointsToPixels(10), 17);
    }
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(100, u"Arial", &screen));
    LOGFONT logFont;
    font.GetLogFont(&logFont);
    EXPECT_EQ(logFont.lfHeight, -17) << "-round(120 * 100 / 720)";

    // Sizes given in points through the context's resolution end at the same pixels as at 96 dpi.
    const int tenths = 960 * 10 / screen.GetDeviceCaps(LOGPIXELSX);
    CFont label;
    label.CreatePointFont(tenths, u"Arial", &screen);
    label.GetLogFont(&logFont);
    EXPECT_EQ(logFont.lfHeight, -13);
}

TEST(DcMulDiv, RoundsHalvesAwayFromZeroAndReportsFailures) {
    const struct {
        int a, b, c, expected;
    } cases[] = {
        {10, 96, 72, 13},    {12, 96, 72, 16},   {14, 96, 72, 19},       {22, 96, 72, 29},
        {100, 120, 720, 17}, {100, 96, 720, 13}, {-5, 3, 2, -8},         {5, 3, 2, 8},
        {5, 3, -2, -8},      {1, 1, 0, -1},      {0x7FFFFFFF, 4, 1, -1}, {0x7FFFFFFF, 2, 2, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
    }
}

} // namespace
