#include "ui/row_panel/CRemDev.h"

#include "platform/gui/CBitmap.h"
#include "platform/gui/CDC.h"
#include "platform/gui/CDataExchange.h"
#include "platform/gui/CPaintDC.h"
#include "platform/gui/Image.h"
#include "platform/gui/Shell.h"
#include "resources/ResourceIds.h"
#include "skin/ImageStore.h"
#include "skin/SkinTable.h"

#include <utility>

namespace {

constexpr int kLabelIds[] = {res::kCtlRowDescription, res::kCtlRowModel, res::kCtlRowIp, res::kCtlRowMac};
constexpr UINT kLabelRectEntries[] = {res::kStrRowDescriptionRect, res::kStrRowModelRect, res::kStrRowIpRect,
                                      res::kStrRowMacRect};

bool PointInRect(const RECT& rect, POINT point) {
    // Right and bottom edges are outside.
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

} // namespace

CRemDev::CRemDev() : CDialog(res::kDialogRowPanel) {}

BOOL CRemDev::Create(CWnd* parent) {
    return CDialog::Create(res::kDialogRowPanel, parent);
}

void CRemDev::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (std::size_t i = 0; i < m_labels.size(); ++i)
        DDX_Control(pDX, kLabelIds[i], m_labels[i]);
    DDX_Control(pDX, res::kCtlRowConnect, m_connect);
}

BOOL CRemDev::OnInitDialog() {
    CDialog::OnInitDialog();

    m_background = GetSkinImage(res::kImageRowNormal, res::kTypePng);
    const int width = static_cast<int>(m_background->GetWidth());
    const int height = static_cast<int>(m_background->GetHeight());
    // Out of sight until the main window places it; the panel is still hidden anyway.
    SetWindowPos(nullptr, -100, -100, width, height, SWP_NOZORDER);

    // Each label falls back on its predecessor's rectangle, the first on its template position.
    const int pointSize = LoadSkinInt(res::kStrLabelPointSize);
    RECT rect;
    m_labels[0].GetWindowRect(&rect);
    ScreenToClient(&rect);
    for (std::size_t i = 0; i < m_labels.size(); ++i) {
        rect = LoadSkinRect(kLabelRectEntries[i], rect);
        m_labels[i].SetPointSize(pointSize);
        m_labels[i].MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    }

    Image* hover = GetSkinImage(res::kImageConnectHover, res::kTypePng);
    Image* normal = GetSkinImage(res::kImageConnectNormal, res::kTypePng);
    Image* pressed = GetSkinImage(res::kImageConnectPressed, res::kTypePng);
    Image* disabled = GetSkinImage(res::kImageConnectDisabled, res::kTypePng);
    rect = LoadSkinRect(res::kStrRowConnectRect, rect);
    m_connect.SetStateImages(normal, hover, pressed, disabled);
    m_connect.SetDrawMode(ImageOnly);
    m_connect.SetPointerCursor(res::kCursorHand);
    // Buttons stand one pixel wider and higher than their layout rectangle.
    m_connect.SetWindowPos(nullptr, rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, SWP_NOZORDER);
    return TRUE;
}

BOOL CRemDev::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == res::kCtlRowConnect && HIWORD(wParam) == BN_CLICKED) {
        OnConnect();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CRemDev::OnPaint() {
    CPaintDC dc(this);
    if (!m_background)
        return;
    const int width = static_cast<int>(m_background->GetWidth());
    const int height = static_cast<int>(m_background->GetHeight());

    // Composed off screen and copied once, so a row never shows a half-drawn face. The hover
    // picture is wider than the row; the window clips what lies beyond.
    CDC composed;
    composed.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, width, height);
    CBitmap* previous = composed.SelectObject(&bitmap);
    composed.DrawImage(*m_background, RECT{0, 0, width, height});
    dc.BitBlt(0, 0, width, height, &composed, 0, 0, SRCCOPY);
    // The button's transparent parts show the row's current background.
    m_connect.CopyParentBackground(&composed);
    composed.SelectObject(previous);
}

BOOL CRemDev::OnEraseBkgnd(CDC* pDC) {
    // The hover picture is painted over the dialog's own background; the normal picture covers
    // the row, so erasing first would only make it flicker.
    if (m_hoverLook)
        return CDialog::OnEraseBkgnd(pDC);
    return TRUE;
}

void CRemDev::OnMouseMove(UINT flags, POINT point) {
    if (!CWnd::GetFocus())
        SetFocus();
    SetTimer(kHoverTimer, kHoverTimerMs);
    m_pointerLeft = false;
    CDialog::OnMouseMove(flags, point);
}

void CRemDev::OnTimer(UINT_PTR id) {
    if (id != kHoverTimer)
        return;
    RECT rect;
    GetWindowRect(&rect);
    POINT pointer;
    GetCursorPos(&pointer);
    if (!PointInRect(rect, pointer)) {
        KillTimer(kHoverTimer);
        m_pointerLeft = true;
    }
    if (m_pointerLeft) {
        if (m_hoverLook)
            ChangeBackground(false);
    } else if (!m_hoverLook) {
        ChangeBackground(true);
    }
    CDialog::OnTimer(id);
}

void CRemDev::ChangeBackground(bool hover) {
    m_hoverLook = hover;
    m_background = GetSkinImage(hover ? res::kImageRowHover : res::kImageRowNormal, res::kTypePng);
    Invalidate(TRUE);
    UpdateWindow();
    // The button keeps its own copy of the row behind it: have it redraw over the new one.
    m_connect.Invalidate(FALSE);
    m_connect.UpdateWindow();
}

void CRemDev::SetDeviceEntry(DeviceDisplayEntry entry) {
    m_entryTexts = std::move(entry.Texts);
    m_labels[kDisplayDescription].SetCaption(m_entryTexts[kDisplayDescription]);
    m_labels[kDisplayMacText].SetCaption(m_entryTexts[kDisplayMacText]);
    m_labels[kDisplayIpText].SetCaption(m_entryTexts[kDisplayIpText]);
    m_labels[kDisplayModel].SetCaption(m_entryTexts[kDisplayModel]);
}

void CRemDev::ResetLook() {
    ChangeBackground(false);
}

void CRemDev::OnConnect() {
    // Exactly the IP text after the scheme: no path, port or trailing slash.
    const std::u16string url = u"http://" + m_entryTexts[kDisplayIpText];
    ShellExecuteW(nullptr, u"open", url, u"", u"", SW_SHOWNORMAL);
}
