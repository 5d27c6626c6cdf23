#include "platform/gui/CDataExchange.h"

#include "platform/gui/CWnd.h"

#include <cstdio>

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (!pDX || !pDX->m_pDlgWnd || control.m_hWnd) {
        return;
    }
    HWND item = pDX->m_pDlgWnd->GetDlgItemHandle(id);
    if (!item || !control.SubclassWindow(item)) {
        std::fprintf(stderr, "DDX_Control: no control %d to attach\n", id);
    }
}
