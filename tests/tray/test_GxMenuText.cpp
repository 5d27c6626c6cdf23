// Item texts: replaced by command id across popups, and accelerators lined up.
#include "MenuTestSupport.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CFont.h"

#include <gtest/gtest.h>

namespace {

constexpr WORD P = MF_POPUP;
constexpr WORD E = MF_END;

// Two popups that both hold command 5, and one command only the second has.
std::vector<std::uint8_t> TwoPopups() {
    return MenuTemplate({{P, 0, u"One"},
                         {0, 5, u"Five"},
                         {E, 6, u"Six"},
                         {P | E, 0, u"Two"},
                         {0, 7, u"Seven"},
                         {E, 5, u"Five again"}});
}

const GxMenu& Popup(const GxMenu& menu, int position) {
    return *dynamic_cast<const GxMenu*>(menu.GetSubMenu(position));
}

TEST(GxMenuText, SetItemTextByCommandReachesEveryItemWithTheId) {
    GxMenu menu;
    ASSERT_TRUE(menu.LoadMenuIndirect(TwoPopups()));
    EXPECT_TRUE(menu.SetItemTextByCommand(std::u16string_view(u"Open"), 5));
    EXPECT_EQ(DescribeMenu(menu), "One{Open=5*,Six=6*},Two{Seven=7*,Open=5*}");
    // The platform item found by command (the first) carries the last record visited.
    const GxMenu& second = Popup(menu, 1);
    EXPECT_EQ(Popup(menu, 0).GetMenuItemData(0, MF_BYPOSITION),
              reinterpret_cast<UINT_PTR>(second.ItemRecords()[1].get()));
    EXPECT_EQ(second.ItemRecords()[1]->m_flags, MF_OWNERDRAW);
    EXPECT_EQ(second.ItemRecords()[1]->m_imageIndex, -1);
}

TEST(GxMenuText, WithoutATextTheTextsStay) {
    GxMenu menu;
    ASSERT_TRUE(menu.LoadMenuIndirect(TwoPopups()));
    EXPECT_TRUE(menu.SetItemTextByCommand(std::nullopt, 7));
    EXPECT_EQ(DescribeMenu(menu), "One{Five=5*,Six=6*},Two{Seven=7*,Five again=5*}");
}

TEST(GxMenuText, AMissingIdFailsAndOnlyAppendsARecord) {
    GxMenu menu;
    ASSERT_TRUE(menu.LoadMenuIndirect(TwoPopups()));
    const std::string before = DescribeMenu(menu);
    EXPECT_FALSE(menu.SetItemTextByCommand(std::u16string_view(u"Ghost"), 99));
    EXPECT_EQ(DescribeMenu(menu), before);
    ASSERT_EQ(menu.ItemRecords().size(), 3u);
    EXPECT_EQ(menu.ItemRecords()[2]->m_text, u"Ghost");
    EXPECT_EQ(menu.ItemRecords()[2]->m_commandId, 99u);
    EXPECT_EQ(menu.ItemRecords()[2]->m_flags, MF_OWNERDRAW);
}

TEST(GxMenuText, FindNextItemByCommandPassesOverWhatWasFound) {
    GxMenu menu;
    ASSERT_TRUE(menu.LoadMenuIndirect(TwoPopups()));
    int position = -1;
    GxMenu* first = menu.FindItemByCommand(5, position);
    ASSERT_EQ(first, menu.GetSubMenu(0));
    EXPECT_EQ(position, 0);
    std::vector<GxMenu*> menus{first};
    std::vector<int> positions{position};
    GxMenu* second = menu.FindNextItemByCommand(5, position, menus, positions);
    ASSERT_EQ(second, menu.GetSubMenu(1));
    EXPECT_EQ(position, 1);
    menus.push_back(second);
    positions.push_back(position);
    EXPECT_EQ(menu.FindNextItemByCommand(5, position, menus, positions), nullptr);
    EXPECT_EQ(position, -1);
}

class ItemFontWidth {
public:
    ItemFontWidth() {
        m_dc.CreateCompatibleDC(nullptr);
        LOGFONT font;
        font.lfHeight = -12;
        font.lfWeight = 500;
        font.lfCharSet = 1;
        const std::u16string_view face = u"Arial";
        std::copy(face.begin(), face.end(), font.lfFaceName);
        m_font.CreateFontIndirect(&font);
        m_dc.SelectObject(&m_font);
    }
    LONG operator()(std::u16string_view text) { return m_dc.GetTextExtent(text).cx; }

private:
    CDC m_dc;
    CFont m_font;
};

TEST(GxMenuText, AcceleratorsLineUpBehindTheWidestLabel) {
    GxMenu menu;
    ASSERT_TRUE(menu.LoadMenuIndirect(MenuTemplate({{P | E, 0, u"Edit"},
                                                    {0, 1, u"Cut\tCtrl+X"},
                                                    {0, 2, u"Paste special\tCtrl+Shift+V"},
                                                    {0, 0, u""},
                                                    {0, 3, u"Select everything"},
                                                    {E, 4, u"I\tF2"}})));
    const GxMenu& popup = Popup(menu, 0);
    ItemFontWidth width;
    // The widest label with one space, tab or not: here the item without an accelerator.
    const LONG widest = width(u"Select everything ");
    const std::u16string expectedAccelerators[] = {u"\tCtrl+X", u"\tCtrl+Shift+V", u"", u"", u"\tF2"};
    for (std::size_t i = 0; i < popup.ItemRecords().size(); ++i) {
        const std::u16string& text = popup.ItemRecords()[i]->m_text;
        const std::size_t tab = text.find(u'\t');
        if (expectedAccelerators[i].empty()) {
            EXPECT_EQ(tab, std::u16string::npos) << i;
            continue;
        }
        ASSERT_NE(tab, std::u16string::npos) << i;
        EXPECT_EQ(text.substr(tab), expectedAccelerators[i]) << i;
        const std::u16string label = text.substr(0, tab);
        // Padded just far enough: one space fewer would fall short.
        EXPECT_GE(width(label), widest) << i;
        ASSERT_EQ(label.back(), u' ') << i;
        EXPECT_LT(width(label.substr(0, label.size() - 1)), widest) << i;
    }
}

} // namespace
