// What the owner-drawn popup measures and draws, seen through the tracked popup's pixels.
#include "MenuTestSupport.h"
#include "PopupCapture.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CFont.h"
#include "platform/gui/SystemMetrics.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

constexpr WORD P = MF_POPUP;
constexpr WORD E = MF_END;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kHighlight = RGB(10, 36, 106);
constexpr COLORREF kText = RGB(0, 0, 0);

// Popup items: 0 "Open", 1 separator, 2 "Checked" (checked), 3 "Grayed" (grayed).
std::vector<std::uint8_t> LookTemplate() {
    return MenuTemplate({{P | E, 0, u"Look"},
                         {0, 1, u"Open"},
                         {0, 0, u""},
                         {MF_CHECKED, 2, u"Checked"},
                         {E | MF_GRAYED, 3, u"Grayed"}});
}

class GxMenuLook : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedPalette = QApplication::palette();
        m_savedDistinct = GxMenu::FlatStyleDistinctFace;
        m_savedSame = GxMenu::FlatStyleSameFace;
        GxMenu::FlatStyleDistinctFace = 1;
        GxMenu::FlatStyleSameFace = 1;
    }
    void TearDown() override {
        QApplication::setPalette(m_savedPalette);
        GxMenu::FlatStyleDistinctFace = m_savedDistinct;
        GxMenu::FlatStyleSameFace = m_savedSame;
        DisplayDevice::SetPaletteDeviceForTesting(false);
        DisplayDevice::SetResolutionForTesting(0, 0);
    }

    // face: COLOR_3DFACE, menu: COLOR_MENU.
    static void SetColours(COLORREF face, COLORREF menu) {
        QPalette palette = QApplication::palette();
        const auto q = [](COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); };
        palette.setColor(QPalette::Button, q(face));
        palette.setColor(QPalette::Window, q(menu));
        palette.setColor(QPalette::Highlight, q(kHighlight));
        palette.setColor(QPalette::WindowText, q(kText));
        QApplication::setPalette(palette);
    }

    PopupCapture Open(const std::vector<int>& keys) {
        EXPECT_TRUE(m_menu.LoadMenuIndirect(LookTemplate()));
        return TrackAndCapture(*m_menu.GetSubMenu(0), keys);
    }

    GxMenu m_menu;

private:
    QPalette m_savedPalette;
    int m_savedDistinct = 1;
    int m_savedSame = 0;
};

