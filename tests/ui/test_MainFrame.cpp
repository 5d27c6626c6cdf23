// The main window with the shipped skin on the offscreen platform: its geometry, the device list
// and its scrolling, scans, the key filter.
#include "MainFrameFixture.h"
#include "app/AppMessages.h"
#include "platform/gui/SystemMetrics.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<int> Range(int from, int to) {
    std::vector<int> rows;
    for (int i = from; i <= to; ++i)
        rows.push_back(i);
    return rows;
}

} // namespace

TEST_F(MainFrameTest, GeometryWithTheShippedSkin) {
    CMainFrame& frame = OpenWindow(3);
    EXPECT_EQ(WindowRect, XYWH(0, 0, 665, 520));
    EXPECT_EQ(HeaderRect, XYWH(0, 0, 665, 56));
    EXPECT_EQ(BodyRect, XYWH(0, 56, 665, 464));

    RECT window;
    frame.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), 665);
    EXPECT_EQ(window.Height(), 520);
    // Centred in the available area, never at a negative position.
    EXPECT_EQ(window.left, std::max((GetSystemMetrics(SM_CXFULLSCREEN) - 665) / 2, 0));
    EXPECT_EQ(window.top, std::max((GetSystemMetrics(SM_CYFULLSCREEN) - 520) / 2, 0));
    EXPECT_TRUE(frame.IsWindowVisible());

    // Buttons one pixel wider and higher than their entries; labels and scroll bar exact.
    EXPECT_EQ(ChildRect(frame.CloseButton()), XYWH(630, 3, 28, 19));
    EXPECT_EQ(ChildRect(frame.MinimiseButton()), XYWH(600, 3, 28, 19));
    EXPECT_EQ(ChildRect(frame.RescanButton()), XYWH(40, 480, 99, 24));
    EXPECT_EQ(ChildRect(frame.HeaderLabel(0)), XYWH(48, 105, 150, 24));
    EXPECT_EQ(ChildRect(frame.HeaderLabel(4)), XYWH(545, 105, 100, 24));
    EXPECT_EQ(ChildRect(frame.TitleLabel()), XYWH(45, 70, 500, 30));
    EXPECT_EQ(ChildRect(frame.ScrollBar()), XYWH(606, 129, 20, 343));
    EXPECT_EQ(frame.GetWindowText(), u"Quellmark");

    // Rows at x 43, y 130 + 34k, 562 x 34; the row's controls from entries 2000 to 2004.
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(ChildRect(frame.Row(k)), XYWH(43, 130 + 34 * k, 562, 34)) << k;
    CRemDev& row = frame.Row(0);
    EXPECT_EQ(ChildRect(row.Label(0)), XYWH(5, 10, 150, 24));
    EXPECT_EQ(ChildRect(row.Label(1)), XYWH(154, 10, 100, 24));
    EXPECT_EQ(ChildRect(row.Label(2)), XYWH(252, 10, 100, 24));
    EXPECT_EQ(ChildRect(row.Label(3)), XYWH(359, 10, 120, 24));
    EXPECT_EQ(ChildRect(row.ConnectButton()), XYWH(502, 7, 50, 21));
    EXPECT_EQ(row.EntryTexts()[kDisplayIpText], u"192.0.2.1");
    EXPECT_EQ(row.EntryTexts()[kDisplayDescription], u"Device 1");
}

