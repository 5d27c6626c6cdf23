#pragma once

// The program's only top-level window: a borderless dialog (template 102) whose face is composed
// from the skin's header and body pictures, with the minimise, close and rescan buttons, five
// column headers and a title, a scroll bar and 32 device rows of which at most ten are visible.
//
// Scanning. The first pass runs on the user-interface thread before the window is shown. Later
// passes run on the scan worker's thread, every 60 seconds (timer 3) and on the rescan button;
// the worker hands its result over with a synchronous UM_SCAN_DONE and waits while the window
// reads the display copy, so the tables need no lock. Passes never overlap: a request that comes
// while one runs (timer 3, UM_START_SCAN) is skipped, not queued, and the rescan button stays
// disabled from the click until the result is in.
//
// Closing while a pass runs: the worker is cancelled and waited for while the window serves the
// sends it may be blocked in; only then is the adapter table released, so the worker never reads
// a released table and never waits for a window that is gone.

#include "discovery/ScanContext.h"
#include "discovery/ScanWorker.h"
#include "platform/gui/CBitmap.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CDialog.h"
#include "platform/gui/CScrollBar.h"
#include "ui/controls/CLumButton.h"
#include "ui/controls/CLumStatic.h"
#include "ui/row_panel/CRemDev.h"
#include "ui/tray/CDuzTray.h"
#include "ui/tray/TrayCommandTarget.h"

#include <array>
#include <functional>
#include <string>

class Image;

// The window's face, set once by ComputeWindowGeometry: header picture above body picture.
extern RECT HeaderRect;
extern RECT BodyRect;
extern RECT WindowRect;

class CMainFrame : public CDialog, public TrayCommandTarget {
public:
    // scan: the tables the window shows and the network it scans (the application's).
    // onMarked: called once the window carries the single-instance marker; the application opens
    // its channel for a second start then.
    CMainFrame(const ScanContext& scan, std::function<void()> onMarked = {});
    ~CMainFrame() override;

    // Shows the window centred in the screen's available area (never at a negative position),
    // at the top and restored. Also the tray's Display command.
    void CenterAndShow() override;
    // The tray's view of the window.
    CWnd& TrayWindow() override { return *this; }
    // The tray's Exit: no pass may still read the table when it goes.
    void ReleaseAdapterTable() override;

    // The device list (also called directly: nobody sends UM_SHOW_ROWS).
    LRESULT ShowRows(int focusIndex);
    LRESULT StartScan();
    LRESULT ApplyScanResult();

    // Read-only views for tests.
    int FirstVisibleIndex() const { return m_firstVisible; }
    int FocusIndex() const { return m_focusIndex; }
    int RowCount() const { return m_rowCount; }
    bool IsScanning() const { return m_scanWorker.IsRunning(); }
    bool IsBackgroundReady() const { return m_backgroundReady; }
    CRemDev& Row(int index) { return m_rows[static_cast<std::size_t>(index)]; }
    CLumButton& RescanButton() { return m_rescan; }
    CLumButton& MinimiseButton() { return m_minimise; }
    CLumButton& CloseButton() { return m_close; }
    CScrollBar& ScrollBar() { return m_scrollBar; }
    CLumStatic& HeaderLabel(int index) { return m_headerLabels[static_cast<std::size_t>(index)]; }
    CLumStatic& TitleLabel() { return m_title; }
    // Waits until no pass runs, serving the worker's hand-over meanwhile.
    void WaitForScan();

    static constexpr UINT_PTR kRescanTimer = 3;
    static constexpr UINT kRescanPeriodMs = 60000;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* pScrollBar) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    HCURSOR OnQueryDragIcon() override;

private:
    void ComputeWindowGeometry();
    void ApplySkinLayout();
    void LayoutButtons();
    void LayoutLabels();
    void SetScrollRange(int count, int position);
    // Cancels a running pass and waits for it, serving its hand-over meanwhile. Final: no pass
    // starts afterwards.
    void StopScanning();

    ScanContext m_scan;
    std::function<void()> m_onMarked;

    HICON m_icon = nullptr;
    bool m_backgroundReady = false;
    const Image* m_headerImage = nullptr;
    const Image* m_bodyImage = nullptr;
    CDC m_background;
    CBitmap m_backgroundBitmap;
    CDuzTray m_tray;
    CLumButton m_minimise;
    CLumButton m_close;
    TrayMenuTexts m_trayTexts; // the open and exit texts of the last opening
    CLumButton m_rescan;
    std::array<CLumStatic, 5> m_headerLabels;
    std::array<RECT, 6> m_labelRects{};
    int m_firstVisible = 0;
    int m_focusIndex = 0;
    int m_rowCount = 0;
    int m_rowHeight = 0;
    int m_rowWidth = 0;
    int m_rowLeft = 0;
    int m_rowsTop = 0;
    std::array<CRemDev, 32> m_rows;
    CScrollBar m_scrollBar;
    CLumStatic m_title;

    // Declared last: destroyed first, so no worker outlives the window's members.
    ScanWorker m_scanWorker;
    bool m_closing = false;
};
