#include "ui/main_window/CMainFrame.h"

#include "app/AppMessages.h"
#include "app/InstanceMarker.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/ScanPass.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CPaintDC.h"
#include "platform/gui/CRgn.h"
#include "platform/gui/Icon.h"
#include "platform/gui/Image.h"
#include "platform/gui/Resources.h"
#include "platform/gui/SystemMetrics.h"
#include "resources/ResourceIds.h"
#include "skin/ImageStore.h"
#include "skin/SkinTable.h"
#include "ui/main_window/RowModel.h"
#include "ui/tray/TrayCommands.h"

#include <algorithm>

RECT HeaderRect;
RECT BodyRect;
RECT WindowRect;

namespace {

constexpr UINT kScrollInfoMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;

bool PointInRectInclusive(const RECT& rect, POINT point) {
    // The face's bottom and right edge lines belong to it for dragging.
    return point.x >= rect.left && point.x <= rect.right && point.y >= rect.top && point.y <= rect.bottom;
}

int ImageWidth(const Image* image) {
    return image ? static_cast<int>(image->GetWidth()) : 0;
}
int ImageHeight(const Image* image) {
    return image ? static_cast<int>(image->GetHeight()) : 0;
}

} // namespace

CMainFrame::CMainFrame(const ScanContext& scan, std::function<void()> onMarked)
    : CDialog(res::kDialogMainWindow), m_scan(scan), m_onMarked(std::move(onMarked)),
      m_icon(LoadIconResource(res::kIconProgram)), m_scanWorker(scan, [this] {
          // On the worker's thread: returns once the window has applied the result.
          ::SendMessage(m_hWnd, UM_SCAN_DONE, 0, 0);
      }) {}

CMainFrame::~CMainFrame() {
    // A quit request may end the modal run without the close button: the worker must not be
    // left waiting in a send to a window that is gone.
    m_closing = true;
    StopScanning();
}

void CMainFrame::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, res::kCtlMinimise, m_minimise);
    DDX_Control(pDX, res::kCtlClose, m_close);
    DDX_Control(pDX, res::kCtlRescan, m_rescan);
    for (std::size_t i = 0; i < m_headerLabels.size(); ++i)
        DDX_Control(pDX, res::kCtlHeaderDescription + static_cast<int>(i), m_headerLabels[i]);
    DDX_Control(pDX, res::kCtlScrollBar, m_scrollBar);
    DDX_Control(pDX, res::kCtlListTitle, m_title);
}

BOOL CMainFrame::OnInitDialog() {
    CDialog::OnInitDialog();

    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    SetProp(kInstanceMarker, 1);
    if (m_onMarked)
        m_onMarked();

    ComputeWindowGeometry();
    CRgn region;
    region.CreateRoundRectRgn(WindowRect.left, WindowRect.top, WindowRect.right, WindowRect.bottom, 5, 5);
    SetWindowRgn(&region, FALSE);
    MoveWindow(0, 0, WindowRect.Width(), WindowRect.Height(), FALSE);

    ApplySkinLayout();

    const std::u16string title = LoadStringResource(res::kStrTitle);
    m_tray.AddTrayIcon(this, title, m_icon);
    SetWindowText(title);

    for (CRemDev& row : m_rows)
        row.Create(this);

    // The first pass runs here, on this thread, before the window is shown: the user sees the
    // window only once it has something to show.
    BuildAdapterTable(m_scan.Adapters, m_scan.Source);
    ScanPass(m_scan).Run();

    CenterAndShow();

    for (int i = 0; i < kRowPanelCount; ++i)
        m_rows[static_cast<std::size_t>(i)].SetDeviceEntry(
            m_scan.Devices.DisplayEntries[static_cast<std::size_t>(i)]);
    SetScrollRange(m_scan.Devices.DisplayCount, 0);
    m_rowCount = m_scan.Devices.DisplayCount;
    ShowRows(0);

    SetTimer(kRescanTimer, kRescanPeriodMs);
    return TRUE;
}

