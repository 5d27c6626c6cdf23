// What a second start has the running copy do: bring the marked window forward, whatever state
// it is in, and nothing when no window carries the marker yet.
#include "app/CVornixApp.h"
#include "app/InstanceMarker.h"
#include "platform/gui/CWnd.h"

#include <gtest/gtest.h>

namespace {

class MarkedWindow : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_window.CreateEx(0, kWindowClassPlain, u"Quellmark", WS_POPUP, RECT{10, 10, 110, 110},
                                      nullptr, 0));
    }
    void TearDown() override { m_window.DestroyWindow(); }
    CWnd m_window;
};

} // namespace

TEST_F(MarkedWindow, NothingIsRaisedBeforeTheWindowCarriesTheMarker) {
    CVornixApp::RaiseMarkedWindow();
    EXPECT_FALSE(m_window.IsWindowVisible());
}

TEST_F(MarkedWindow, AHiddenWindowIsShown) {
    m_window.SetProp(kInstanceMarker, 1);
    CVornixApp::RaiseMarkedWindow();
    EXPECT_TRUE(m_window.IsWindowVisible());
}

TEST_F(MarkedWindow, AMinimisedWindowIsRestored) {
    m_window.SetProp(kInstanceMarker, 1);
    m_window.ShowWindow(SW_SHOW);
    m_window.ShowWindow(SW_MINIMIZE);
    CVornixApp::RaiseMarkedWindow();
    EXPECT_FALSE(m_window.IsIconic());
    EXPECT_TRUE(m_window.IsWindowVisible());
}

TEST(ImageSubsystem, NotStartedByAnyTestHere) {
    // Started once by the first copy's InitInstance and shut down once by ExitInstance; a second
    // copy never starts it. Nothing in this process ran InitInstance.
    EXPECT_EQ(CVornixApp::ImageStartups(), 0);
    EXPECT_EQ(CVornixApp::ImageShutdowns(), 0);
}