TEST_F(GxMenuLook, LightenColorMovesEachChannelTowardsWhite) {
    EXPECT_EQ(GxMenu::LightenColor(0.35, RGB(212, 208, 200)), RGB(227, 224, 219));
    EXPECT_EQ(GxMenu::LightenColor(1.0, RGB(1, 2, 3)), kWhite);
    EXPECT_EQ(GxMenu::LightenColor(0.0, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GxMenu::LightenColor(1.5, RGB(1, 2, 3)), RGB(1, 2, 3));
}

TEST_F(GxMenuLook, ItemsAreNineteenPixelsOrAMenuLineAndSeparatorsHalfOfIt) {
    for (const int dpi : {96, 144}) {
        DisplayDevice::SetResolutionForTesting(dpi, dpi);
        const int line = GetSystemMetrics(SM_CYMENU);
        const PopupCapture capture = Open({});
        ASSERT_EQ(capture.itemRects.size(), 4u);
        EXPECT_EQ(capture.itemRects[0].Height(), std::max(line, 19)) << dpi;
        EXPECT_EQ(capture.itemRects[1].Height(), line / 2) << dpi;
        EXPECT_EQ(capture.itemRects[3].Height(), std::max(line, 19)) << dpi;
    }
}

TEST_F(GxMenuLook, ItemWidthIsTheTextAndTwoIconCells) {
    ASSERT_TRUE(m_menu.LoadMenuIndirect(LookTemplate()));
    auto* popup = dynamic_cast<GxMenu*>(m_menu.GetSubMenu(0));
    MEASUREITEMSTRUCT measure;
    measure.CtlType = ODT_MENU;
    measure.itemID = 2;
    measure.itemData = popup->GetMenuItemData(2, MF_BYPOSITION);
    popup->MeasureItem(&measure);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    LOGFONT logFont;
    logFont.lfHeight = -12;
    logFont.lfWeight = FW_NORMAL;
    const std::u16string_view face = u"Arial";
    std::copy(face.begin(), face.end(), logFont.lfFaceName);
    CFont font;
    font.CreateFontIndirect(&logFont);
    dc.SelectObject(&font);
    EXPECT_EQ(static_cast<LONG>(measure.itemWidth), dc.GetTextExtent(u"Checked").cx + 33);
}

TEST_F(GxMenuLook, FlatLookWithEqualColoursHasAWhiteBackgroundAndALighterStrip) {
    const COLORREF face = RGB(212, 208, 200);
    SetColours(face, face);
    const PopupCapture capture = Open({Qt::Key_Down});
    ASSERT_EQ(capture.shots.size(), 2u);
    const QImage& idle = capture.shots[0];
    const RECT open = capture.itemRects[0];
    EXPECT_EQ(PixelAt(idle, open.left + 10, open.top + 3), GxMenu::LightenColor(0.35, face)); // strip
    EXPECT_EQ(PixelAt(idle, open.right - 3, open.top + 3), kWhite);                           // background
    EXPECT_EQ(PixelAt(idle, open.left + 21, open.top + 3), kWhite); // the strip is icon cell + 5 wide
    // Selected: the whole item filled 85 % towards white from the highlight and framed with it.
    const QImage& selected = capture.shots[1];
    EXPECT_EQ(PixelAt(selected, open.left, open.top), kHighlight);
    EXPECT_EQ(PixelAt(selected, open.right - 1, open.bottom - 1), kHighlight);
    EXPECT_EQ(PixelAt(selected, open.left + 10, open.top + 3), GxMenu::LightenColor(0.85, kHighlight));
    // The separator's line starts four pixels right of the strip.
    const RECT separator = capture.itemRects[1];
    const int lineY = separator.top + separator.Height() / 2;
    EXPECT_EQ(PixelAt(idle, separator.left + 24, lineY), kWhite);
    EXPECT_NE(PixelAt(idle, separator.left + 25, lineY), kWhite);
    EXPECT_EQ(PixelAt(idle, separator.left + 10, lineY), GxMenu::LightenColor(0.35, face));
}

TEST_F(GxMenuLook, FlatLookWithDistinctColoursKeepsThem) {
    const COLORREF face = RGB(200, 200, 200);
    const COLORREF menu = RGB(240, 240, 240);
    SetColours(face, menu);
    const PopupCapture capture = Open({Qt::Key_Down});
    const RECT open = capture.itemRects[0];
    EXPECT_EQ(PixelAt(capture.shots[0], open.left + 10, open.top + 3), face);
    EXPECT_EQ(PixelAt(capture.shots[0], open.right - 3, open.top + 3), menu);
    EXPECT_EQ(PixelAt(capture.shots[1], open.left + 10, open.top + 3), GxMenu::LightenColor(0.7, kHighlight));
}

TEST_F(GxMenuLook, CheckedItemsShowATickOrADotAndGrayedOnesNeverLookSelected) {
    const COLORREF face = RGB(212, 208, 200);
    SetColours(face, face);
    // Down to "Open", "Checked", "Grayed": the grayed item is hot but must not look it.
    const PopupCapture tick = Open({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down});
    ASSERT_EQ(tick.shots.size(), 4u);
    const RECT checked = tick.itemRects[2];
    // Cell (left + 2, top + 2) framed with the highlight, filled 85 % lighter; glyph at cell + (5, 4).
    EXPECT_EQ(PixelAt(tick.shots[0], checked.left + 2, checked.top + 2), kHighlight);
    EXPECT_EQ(PixelAt(tick.shots[0], checked.left + 3, checked.top + 3),
              GxMenu::LightenColor(0.85, kHighlight));
    const int gx = checked.left + 2 + 5;
    const int gy = checked.top + 2 + 4;
    EXPECT_EQ(PixelAt(tick.shots[0], gx + 6, gy), kText); // the tick's last column starts at the top
    EXPECT_EQ(PixelAt(tick.shots[0], gx, gy + 2), kText); // and its first two rows down
    EXPECT_NE(PixelAt(tick.shots[0], gx, gy), kText);
    const RECT grayed = tick.itemRects[3];
    EXPECT_EQ(PixelAt(tick.shots[3], grayed.left + 10, grayed.top + 3), GxMenu::LightenColor(0.35, face));
    EXPECT_EQ(PixelAt(tick.shots[3], grayed.right - 3, grayed.top + 3), kWhite);

    // A checked-state bitmap on the item turns the tick into a dot.
    m_menu.ReleaseMenu();
    ASSERT_TRUE(m_menu.LoadMenuIndirect(LookTemplate()));
    static int bitmapStandIn = 0;
    m_menu.GetSubMenu(0)->SetMenuItemBitmaps(2, MF_BYCOMMAND, nullptr,
                                             reinterpret_cast<HBITMAP>(&bitmapStandIn));
    const PopupCapture dot = TrackAndCapture(*m_menu.GetSubMenu(0), {});
    EXPECT_NE(PixelAt(dot.shots[0], gx + 6, gy), kText);
    EXPECT_EQ(PixelAt(dot.shots[0], gx + 3, gy + 3), kText); // the dot's middle
}

TEST_F(GxMenuLook, PaletteDevicesGetTheClassicLookWhateverTheSwitches) {
    const COLORREF face = RGB(212, 208, 200);
    SetColours(face, face);
    DisplayDevice::SetPaletteDeviceForTesting(true);
    const PopupCapture capture = Open({Qt::Key_Down});
    const RECT open = capture.itemRects[0];
    // No strip, no white: the face colour under the whole item; selected, a solid highlight bar.
    EXPECT_EQ(PixelAt(capture.shots[0], open.left + 10, open.top + 3), face);
    EXPECT_EQ(PixelAt(capture.shots[0], open.right - 3, open.top + 3), face);
    EXPECT_EQ(PixelAt(capture.shots[1], open.left, open.top), kHighlight);
    EXPECT_EQ(PixelAt(capture.shots[1], open.left + 10, open.top + 3), kHighlight);
    // The separator's line runs from the item's left edge.
    const RECT separator = capture.itemRects[1];
    EXPECT_NE(PixelAt(capture.shots[0], separator.left, separator.top + separator.Height() / 2), face);
}

TEST_F(GxMenuLook, SwitchesOtherThanOneChooseTheClassicLook) {
    const COLORREF face = RGB(212, 208, 200);
    SetColours(face, face);
    GxMenu::FlatStyleSameFace = 0;
    const PopupCapture capture = Open({});
    EXPECT_EQ(PixelAt(capture.shots[0], capture.itemRects[0].right - 3, capture.itemRects[0].top + 3), face);
}

} // namespace