void CMainFrame::ComputeWindowGeometry() {
    m_headerImage = GetSkinImage(res::kImageBanner, res::kTypePng);
    m_bodyImage = GetSkinImage(res::kImageBody, res::kTypePng);
    const int headerWidth = ImageWidth(m_headerImage);
    const int headerHeight = ImageHeight(m_headerImage);
    const int bodyWidth = ImageWidth(m_bodyImage);
    const int bodyHeight = ImageHeight(m_bodyImage);
    HeaderRect = RECT{0, 0, headerWidth, headerHeight};
    BodyRect = RECT{0, headerHeight, bodyWidth, headerHeight + bodyHeight};
    WindowRect = RECT{0, 0, headerWidth, headerHeight + bodyHeight};
}

void CMainFrame::ApplySkinLayout() {
    const Image* row = GetSkinImage(res::kImageRowNormal, res::kTypePng);
    m_rowHeight = ImageHeight(row);
    m_rowWidth = ImageWidth(row);
    m_rowLeft = LoadSkinInt(res::kStrRowLeft);
    m_rowsTop = LoadSkinInt(res::kStrRowsTop);

    LayoutButtons();
    LayoutLabels();

    // The scroll bar falls back on the rescan button's rectangle.
    RECT rescan;
    m_rescan.GetWindowRect(&rescan);
    ScreenToClient(&rescan);
    rescan.right -= 1;
    rescan.bottom -= 1;
    const RECT bar = LoadSkinRect(res::kStrScrollBarRect, rescan);
    m_scrollBar.MoveWindow(bar.left, bar.top, bar.Width(), bar.Height(), TRUE);
}

void CMainFrame::LayoutButtons() {
    struct ButtonSkin {
        CLumButton& button;
        int first, second, third, fourth; // loading order
        int normal, hover, pressed, disabled;
        UINT rectEntry;
    };
    const ButtonSkin buttons[] = {
        {m_close, 132, 133, 134, 132, res::kImageCloseNormal, res::kImageCloseHover, res::kImageClosePressed,
         res::kImageCloseHover, res::kStrCloseRect},
        {m_minimise, 135, 136, 137, 135, res::kImageMinimiseNormal, res::kImageMinimiseHover,
         res::kImageMinimisePressed, res::kImageMinimiseHover, res::kStrMinimiseRect},
        {m_rescan, 162, 163, 160, 161, res::kImageRescanNormal, res::kImageRescanHover,
         res::kImageRescanPressed, res::kImageRescanDisabled, res::kStrRescanRect},
    };
    // The close button, first, has no predecessor: it falls back on its template position.
    RECT rect;
    m_close.GetWindowRect(&rect);
    ScreenToClient(&rect);
    rect.right -= 1;
    rect.bottom -= 1;
    for (const ButtonSkin& skin : buttons) {
        for (int id : {skin.first, skin.second, skin.third, skin.fourth})
            GetSkinImage(id, res::kTypePng);
        rect = LoadSkinRect(skin.rectEntry, rect);
        skin.button.SetStateImages(
            GetSkinImage(skin.normal, res::kTypePng), GetSkinImage(skin.hover, res::kTypePng),
            GetSkinImage(skin.pressed, res::kTypePng), GetSkinImage(skin.disabled, res::kTypePng));
        skin.button.SetDrawMode(ImageOnly);
        skin.button.SetPointerCursor(res::kCursorHand);
        // One pixel wider and higher than the entry says.
        skin.button.SetWindowPos(nullptr, rect.left, rect.top, rect.Width() + 1, rect.Height() + 1,
                                 SWP_NOZORDER);
    }
}

