#include "ui/tray/GxMenuMemDC.h"

GxMenuMemDC::GxMenuMemDC(CDC* target, const RECT& rect) : m_target(target), m_rect(rect) {
    if (!m_target || !CreateCompatibleDC(m_target)) {
        return;
    }
    if (!m_bitmap.CreateCompatibleBitmap(m_target, m_rect.Width(), m_rect.Height())) {
        return;
    }
    m_oldBitmap = SelectObject(&m_bitmap);
    SetWindowOrg(m_rect.left, m_rect.top);
    m_isOffScreen = true;
}

GxMenuMemDC::~GxMenuMemDC() {
    if (!m_isOffScreen) {
        return;
    }
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                     SRCCOPY);
    SelectObject(m_oldBitmap);
}
