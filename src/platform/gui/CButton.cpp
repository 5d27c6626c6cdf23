#include "platform/gui/CButton.h"

BOOL CButton::Create(std::u16string_view caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, kWindowClassButton, caption, style, rect, parent, id);
}

UINT CButton::GetButtonStyle() const {
    return GetStyle() & 0xFFFF;
}

void CButton::SetButtonStyle(UINT style, BOOL redraw) {
    SendMessage(BM_SETSTYLE, style, redraw);
}

UINT CButton::GetState() const {
    return static_cast<UINT>(::SendMessage(m_hWnd, BM_GETSTATE));
}

void CButton::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) {
        return FALSE;
    }
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    if (result) {
        *result = TRUE;
    }
    return TRUE;
}