void CMainFrame::LayoutLabels() {
    CLumStatic* labels[] = {&m_headerLabels[0], &m_headerLabels[1], &m_headerLabels[2],
                            &m_headerLabels[3], &m_headerLabels[4], &m_title};
    constexpr std::size_t kTitle = 5;
    const UINT captions[] = {res::kStrHeaderDescription, res::kStrHeaderModel,   res::kStrHeaderIp,
                             res::kStrHeaderMac,         res::kStrHeaderConnect, res::kStrListTitle};
    const UINT rects[] = {res::kStrHeaderDescriptionRect, res::kStrHeaderModelRect,   res::kStrHeaderIpRect,
                          res::kStrHeaderMacRect,         res::kStrHeaderConnectRect, res::kStrListTitleRect};

    for (std::size_t i = 0; i < 6; ++i)
        labels[i]->SetPointSize(
            LoadSkinInt(i == kTitle ? res::kStrListTitlePointSize : res::kStrLabelPointSize));
    for (std::size_t i = 0; i < 6; ++i)
        labels[i]->SetCaptionColor(
            LoadSkinColor(i == kTitle ? res::kStrListTitleColor : res::kStrHeaderColor));
    for (std::size_t i = 0; i < 6; ++i)
        labels[i]->SetCaption(LoadSkinText(captions[i]));
    // One font description for all six: it replaces the whole description, point sizes included.
    const LOGFONT font = MakeSkinFont(res::kFontKeyLabels);
    for (CLumStatic* label : labels)
        label->SetFontDescription(font);
    for (std::size_t i = 0; i < 6; ++i) {
        labels[i]->GetWindowRect(&m_labelRects[i]);
        ScreenToClient(&m_labelRects[i]);
    }
    for (std::size_t i = 0; i < 6; ++i)
        m_labelRects[i] = LoadSkinRect(rects[i], m_labelRects[i]);
    for (std::size_t i = 0; i < 6; ++i) {
        const RECT& r = m_labelRects[i];
        labels[i]->MoveWindow(r.left, r.top, r.Width(), r.Height(), TRUE);
    }
}

void CMainFrame::SetScrollRange(int count, int position) {
    // The maximum is the number of devices, not that number minus one.
    SCROLLINFO info;
    info.cbSize = 28;
    info.fMask = kScrollInfoMask;
    info.nMin = 0;
    info.nMax = count;
    info.nPage = kVisibleRowCount;
    info.nPos = position;
    m_scrollBar.SetScrollInfo(&info, TRUE);
}

void CMainFrame::OnPaint() {
    CPaintDC dc(this);
    if (!m_headerImage || !m_bodyImage)
        return;
    const int width = WindowRect.Width();
    const int height = WindowRect.Height();
    if (!m_backgroundReady) {
        // The face is composed once; every later paint is one block copy of it.
        m_background.DeleteDC();
        m_backgroundBitmap.DeleteObject();
        m_background.CreateCompatibleDC(&dc);
        m_backgroundBitmap.CreateCompatibleBitmap(&dc, width, height);
        m_background.SelectObject(&m_backgroundBitmap);
        m_background.DrawImage(*m_headerImage, HeaderRect);
        m_background.DrawImage(*m_bodyImage, BodyRect);
        dc.BitBlt(0, 0, width, height, &m_background, 0, 0, SRCCOPY);
        m_close.CopyParentBackground(&m_background);
        m_minimise.CopyParentBackground(&m_background);
        m_rescan.CopyParentBackground(&m_background);
        m_backgroundReady = true;
        return;
    }
    dc.BitBlt(0, 0, width, height, &m_background, 0, 0, SRCCOPY);
}

void CMainFrame::OnMouseMove(UINT flags, POINT point) {
    // Exactly the left button: no other button, no Shift or Ctrl. A button sends MK_CONTROL
    // alone after a release outside itself, which must never start a drag.
    if (flags == MK_LBUTTON &&
        (PointInRectInclusive(HeaderRect, point) || PointInRectInclusive(BodyRect, point))) {
        ReleaseCapture();
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    CDialog::OnMouseMove(flags, point);
}

HCURSOR CMainFrame::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(m_icon);
}

