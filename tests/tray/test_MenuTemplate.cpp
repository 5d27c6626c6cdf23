// The menu resource from its readable source to the tree of owner-drawn menus.
#include "MenuTemplateCompiler.h"
#include "MenuTestSupport.h"
#include "platform/gui/CMenu.h"
#include "platform/gui/Resources.h"
#include "ui/tray/MenuHandleList.h"

#include <gtest/gtest.h>

namespace {

constexpr WORD P = MF_POPUP;
constexpr WORD E = MF_END;

TEST(MenuTemplateCompiler, ShipsMenu159AsOnePopupWithDisplayAndExit) {
    const auto bytes = LoadResourceData(159, u"MENU");
    ASSERT_TRUE(bytes.has_value());
    const std::vector<std::uint8_t> expected =
        MenuTemplate({{P | E, 0, u"Duz"}, {0, 32771, u"Display"}, {E, 32772, u"Exit"}});
    EXPECT_EQ(*bytes, expected);
}

TEST(MenuTemplateCompiler, WritesSeparatorsOptionsAndEndMarks) {
    const auto result = menucompiler::CompileMenuSource(R"(
        MENU 7   # a comment
        BEGIN
            POPUP "F", GRAYED
            BEGIN
                MENUITEM "New\tCtrl+N", 0x10, CHECKED
                MENUITEM SEPARATOR
                MENUITEM "Quit", 2, GRAYED, MENUBREAK
            END
            MENUITEM "Ä", 3
        END)");
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.menuId, 7);
    const std::vector<std::uint8_t> expected = MenuTemplate({{P | MF_GRAYED, 0, u"F"},
                                                             {MF_CHECKED, 16, u"New\tCtrl+N"},
                                                             {0, 0, u""},
                                                             {E | MF_GRAYED | MF_MENUBREAK, 2, u"Quit"},
                                                             {E, 3, u"\u00C4"}});
    EXPECT_EQ(result.bytes, expected);
}

TEST(MenuTemplateCompiler, RefusesBrokenSourcesWithTheLine) {
    const struct {
        const char* source;
        const char* error;
    } cases[] = {
        {"MENU 1\nBEGIN\n MENUITEM \"A\", 1\n", "line 2: BEGIN without END"},
        {"MENU 1\nBEGIN\nPOPUP \"P\"\nBEGIN\nEND\nEND", "line 5: a menu or popup needs at least one item"},
        {"MENU 1\nBEGIN\nMENUITEM \"A\" 1\nEND", "line 3: expected ','"},
        {"MENU 1\nBEGIN\nMENUITEM \"A\", 70000\nEND", "line 3: command id does not fit in 16 bits"},
        {"MENU 1\nBEGIN\nMENUITEM \"A\", 1, BOLD\nEND", "line 3: unknown option BOLD"},
        {"MENU 1\nBEGIN\nMENUITEM \"A, 1\nEND", "line 3: text without its closing quote"},
        {"MENU 1\nBEGIN\nMENUITEM \"\xff\", 1\nEND", "line 3: text is not valid UTF-8"},
        {"MENU 1\nBEGIN\nMENUITEM \"A\", 1\nEND\nEND", "line 5: text after the menu's END"},
    };
    for (const auto& c : cases) {
        const auto result = menucompiler::CompileMenuSource(c.source);
        EXPECT_FALSE(result.ok) << c.source;
        EXPECT_EQ(result.error, c.error) << c.source;
    }
}

