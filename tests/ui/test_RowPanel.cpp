// A device row inside the main window: its texts, its hover look driven by the 10 ms timer, and
// the page its connect button opens.
#include "MainFrameFixture.h"
#include "platform/gui/Image.h"

#include <QCursor>
#include <QImage>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

void PointerAt(const RECT& screenRect, int dx, int dy) {
    QCursor::setPos(screenRect.left + dx, screenRect.top + dy);
}

// Fires the row's hover timer once, as the platform would after 10 ms.
void Tick(CRemDev& row) {
    row.SendMessage(WM_TIMER, CRemDev::kHoverTimer, 0);
}

} // namespace

TEST_F(MainFrameTest, ARowLightsUpUnderThePointerAndGoesOutWhenItLeaves) {
    CMainFrame& frame = OpenWindow(3);
    CRemDev& row = frame.Row(1);
    RECT rect;
    row.GetWindowRect(&rect);
    const Image* normal = GetSkinImage(165, u"PNG");
    const Image* hover = GetSkinImage(166, u"PNG");
    ASSERT_EQ(row.Background(), normal);

    // Inside: the first movement starts the timer, the first tick lights the row.
    PointerAt(rect, 100, 10);
    row.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(100, 10));
    EXPECT_TRUE(row.IsTimerRunning(CRemDev::kHoverTimer));
    EXPECT_FALSE(row.IsHoverLook());
    const QImage before = row.Surface().copy();
    Tick(row);
    EXPECT_TRUE(row.IsHoverLook());
    EXPECT_EQ(row.Background(), hover);
    EXPECT_NE(row.Surface(), before) << "the hover picture was not painted";
    Tick(row); // inside again: no change
    EXPECT_TRUE(row.IsHoverLook());

    // ResetLook while the pointer rests on the row: normal now, lit again at the next tick.
    row.ResetLook();
    EXPECT_FALSE(row.IsHoverLook());
    EXPECT_TRUE(row.IsTimerRunning(CRemDev::kHoverTimer));
    Tick(row);
    EXPECT_TRUE(row.IsHoverLook());

    // The right and bottom edges are outside: the look goes and the timer stops.
    PointerAt(rect, rect.Width(), 10);
    Tick(row);
    EXPECT_FALSE(row.IsHoverLook());
    EXPECT_TRUE(row.IsPointerLeft());
    EXPECT_FALSE(row.IsTimerRunning(CRemDev::kHoverTimer));
    EXPECT_EQ(row.Background(), normal);
    EXPECT_FALSE(frame.Row(0).IsHoverLook());
}

TEST_F(MainFrameTest, APointerThatCrossesARowFasterThanATickLeavesItDark) {
    CMainFrame& frame = OpenWindow(3);
    CRemDev& row = frame.Row(0);
    RECT rect;
    row.GetWindowRect(&rect);
    PointerAt(rect, 10, 10);
    row.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PointerAt(rect, 10, 40); // already below the row at the first tick
    Tick(row);
    EXPECT_FALSE(row.IsHoverLook());
    EXPECT_FALSE(row.IsTimerRunning(CRemDev::kHoverTimer));
}

TEST_F(MainFrameTest, OtherTimerIdsAreIgnored) {
    CMainFrame& frame = OpenWindow(1);
    CRemDev& row = frame.Row(0);
    RECT rect;
    row.GetWindowRect(&rect);
    PointerAt(rect, 10, 10);
    row.SendMessage(WM_TIMER, 1, 0);
    EXPECT_FALSE(row.IsHoverLook());
}

TEST_F(MainFrameTest, EmptyEntriesClearTheLabels) {
    CMainFrame& frame = OpenWindow(2);
    CRemDev& row = frame.Row(0);
    EXPECT_EQ(row.Label(3).GetWindowText(), u"02-51-4D-00-00-01");
    row.SetDeviceEntry(DeviceDisplayEntry{});
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(row.Label(i).GetWindowText(), u"") << i;
}

// The connect button hands "http://" + exactly the IP text to the desktop's opener, as one
// argument. A fake xdg-open first in PATH records what it gets.
TEST_F(MainFrameTest, ConnectOpensExactlyTheDevicesAddress) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("qm-open-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path log = dir / "opened.log";
    {
        std::ofstream script(dir / "xdg-open");
        script << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$*\" >> '" << log.string() << "'\n";
    }
    std::filesystem::permissions(dir / "xdg-open", std::filesystem::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir.string() + ":" + oldPath).c_str(), 1);

    CMainFrame& frame = OpenWindow(3);
    frame.Row(2).SendMessage(WM_COMMAND, MAKEWPARAM(res::kCtlRowConnect, BN_CLICKED),
                             reinterpret_cast<LPARAM>(frame.Row(2).ConnectButton().GetSafeHwnd()));
    std::string opened;
    for (int i = 0; i < 200 && opened.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(log);
        std::getline(in, opened);
    }
    ::setenv("PATH", oldPath.c_str(), 1);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(opened, "1|http://192.0.2.3");
}
