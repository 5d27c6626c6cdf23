#include "platform/gui/ButtonClass.h"

#include "platform/gui/CSurfaceDC.h"
#include "platform/gui/CWnd.h"
#include "platform/gui/WindowData.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

bool ButtonClass::DefProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (wnd.IsWindowEnabled()) {
            Press(wnd);
        }
        return true;
    case WM_MOUSEMOVE: {
        if (!m_tracking || CWnd::GetCapture() != &wnd) {
            return true;
        }
        RECT client;
        wnd.GetClientRect(&client);
        SetPushed(wnd, PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE);
        return true;
    }
    case WM_LBUTTONUP: {
        if (!m_tracking) {
            return true;
        }
        RECT client;
        wnd.GetClientRect(&client);
        bool inside = PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
        Release(wnd, inside && wnd.IsWindowEnabled());
        return true;
    }
    case WM_CAPTURECHANGED:
        // Losing the capture ends the press without a click.
        if (m_tracking) {
            m_tracking = false;
            SetPushed(wnd, false);
        }
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && wnd.IsWindowEnabled()) {
            SetPushed(wnd, true);
        }
        return true;
    case WM_KEYUP:
        if (wParam == VK_SPACE && m_pushed && !m_tracking) {
            SetPushed(wnd, false);
            ::SendMessage(wnd.m_hWnd, BM_CLICK);
        }
        return true;
    case BM_CLICK: {
        if (!wnd.IsWindowEnabled()) {
            return true;
        }
        HWND self = wnd.m_hWnd;
        if (CWnd* parent = wnd.GetParent()) {
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(wnd.GetDlgCtrlID()), BN_CLICKED),
                                reinterpret_cast<LPARAM>(self));
        }
        return true;
    }
    case BM_SETSTYLE: {
        DWORD style = (wnd.GetStyle() & 0xFFFF0000u) | (static_cast<DWORD>(wParam) & 0xFFFFu);
        wnd.ModifyStyle(0xFFFFu, style & 0xFFFFu);
        if (lParam) {
            wnd.Invalidate(TRUE);
        }
        return true;
    }
    case BM_GETSTATE:
        *result = (m_pushed ? BST_PUSHED : 0) | (CWnd::GetFocus() == &wnd ? BST_FOCUS : 0);
        return true;
    case BM_SETSTATE:
        SetPushed(wnd, wParam != 0);
        return true;
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        wnd.Invalidate(TRUE);
        return true;
    case WM_SETTEXT:
        *result = GenericDefWindowProc(wnd, message, wParam, lParam);
        wnd.Invalidate(TRUE);
        return true;
    case WM_ERASEBKGND:
        *result = TRUE; // the button paints all of itself
        return true;
    case WM_PAINT:
        Paint(wnd);
        return true;
    default:
        return false;
    }
}

void ButtonClass::Press(CWnd& wnd) {
    m_tracking = true;
    wnd.SetCapture();
    wnd.SetFocus();
    SetPushed(wnd, true);
}

void ButtonClass::Release(CWnd& wnd, bool click) {
    m_tracking = false;
    HWND self = wnd.m_hWnd;
    SetPushed(wnd, false);
    if (CWnd::GetCapture() == &wnd) {
        ReleaseCapture();
    }
    if (!click || !IsWindow(self)) {
        return;
    }
    if (CWnd* parent = wnd.GetParent()) {
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(wnd.GetDlgCtrlID()), BN_CLICKED),
                            reinterpret_cast<LPARAM>(self));
    }
}

void ButtonClass::SetPushed(CWnd& wnd, bool pushed) {
    if (m_pushed == pushed) {
        return;
    }
    m_pushed = pushed;
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
}

void ButtonClass::Paint(CWnd& wnd) {
    PAINTSTRUCT paint;
    wnd.BeginPaint(&paint);
    RECT client;
    wnd.GetClientRect(&client);
    if ((wnd.GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW) {
        DRAWITEMSTRUCT drawItem;
        drawItem.CtlType = ODT_BUTTON;
        drawItem.CtlID = static_cast<UINT>(wnd.GetDlgCtrlID());
        drawItem.itemAction = ODA_DRAWENTIRE;
        drawItem.itemState = (wnd.IsWindowEnabled() ? 0 : ODS_DISABLED) | (m_pushed ? ODS_SELECTED : 0) |
                             (CWnd::GetFocus() == &wnd ? ODS_FOCUS : 0);
        drawItem.hwndItem = wnd.m_hWnd;
        CSurfaceDC dc(wnd.Surface());
        drawItem.hDC = dc.GetSafeHdc();
        drawItem.rcItem = client;
        if (CWnd* parent = wnd.GetParent()) {
            parent->SendMessage(WM_DRAWITEM, drawItem.CtlID, reinterpret_cast<LPARAM>(&drawItem));
        }
    } else if (wnd.IsWindow()) {
        QStyleOptionButton option;
        option.rect = QRect(0, 0, client.right, client.bottom);
        option.text = QString::fromStdU16String(wnd.GetWindowText());
        option.state = m_pushed ? QStyle::State_Sunken : QStyle::State_Raised;
        if (wnd.IsWindowEnabled()) {
            option.state |= QStyle::State_Enabled;
        }
        if (CWnd::GetFocus() == &wnd) {
            option.state |= QStyle::State_HasFocus;
        }
        QPainter painter(&wnd.Surface());
        QApplication::style()->drawControl(QStyle::CE_PushButton, &option, &painter, wnd.Widget());
    }
    wnd.EndPaint(&paint);
}