// Part of the edge-case table of the device list: the rows and the scroll bar for 0, 5, 10 and
// 15 devices, then scroll messages, each case checked against the rows it must show.
TEST_F(MainFrameTest, RowsAndScrollingForTheDeviceCounts) {
    struct Step {
        UINT code;
        int position;
        std::vector<int> rows; // visible afterwards
        int thumb;             // the scroll bar's position afterwards
    };
    struct Case {
        int devices;
        std::vector<int> rows;
        bool scrollEnabled;
        int focus;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {0, {}, false, -1, {}},
        {5, Range(0, 4), false, 0, {}},
        {10, Range(0, 9), true, 0, {{SB_LINEDOWN, 0, Range(1, 9), 1}, {SB_LINEUP, 0, Range(0, 9), 0}}},
        {15,
         Range(0, 9),
         true,
         0,
         {{SB_PAGEDOWN, 0, Range(2, 11), 2},
          {SB_THUMBTRACK, 6, Range(6, 14), 6},
          {SB_THUMBPOSITION, 3, Range(6, 14), 6},
          {SB_LINEDOWN, 0, Range(7, 14), 6},
          {SB_LINEDOWN, 0, Range(7, 14), 6},
          {SB_PAGEDOWN, 0, Range(8, 14), 6},
          {SB_PAGEUP, 0, Range(4, 13), 4},
          {SB_LINEUP, 0, Range(3, 12), 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.devices) + " devices");
        CMainFrame& frame = OpenWindow(c.devices);
        EXPECT_EQ(frame.RowCount(), c.devices);
        EXPECT_EQ(VisibleRows(), c.rows);
        EXPECT_EQ(frame.FocusIndex(), c.focus);
        EXPECT_EQ(frame.ScrollBar().AreArrowsEnabled() != FALSE, c.scrollEnabled);
        SCROLLINFO info;
        frame.ScrollBar().GetScrollInfo(&info, SIF_RANGE | SIF_PAGE);
        EXPECT_EQ(info.nMax, c.devices);
        // The platform keeps the page within the range: 10, or the range's size when smaller.
        EXPECT_EQ(info.nPage, static_cast<UINT>(std::min(10, c.devices + 1)));
        for (std::size_t k = 0; k < c.rows.size(); ++k)
            EXPECT_EQ(ChildRect(frame.Row(c.rows[k])).top, 130 + 34 * static_cast<int>(k));
        for (std::size_t s = 0; s < c.steps.size(); ++s) {
            const Step& step = c.steps[s];
            SCOPED_TRACE("step " + std::to_string(s));
            Scroll(step.code, step.position);
            EXPECT_EQ(VisibleRows(), step.rows);
            EXPECT_EQ(frame.ScrollBar().GetScrollPos(), step.thumb);
            // The visible rows stay stacked from the top without gaps.
            for (std::size_t k = 0; k < step.rows.size(); ++k)
                EXPECT_EQ(ChildRect(frame.Row(step.rows[k])).top, 130 + 34 * static_cast<int>(k));
            // Scrolling keeps the focus index.
            EXPECT_EQ(frame.FocusIndex(), 0);
        }
        m_frame->WaitForScan();
        m_frame->DestroyWindow();
        m_frame.reset();
    }
}

TEST_F(MainFrameTest, TheFocusedRowGetsTheFocusBackWhenVisible) {
    CMainFrame& frame = OpenWindow(15);
    frame.ShowRows(3);
    EXPECT_EQ(frame.FocusIndex(), 3);
    EXPECT_EQ(CWnd::GetFocus(), &frame.Row(3));
    Scroll(SB_THUMBTRACK, 5); // row 3 scrolls out of sight
    EXPECT_EQ(frame.FocusIndex(), 3);
    Scroll(SB_THUMBTRACK, 2);
    EXPECT_EQ(CWnd::GetFocus(), &frame.Row(3));
    frame.ShowRows(40);
    EXPECT_EQ(frame.FocusIndex(), 14);
}

TEST_F(MainFrameTest, RescanIsDisabledFromTheClickToTheScansEndAlsoWhenNothingIsFound) {
    CMainFrame& frame = OpenWindow(5);
    EXPECT_TRUE(frame.RescanButton().IsWindowEnabled());

    m_source.Close();
    NextScanFinds(0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(res::kCtlRescan, BN_CLICKED), 0);
    m_source.WaitForArrival();
    EXPECT_TRUE(frame.IsScanning());
    EXPECT_FALSE(frame.RescanButton().IsWindowEnabled());
    // The rows keep the previous result while the pass runs.
    EXPECT_EQ(VisibleRows(), Range(0, 4));

    // Requests while a pass runs are skipped: no second worker, nothing queued.
    frame.SendMessage(UM_START_SCAN, 0, 0);
    frame.SendMessage(WM_TIMER, CMainFrame::kRescanTimer, 0);
    EXPECT_FALSE(frame.RescanButton().IsWindowEnabled());

    m_source.Open();
    frame.WaitForScan();
    EXPECT_TRUE(frame.RescanButton().IsWindowEnabled());
    EXPECT_FALSE(frame.IsScanning());
    EXPECT_EQ(frame.RowCount(), 0);
    EXPECT_TRUE(VisibleRows().empty());
    EXPECT_EQ(frame.FocusIndex(), -1);
    // One pass at the start, one from the click: the skipped requests started none.
    // The start lists the adapters twice (the inventory, then the pass); the click once more.
    EXPECT_EQ(m_source.Calls, 3);
}

TEST_F(MainFrameTest, ASmallerScanAfterALargerOneShowsTheNewDevicesFromTheTop) {
    CMainFrame& frame = OpenWindow(15);
    Scroll(SB_THUMBTRACK, 6);
    Scroll(SB_LINEDOWN);
    ASSERT_EQ(frame.FirstVisibleIndex(), 7);

    Rescan(3);
    EXPECT_EQ(frame.RowCount(), 3);
    EXPECT_EQ(frame.FirstVisibleIndex(), 0);
    EXPECT_EQ(VisibleRows(), Range(0, 2));
    EXPECT_EQ(frame.ScrollBar().GetScrollPos(), 0);
    EXPECT_FALSE(frame.ScrollBar().AreArrowsEnabled());
    EXPECT_EQ(frame.FocusIndex(), 0);

    // Twelve after fifteen, scrolled to the bottom: the last full page.
    Rescan(15);
    Scroll(SB_THUMBTRACK, 6);
    Scroll(SB_PAGEDOWN);
    ASSERT_EQ(frame.FirstVisibleIndex(), 8);
    Rescan(12);
    EXPECT_EQ(frame.FirstVisibleIndex(), 2);
    EXPECT_EQ(VisibleRows(), Range(2, 11));
    EXPECT_EQ(frame.ScrollBar().GetScrollPos(), 2);
}

TEST_F(MainFrameTest, TimerThreeStartsABackgroundScan) {
    CMainFrame& frame = OpenWindow(2);
    EXPECT_TRUE(frame.IsTimerRunning(CMainFrame::kRescanTimer));
    NextScanFinds(4);
    frame.SendMessage(WM_TIMER, CMainFrame::kRescanTimer, 0);
    frame.WaitForScan();
    EXPECT_EQ(frame.RowCount(), 4);
    EXPECT_TRUE(frame.IsTimerRunning(CMainFrame::kRescanTimer));
}

TEST_F(MainFrameTest, EnterEscapeAndF1DoNothing) {
    CMainFrame& frame = OpenWindow(3);
    for (UINT key : {VK_RETURN, VK_ESCAPE, VK_F1}) {
        for (CWnd* target : {static_cast<CWnd*>(&frame), static_cast<CWnd*>(&frame.Row(0)),
                             static_cast<CWnd*>(&frame.RescanButton())}) {
            MSG msg;
            msg.hwnd = target->GetSafeHwnd();
            msg.message = WM_KEYDOWN;
            msg.wParam = key;
            EXPECT_TRUE(DispatchInputMessage(&msg)) << key;
        }
    }
    EXPECT_TRUE(frame.IsWindow());
    EXPECT_TRUE(frame.IsWindowVisible());

    MSG other;
    other.hwnd = frame.GetSafeHwnd();
    other.message = WM_KEYDOWN;
    other.wParam = 'A';
    EXPECT_FALSE(DispatchInputMessage(&other));
}

// Hidden where a notification icon can bring it back; the offscreen platform has no notification
// area, so there the window minimises instead of becoming unreachable.
TEST_F(MainFrameTest, MinimiseHidesTheWindowOrMinimisesWithoutATray) {
    CMainFrame& frame = OpenWindow(1);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(res::kCtlMinimise, BN_CLICKED), 0);
    EXPECT_TRUE(!frame.IsWindowVisible() || frame.IsIconic());
    frame.CenterAndShow();
    EXPECT_TRUE(frame.IsWindowVisible());
    EXPECT_FALSE(frame.IsIconic());
}

TEST_F(MainFrameTest, ClosingWhileAScanRunsWaitsForItBeforeReleasingTheTables) {
    CMainFrame& frame = OpenWindow(4);
    m_source.Close();
    NextScanFinds(6);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(res::kCtlRescan, BN_CLICKED), 0);
    m_source.WaitForArrival();
    // The pass is held at its start; the close must cancel it and wait, not release under it.
    std::thread opener([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        m_source.Open();
    });
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(res::kCtlClose, BN_CLICKED), 0);
    opener.join();
    EXPECT_FALSE(frame.IsScanning());
    EXPECT_EQ(m_adapters.Count, 0u);
    EXPECT_EQ(LiveAdapterAddressRecords(), 0u);
}
