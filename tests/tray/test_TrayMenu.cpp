// The tray popup from the right click to the command, and the commands themselves.
#include "MenuTestSupport.h"
#include "PopupCapture.h"
#include "TrayTestWindow.h"
#include "platform/gui/MessageDispatcher.h"
#include "ui/tray/MenuHandleList.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

struct OpenPopup {
    std::string tree;
    UINT defaultCommandId = 0;
    std::vector<RECT> itemRects;
};

class TrayMenu : public ::testing::Test {
protected:
    void SetUp() override { m_liveMenusBefore = LiveMenuCount(); }
    void TearDown() override {
        if (auto* dispatcher = MessageDispatcher::Instance()) {
            dispatcher->ClearQuit();
        }
    }

    // A right-button release on the icon, with step run inside the open popup.
    OpenPopup RightClick(std::function<void()> step) {
        OpenPopup seen;
        PopupMenuWidget::OnNextShowForTesting([&seen, step] {
            PopupMenuWidget* popup = PopupMenuWidget::Innermost();
            const auto* menu = dynamic_cast<const GxMenu*>(CMenu::FromHandle(popup->Menu()));
            seen.tree = DescribeMenu(*menu);
            seen.defaultCommandId = menu->DefaultCommandId();
            for (int i = 0; popup->ItemRect(i).bottom > 0; ++i) {
                seen.itemRects.push_back(popup->ItemRect(i));
            }
            step();
        });
        EXPECT_EQ(SendMessage(m_window.GetSafeHwnd(), kTrayNotifyMessage, kTrayIconId, WM_RBUTTONUP), 1);
        return seen;
    }

    std::size_t m_liveMenusBefore = 0;
    TrayTestWindow m_window;
};

TEST_F(TrayMenu, RightClickShowsOpenAndExitWithOpenAsTheDefault) {
    const OpenPopup seen = RightClick([] { PressKey(Qt::Key_Escape); });
    EXPECT_EQ(seen.tree, "Open=32771*,Exit=32772*");
    EXPECT_EQ(seen.defaultCommandId, 32771u);
    EXPECT_EQ(m_window.trayTexts.openText, u"Open");
    EXPECT_EQ(m_window.trayTexts.exitText, u"Exit");
    EXPECT_EQ(GxMenu::FlatStyleDistinctFace, 1);
    EXPECT_EQ(GxMenu::FlatStyleSameFace, 1);
}

TEST_F(TrayMenu, DismissingChoosesNothingAndLeavesNoMenuBehind) {
    RightClick([] { PressKey(Qt::Key_Escape); });
    ProcessPostedMessages();
    EXPECT_EQ(m_window.received.size(), 1u); // the callback itself, no command
    EXPECT_EQ(m_window.trayMenu.GetSafeHmenu(), nullptr);
    EXPECT_EQ(LiveMenuCount(), m_liveMenusBefore);
    EXPECT_EQ(MenuHandleList::Instance().Count(), 0u);
    EXPECT_EQ(m_window.centerAndShowCalls, 0);
}

TEST_F(TrayMenu, ChoosingOpenShowsTheWindowAfterThePopupHasClosed) {
    RightClick([] {
        PressKey(Qt::Key_Down);
        PressKey(Qt::Key_Return);
    });
    // The command is queued; the menu is already gone when it arrives.
    EXPECT_EQ(m_window.centerAndShowCalls, 0);
    EXPECT_EQ(LiveMenuCount(), m_liveMenusBefore);
    ProcessPostedMessages();
    ASSERT_EQ(m_window.received.size(), 2u);
    EXPECT_EQ(m_window.received[1].message, WM_COMMAND);
    EXPECT_EQ(LOWORD(m_window.received[1].wParam), 32771u);
    EXPECT_EQ(m_window.centerAndShowCalls, 1);
    EXPECT_TRUE(m_window.IsWindowVisible());
}

TEST_F(TrayMenu, ExitReleasesTheAdaptersAndAsksToQuitWithZero) {
    RightClick([] {
        PressKey(Qt::Key_Up); // round the end to the last item
        PressKey(Qt::Key_Return);
    });
    ProcessPostedMessages();
    ASSERT_EQ(m_window.received.size(), 2u);
    EXPECT_EQ(LOWORD(m_window.received[1].wParam), 32772u);
    EXPECT_EQ(m_window.releaseAdapterTableCalls, 1);
    ASSERT_NE(MessageDispatcher::Instance(), nullptr);
    EXPECT_TRUE(MessageDispatcher::Instance()->QuitPending());
    EXPECT_EQ(MessageDispatcher::Instance()->QuitCode(), 0);
}

TEST_F(TrayMenu, ThePointerChoosesWithEitherButton) {
    RightClick([] {
        PopupMenuWidget* popup = PopupMenuWidget::Innermost();
        const RECT exit = popup->ItemRect(1);
        const QPoint local(exit.left + 20, exit.top + exit.Height() / 2);
        const QPoint global = popup->mapToGlobal(local);
        QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(popup, &move);
        EXPECT_EQ(popup->HotItem(), 1);
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::RightButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(popup, &release);
    });
    ProcessPostedMessages();
    ASSERT_EQ(m_window.received.size(), 2u);
    EXPECT_EQ(LOWORD(m_window.received[1].wParam), 32772u);
}

TEST_F(TrayMenu, APressOutsideDismisses) {
    RightClick([] {
        PopupMenuWidget* popup = PopupMenuWidget::Innermost();
        const QPoint local(-50, -50);
        QMouseEvent press(QEvent::MouseButtonPress, local, popup->mapToGlobal(local), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(popup, &press);
    });
    ProcessPostedMessages();
    EXPECT_EQ(m_window.received.size(), 1u);
}

TEST_F(TrayMenu, LeftReleaseShowsTheWindowAndOtherMouseMessagesDoNothing) {
    for (const UINT other : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        EXPECT_EQ(SendMessage(m_window.GetSafeHwnd(), kTrayNotifyMessage, kTrayIconId, other), 1);
    }
    EXPECT_EQ(m_window.centerAndShowCalls, 0);
    EXPECT_FALSE(m_window.IsWindowVisible());
    EXPECT_EQ(SendMessage(m_window.GetSafeHwnd(), kTrayNotifyMessage, kTrayIconId, WM_LBUTTONUP), 1);
    EXPECT_EQ(m_window.centerAndShowCalls, 1);
    EXPECT_TRUE(m_window.IsWindowVisible());
}

// Ink (dark pixels) of the first item's text, drawn with and without it being the default.
int TextInk(UINT defaultCommandId) {
    GxMenu menu;
    EXPECT_TRUE(menu.LoadMenuResource(159));
    menu.SetItemTextByCommand(std::u16string_view(u"Open"), 32771);
    auto* popup = dynamic_cast<GxMenu*>(menu.GetSubMenu(0));
    popup->SetDefaultCommandId(defaultCommandId);
    const PopupCapture capture = TrackAndCapture(*popup, {});
    const RECT r = capture.itemRects.at(0);
    int ink = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left + 25; x < r.right; ++x) {
            ink += 255 - qGray(capture.shots.at(0).pixel(x, y));
        }
    }
    return ink;
}

TEST_F(TrayMenu, TheDefaultItemIsDrawnBold) {
    EXPECT_GT(TextInk(32771), TextInk(0) * 11 / 10);
}

} // namespace
