#include "platform/gui/CClientDC.h"

#include "platform/gui/CWnd.h"

CClientDC::CClientDC(CWnd* wnd) : m_wnd(wnd) {
    if (m_wnd != nullptr) {
        AttachSurface(&m_wnd->Surface());
    }
}

CClientDC::~CClientDC() {
    if (m_wnd != nullptr) {
        m_wnd->PresentNow();
    }
}
