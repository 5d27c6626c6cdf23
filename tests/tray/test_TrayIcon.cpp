// The notification-area icon: its record, its tip and its clicks as callback messages.
#include "TrayTestWindow.h"
#include "platform/gui/CTrayIcon.h"
#include "platform/gui/Resources.h"

#include <QSystemTrayIcon>
#include <gtest/gtest.h>

namespace {

class TrayIcon : public ::testing::Test {
protected:
    void TearDown() override {
        if (FindTrayIconForTesting(m_window.GetSafeHwnd(), kTrayIconId)) {
            m_window.trayMenu.RemoveTrayIcon(&m_window);
        }
    }
    TrayTestWindow m_window;
};

TEST_F(TrayIcon, AddFillsTheRecordAndShowsTheTitleAsTip) {
    const std::u16string title = LoadStringResource(kTrayTipString);
    ASSERT_EQ(title, u"Quellmark");
    m_window.trayMenu.AddTrayIcon(&m_window, title, nullptr);
    const NOTIFYICONDATAW& record = m_window.trayMenu.TrayIconRecord();
    EXPECT_EQ(record.cbSize, 956u);
    EXPECT_EQ(record.hWnd, m_window.GetSafeHwnd());
    EXPECT_EQ(record.uID, 159u);
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.uCallbackMessage, 0x1425u);
    EXPECT_EQ(std::u16string(record.szTip), u"Quellmark");
    const CTrayIcon* icon = FindTrayIconForTesting(m_window.GetSafeHwnd(), 159);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->ToolTipForTesting(), u"Quellmark");
}

TEST_F(TrayIcon, ALongTitleIsCutToTheFieldWithoutSplittingAPair) {
    std::u16string title(126, u'x');
    title += u"\U0001F600"; // a surrogate pair across units 127 and 128
    title += u"tail";
    m_window.trayMenu.AddTrayIcon(&m_window, title, nullptr);
    const std::u16string tip(m_window.trayMenu.TrayIconRecord().szTip);
    EXPECT_EQ(tip, std::u16string(126, u'x'));
    std::u16string plain(300, u'y');
    m_window.trayMenu.RemoveTrayIcon(&m_window);
    m_window.trayMenu.AddTrayIcon(&m_window, plain, nullptr);
    EXPECT_EQ(std::u16string(m_window.trayMenu.TrayIconRecord().szTip), std::u16string(127, u'y'));
}

TEST_F(TrayIcon, ClicksArriveAsTheCallbackWithTheButtonRelease) {
    m_window.handleTray = false;
    m_window.trayMenu.AddTrayIcon(&m_window, u"Quellmark", nullptr);
    CTrayIcon* icon = FindTrayIconForTesting(m_window.GetSafeHwnd(), 159);
    ASSERT_NE(icon, nullptr);
    icon->ActivateForTesting(QSystemTrayIcon::Trigger);
    icon->ActivateForTesting(QSystemTrayIcon::Context);
    icon->ActivateForTesting(QSystemTrayIcon::DoubleClick);
    // Posted: nothing arrives until the queue runs.
    EXPECT_TRUE(m_window.received.empty());
    ProcessPostedMessages();
    const UINT expected[] = {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    ASSERT_EQ(m_window.received.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(m_window.received[i].message, 0x1425u);
        EXPECT_EQ(m_window.received[i].wParam, 159u);
        EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(m_window.received[i].lParam)), expected[i]) << i;
    }
}

TEST_F(TrayIcon, RemoveDeletesTheIconOnce) {
    m_window.trayMenu.AddTrayIcon(&m_window, u"Quellmark", nullptr);
    m_window.trayMenu.RemoveTrayIcon(&m_window);
    EXPECT_TRUE(m_window.trayMenu.TrayRequestResult());
    EXPECT_EQ(FindTrayIconForTesting(m_window.GetSafeHwnd(), 159), nullptr);
    m_window.trayMenu.RemoveTrayIcon(&m_window);
    EXPECT_FALSE(m_window.trayMenu.TrayRequestResult());
}

TEST_F(TrayIcon, WithoutANotificationAreaTheWindowMinimisesInsteadOfHiding) {
    // Qt's offscreen platform has no tray: the add is refused, and hiding would strand the window.
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    m_window.trayMenu.AddTrayIcon(&m_window, u"Quellmark", nullptr);
    EXPECT_FALSE(m_window.trayMenu.TrayRequestResult());
    EXPECT_FALSE(CanHideToTray(m_window.trayMenu));
}

} // namespace
