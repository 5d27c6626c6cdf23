#include "platform/gui/CScrollBar.h"

#include "platform/gui/ScrollBarClass.h"
#include "platform/gui/WindowData.h"

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, kWindowClassScrollBar, u"", style, rect, parent, id);
}

int CScrollBar::SetScrollInfo(SCROLLINFO* info, BOOL redraw) {
    return static_cast<int>(SendMessage(SBM_SETSCROLLINFO, redraw, reinterpret_cast<LPARAM>(info)));
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const {
    if (!info) {
        return FALSE;
    }
    info->fMask = mask;
    return static_cast<BOOL>(::SendMessage(m_hWnd, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(info)));
}

int CScrollBar::GetScrollPos() const {
    return static_cast<int>(::SendMessage(m_hWnd, SBM_GETPOS));
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw) {
    return static_cast<int>(SendMessage(SBM_SETPOS, static_cast<WPARAM>(pos), redraw));
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL redraw) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = minPos;
    info.nMax = maxPos;
    SetScrollInfo(&info, redraw);
}

void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const {
    SCROLLINFO info;
    GetScrollInfo(&info, SIF_RANGE);
    if (minPos) {
        *minPos = info.nMin;
    }
    if (maxPos) {
        *maxPos = info.nMax;
    }
}

BOOL CScrollBar::EnableScrollBar(UINT arrows) {
    return static_cast<BOOL>(SendMessage(SBM_ENABLE_ARROWS, arrows));
}

BOOL CScrollBar::AreArrowsEnabled() const {
    WindowData* data = WindowData::Lookup(m_hWnd);
    auto* bar = data ? dynamic_cast<ScrollBarClass*>(data->windowClass.get()) : nullptr;
    return bar && bar->ArrowsEnabled() ? TRUE : FALSE;
}
