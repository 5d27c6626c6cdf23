#include "platform/gui/CClientDC.h"

#include "platform/gui/CWnd.h"

CClientDC::CClientDC(CWnd* wnd) : m_wnd(wnd) {
    if (m_wnd != nullptr) {
        AttachSurface(&m_wnd->Surface());
    }
}

CClientDC::~CClientDC() {
    // A context taken only to measure text leaves the screen alone.
    if (m_wnd != nullptr && HasDrawn()) {
        m_wnd->PresentNow();
    }
}
