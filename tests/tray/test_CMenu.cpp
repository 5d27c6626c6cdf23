// Platform menus: handles, items by position and by command, popups, destruction.
#include "PopupCapture.h"
#include "platform/gui/CMenu.h"

#include <gtest/gtest.h>

namespace {

TEST(CMenuItems, AppendModifyAndQueryByPositionAndByCommand) {
    CMenu bar;
    CMenu popup;
    ASSERT_TRUE(bar.CreateMenu());
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(popup.AppendMenu(MF_STRING, 10, u"Ten"));
    ASSERT_TRUE(popup.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(popup.AppendMenu(MF_OWNERDRAW | MF_GRAYED, 11, UINT_PTR{0xBEEF}));
    ASSERT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.GetSafeHmenu()), u"File"));
    ASSERT_TRUE(bar.AppendMenu(MF_STRING, 20, u"Twenty"));

    EXPECT_EQ(bar.GetMenuItemCount(), 2);
    EXPECT_EQ(bar.GetMenuItemID(0), 0xFFFFFFFFu); // a popup has no command id
    EXPECT_EQ(bar.GetMenuItemID(1), 20u);
    EXPECT_EQ(bar.GetMenuItemID(2), 0xFFFFFFFFu);
    EXPECT_EQ(bar.GetSubMenu(0), &popup);
    EXPECT_EQ(popup.GetMenuItemID(1), 0u);
    EXPECT_EQ(popup.GetMenuState(1, MF_BYPOSITION), MF_SEPARATOR);
    // By command, the popups are searched too.
    EXPECT_EQ(bar.GetMenuState(11, MF_BYCOMMAND), MF_OWNERDRAW | MF_GRAYED);
    EXPECT_EQ(bar.GetMenuItemData(11, MF_BYCOMMAND), UINT_PTR{0xBEEF});
    EXPECT_EQ(bar.GetMenuString(10, MF_BYCOMMAND), u"Ten");
    EXPECT_EQ(bar.GetMenuState(99, MF_BYCOMMAND), 0xFFFFFFFFu);

    ASSERT_TRUE(bar.ModifyMenu(10, MF_BYCOMMAND | MF_OWNERDRAW, 12, UINT_PTR{7}));
    EXPECT_EQ(popup.GetMenuItemID(0), 12u);
    EXPECT_EQ(popup.GetMenuItemData(0, MF_BYPOSITION), UINT_PTR{7});
    ASSERT_TRUE(bar.ModifyMenu(1, MF_BYPOSITION, 21, u"Twenty-one"));
    EXPECT_EQ(bar.GetMenuString(1, MF_BYPOSITION), u"Twenty-one");
    EXPECT_FALSE(bar.ModifyMenu(5, MF_BYPOSITION, 1, u"nowhere"));

    EXPECT_EQ(bar.CheckMenuItem(12, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(bar.CheckMenuItem(12, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(bar.EnableMenuItem(11, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(bar.GetMenuState(11, MF_BYCOMMAND), MF_OWNERDRAW);
}

TEST(CMenuItems, DestroyingAMenuDestroysItsPopupsAndLeavesDeadHandles) {
    const std::size_t before = LiveMenuCount();
    CMenu bar;
    CMenu popup;
    CMenu inner;
    ASSERT_TRUE(bar.CreateMenu());
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(inner.CreatePopupMenu());
    inner.AppendMenu(MF_STRING, 1, u"x");
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(inner.GetSafeHmenu()), u"Inner");
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.GetSafeHmenu()), u"Popup");
    const HMENU innerHandle = inner.GetSafeHmenu();
    EXPECT_EQ(LiveMenuCount(), before + 3);
    ASSERT_TRUE(bar.DestroyMenu());
    EXPECT_EQ(LiveMenuCount(), before);
    EXPECT_FALSE(IsMenu(innerHandle));
    EXPECT_EQ(inner.GetSafeHmenu(), nullptr); // the object lets go of its dead handle
    EXPECT_EQ(CMenu::FromHandle(innerHandle), nullptr);
    EXPECT_EQ(inner.GetMenuItemCount(), -1);
    EXPECT_FALSE(inner.AppendMenu(MF_STRING, 2, u"y"));
    // Appending a dead popup fails instead of pointing at nothing.
    CMenu other;
    ASSERT_TRUE(other.CreatePopupMenu());
    EXPECT_FALSE(other.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(innerHandle), u"Gone"));
}

TEST(CMenuItems, AHandleHasOneObjectAtATime) {
    CMenu first;
    ASSERT_TRUE(first.CreatePopupMenu());
    CMenu second;
    EXPECT_FALSE(second.Attach(first.GetSafeHmenu()));
    const HMENU handle = first.Detach();
    EXPECT_EQ(CMenu::FromHandle(handle), nullptr);
    ASSERT_TRUE(second.Attach(handle));
    EXPECT_EQ(CMenu::FromHandle(handle), &second);
    EXPECT_FALSE(second.CreateMenu()); // already holds one
}

TEST(PopupTracking, KeysWalkIntoSubmenusAndChoose) {
    CMenu popup;
    CMenu sub;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenu(MF_STRING, 31, u"Thirty-one");
    sub.AppendMenu(MF_STRING, 32, u"Thirty-two\tCtrl+T");
    popup.AppendMenu(MF_STRING, 1, u"One");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeHmenu()), u"More");
    popup.AppendMenu(MF_STRING | MF_GRAYED, 4, u"Grayed");

    // Down skips the separator; Right opens the submenu on its first item; Down, Return.
    PopupCapture chosen =
        TrackAndCapture(popup, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return});
    EXPECT_EQ(chosen.command, 32u);
    // Escape in the submenu closes it only; the next Escape dismisses the popup.
    PopupCapture dismissed = TrackAndCapture(popup, {Qt::Key_End, Qt::Key_Up, Qt::Key_Right, Qt::Key_Escape});
    EXPECT_EQ(dismissed.command, 0u);
    // A grayed item cannot be chosen.
    PopupCapture grayed = TrackAndCapture(popup, {Qt::Key_End, Qt::Key_Return});
    EXPECT_EQ(grayed.command, 0u);
}

TEST(PopupTracking, NothingToTrackIsRefused) {
    CMenu empty;
    ASSERT_TRUE(empty.CreatePopupMenu());
    EXPECT_FALSE(empty.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, nullptr));
    CMenu dead;
    EXPECT_FALSE(dead.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, nullptr));
    // One popup at a time: a second tracking while one runs is refused.
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, 1, u"One");
    BOOL nested = TRUE;
    PopupMenuWidget::OnNextShowForTesting([&] {
        nested = popup.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, nullptr);
        PressKey(Qt::Key_Escape);
    });
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_LEFTALIGN, 10, 10, nullptr));
    EXPECT_FALSE(nested);
}

} // namespace