void CMainFrame::CenterAndShow() {
    const int width = WindowRect.Width();
    const int height = WindowRect.Height();
    const int x = std::max((GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2, 0);
    const int y = std::max((GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2, 0);
    SetWindowPos(&CWnd::wndTop, x, y, width, height, SWP_SHOWWINDOW);
    ShowWindow(SW_RESTORE);
}

LRESULT CMainFrame::ShowRows(int focusIndex) {
    const int focus = ClampFocusIndex(focusIndex, m_rowCount);
    int y = m_rowsTop;
    for (int i = 0; i < kRowPanelCount; ++i) {
        CRemDev& row = m_rows[static_cast<std::size_t>(i)];
        if (!IsRowVisible(i, m_firstVisible, m_rowCount)) {
            row.ShowWindow(SW_HIDE);
            row.EnableWindow(FALSE);
            continue;
        }
        row.ShowWindow(SW_SHOWNORMAL);
        row.EnableWindow(TRUE);
        if (i == focus)
            row.SetFocus();
        row.ResetLook();
        row.MoveWindow(m_rowLeft, y, m_rowWidth, m_rowHeight, TRUE);
        y += m_rowHeight;
    }
    m_focusIndex = focus;
    return 0;
}

void CMainFrame::OnVScroll(UINT code, UINT pos, CScrollBar* pScrollBar) {
    SCROLLINFO info;
    info.fMask = kScrollInfoMask;
    m_scrollBar.GetScrollInfo(&info, kScrollInfoMask);
    const ScrollStep step =
        ComputeScrollStep(code, static_cast<int>(pos), m_scrollBar.GetScrollPos(), info.nMax, m_firstVisible);
    if (step.setPosition)
        m_scrollBar.SetScrollPos(step.firstVisible, TRUE);
    m_firstVisible = step.firstVisible;
    ShowRows(m_focusIndex);
    CDialog::OnVScroll(code, pos, pScrollBar);
}

LRESULT CMainFrame::StartScan() {
    if (m_closing || m_scanWorker.IsRunning())
        return 1; // skipped: passes never overlap, and the running one will refresh the rows
    Invalidate(TRUE);
    UpdateWindow();
    // Disabled before the worker starts, so the result can never come in ahead of it. When no
    // thread can be made the button stays disabled until a later scan from timer 3 has ended.
    m_rescan.EnableWindow(FALSE);
    m_scanWorker.Start();
    return 1;
}

LRESULT CMainFrame::ApplyScanResult() {
    if (m_closing)
        return 1;
    const DeviceTable& devices = m_scan.Devices;
    for (int i = 0; i < kRowPanelCount; ++i)
        m_rows[static_cast<std::size_t>(i)].SetDeviceEntry(
            devices.DisplayEntries[static_cast<std::size_t>(i)]);
    // A scan that found fewer devices brings the first visible row back into range; otherwise the
    // list would show nothing (or a few rows) with the devices hidden above it.
    m_firstVisible = FirstVisibleAfterScan(m_firstVisible, devices.DisplayCount);
    SetScrollRange(devices.DisplayCount, m_firstVisible);
    m_rowCount = devices.DisplayCount;
    ShowRows(0);
    m_rescan.EnableWindow(TRUE);
    return 1;
}

void CMainFrame::WaitForScan() {
    m_scanWorker.WaitForFinish([] { ServePendingSends(); });
}

void CMainFrame::StopScanning() {
    m_scanWorker.Cancel();
    m_scanWorker.WaitForFinish([] { ServePendingSends(); });
}

void CMainFrame::OnTimer(UINT_PTR id) {
    if (id != kRescanTimer)
        return;
    SendMessage(UM_START_SCAN, 0, 0);
    CDialog::OnTimer(id);
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case UM_SHOW_ROWS:
        return ShowRows(static_cast<int>(lParam));
    case UM_TRAY_NOTIFY:
        return HandleTrayNotify(*this, m_tray, m_trayTexts, wParam, lParam);
    case UM_START_SCAN:
        return StartScan();
    case UM_SCAN_DONE:
        return ApplyScanResult();
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case res::kCtlMinimise:
        // Hidden, not minimised: the window leaves the taskbar and the tray icon brings it back.
        // A desktop without a notification area would leave no way back, so there it minimises.
        ShowWindow(CanHideToTray(m_tray) ? SW_HIDE : SW_MINIMIZE);
        return TRUE;
    case res::kCtlClose:
        ReleaseAdapterTable();
        OnOK();
        return TRUE;
    case res::kCtlRescan:
        StartScan();
        return TRUE;
    default:
        if (HandleTrayCommand(*this, LOWORD(wParam)))
            return TRUE;
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CMainFrame::ReleaseAdapterTable() {
    m_closing = true;
    StopScanning();
    ::ReleaseAdapterTable(m_scan.Adapters);
}

BOOL CMainFrame::PreTranslateMessage(MSG* pMsg) {
    // Enter and Escape never end the dialog and F1 never asks for help, whichever control has
    // the focus.
    if (pMsg->message == WM_KEYDOWN &&
        (pMsg->wParam == VK_F1 || pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CMainFrame::OnDestroy() {
    CDialog::OnDestroy();
    m_closing = true;
    StopScanning();
    ClearImageStore();
    m_headerImage = nullptr;
    m_bodyImage = nullptr;
    m_tray.RemoveTrayIcon(this);
}
