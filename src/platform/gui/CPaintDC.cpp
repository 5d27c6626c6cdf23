#include "platform/gui/CPaintDC.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_wnd(wnd) {
    if (m_wnd == nullptr) {
        return;
    }
    const HDC paint = m_wnd->BeginPaint(&m_ps);
    // A nested cycle has no context of its own; it draws on the same surface all the same.
    if (paint == nullptr || !Attach(paint)) {
        AttachSurface(&m_wnd->Surface());
    }
}

CPaintDC::~CPaintDC() {
    if (m_wnd != nullptr) {
        m_wnd->EndPaint(&m_ps);
    }
}
