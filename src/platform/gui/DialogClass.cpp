#include "platform/gui/DialogClass.h"

#include "platform/gui/CWnd.h"
#include "platform/gui/WindowData.h"

bool DialogClass::DefProc(CWnd& wnd, UINT message, WPARAM, LPARAM, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_ERASEBKGND:
        if (WindowData* data = WindowData::Lookup(wnd.m_hWnd)) {
            FillPaintRegion(*data, DialogFaceColor());
        }
        *result = TRUE;
        return true;
    case WM_CLOSE:
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return true;
    case WM_INITDIALOG:
        *result = TRUE;
        return true;
    default:
        return false;
    }
}