TEST(GxMenuLoad, BuildsTheTreeFromTheTemplate) {
    const struct {
        const char* name;
        std::vector<TemplateItem> items;
        WORD headerOffset;
        const char* tree;
    } cases[] = {
        {"flat top level stays plain", {{0, 1, u"A"}, {E, 2, u"B"}}, 0, "A=1,B=2"},
        {"the tray menu",
         {{P | E, 0, u"Duz"}, {0, 32771, u"Display"}, {E, 32772, u"Exit"}},
         0,
         "Duz{Display=32771*,Exit=32772*}"},
        {"separators", {{P | E, 0, u"P"}, {0, 1, u"A"}, {0, 0, u""}, {E, 2, u"B"}}, 0, "P{A=1*,-*,B=2*}"},
        {"nested popups closed at several depths",
         {{P, 0, u"F"},
          {0, 1, u"New"},
          {P, 0, u"Recent"},
          {0, 10, u"One"},
          {E, 11, u"Two"},
          {E, 2, u"Quit"},
          {P | E, 0, u"H"},
          {E, 3, u"About"}},
         0,
         "F{New=1*,Recent{One=10*,Two=11*}*,Quit=2*},H{About=3*}"},
        {"one end mark closing three levels",
         {{P | E, 0, u"A"}, {P | E, 0, u"B"}, {E, 5, u"x"}},
         0,
         "A{B{x=5*}*}"},
        {"header offset skipped", {{P | E, 0, u"P"}, {E, 9, u"Z"}}, 6, "P{Z=9*}"},
    };
    for (const auto& c : cases) {
        const std::size_t liveBefore = LiveMenuCount();
        GxMenu menu;
        ASSERT_TRUE(menu.LoadMenuIndirect(MenuTemplate(c.items, c.headerOffset))) << c.name;
        EXPECT_EQ(DescribeMenu(menu), c.tree) << c.name;
        // Released, the whole tree is gone: no menu handle, none left in the list.
        menu.ReleaseMenu();
        EXPECT_EQ(menu.GetSafeHmenu(), nullptr) << c.name;
        EXPECT_TRUE(menu.ItemRecords().empty() && menu.SubmenuHandles().empty()) << c.name;
        EXPECT_EQ(LiveMenuCount(), liveBefore) << c.name;
        EXPECT_EQ(MenuHandleList::Instance().Count(), 0u) << c.name;
    }
}

TEST(GxMenuLoad, TopLevelRecordsTakeThePlainFlagsAndPopupsAreListed) {
    GxMenu menu;
    ASSERT_TRUE(menu.LoadMenuResource(159));
    ASSERT_EQ(menu.ItemRecords().size(), 1u);
    EXPECT_EQ(menu.ItemRecords()[0]->m_flags, MF_BYPOSITION | MF_POPUP);
    ASSERT_EQ(menu.SubmenuHandles().size(), 1u);
    EXPECT_EQ(menu.SubmenuHandles()[0], menu.GetSubMenuHandle(0));
    EXPECT_TRUE(MenuHandleList::Instance().Contains(menu.GetSubMenuHandle(0)));
    const auto* popup = dynamic_cast<const GxMenu*>(menu.GetSubMenu(0));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->ItemRecords()[0]->m_flags, MF_OWNERDRAW);
    EXPECT_EQ(popup->ItemRecords()[0]->m_commandId, 32771u);
    // The platform item hands the record back to the measure and draw requests.
    EXPECT_EQ(popup->GetMenuItemData(0, MF_BYPOSITION),
              reinterpret_cast<UINT_PTR>(popup->ItemRecords()[0].get()));
}

TEST(GxMenuLoad, MissingOrTruncatedTemplatesBuildNothing) {
    const std::size_t liveBefore = LiveMenuCount();
    const std::vector<std::vector<std::uint8_t>> broken = {
        {},
        {0, 0},
        MenuTemplate({{P | E, 0, u"P"}, {0, 1, u"A"}}), // the popup never ends
        [] {
            auto bytes = MenuTemplate({{P | E, 0, u"P"}, {E, 1, u"Abc"}});
            bytes.resize(bytes.size() - 3); // cut inside the last text
            return bytes;
        }(),
        {0, 0, 40, 0, 0x80, 0}, // header offset past the end
    };
    for (const auto& bytes : broken) {
        GxMenu menu;
        EXPECT_FALSE(menu.LoadMenuIndirect(bytes));
        EXPECT_EQ(menu.GetSafeHmenu(), nullptr);
        EXPECT_TRUE(menu.ItemRecords().empty());
    }
    GxMenu missing;
    EXPECT_FALSE(missing.LoadMenuResource(4242));
    EXPECT_FALSE(missing.LoadMenuResource(u"#4242"));
    EXPECT_EQ(LiveMenuCount(), liveBefore);
    EXPECT_EQ(MenuHandleList::Instance().Count(), 0u);
}

TEST(GxMenuLoad, LoadsByNameAndReleasesAnEarlierTree) {
    const std::size_t liveBefore = LiveMenuCount();
    GxMenu menu;
    ASSERT_TRUE(menu.LoadMenuResource(u"#159"));
    ASSERT_TRUE(menu.LoadMenuResource(u"159"));
    EXPECT_EQ(LiveMenuCount(), liveBefore + 2); // one bar, one popup: the first tree is gone
    menu.ReleaseMenu();
    EXPECT_EQ(LiveMenuCount(), liveBefore);
}

} // namespace
