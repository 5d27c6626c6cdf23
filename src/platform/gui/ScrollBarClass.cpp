#include "platform/gui/ScrollBarClass.h"

#include "platform/gui/CWnd.h"
#include "platform/gui/WindowData.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

namespace {

UINT CodeForAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
        return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
        return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
        return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
        return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
        return SB_BOTTOM;
    default:
        return SB_ENDSCROLL;
    }
}

} // namespace

int ScrollBarClass::MaxPos() const {
    int maxPos = m_page > 0 ? m_max - static_cast<int>(m_page) + 1 : m_max;
    return std::max(maxPos, m_min);
}

void ScrollBarClass::Clamp() {
    if (m_max < m_min) {
        m_max = m_min;
    }
    m_page = std::min<UINT>(m_page, static_cast<UINT>(m_max - m_min + 1));
    m_pos = std::clamp(m_pos, m_min, MaxPos());
}

void ScrollBarClass::Sync() {
    if (!m_bar) {
        return;
    }
    QSignalBlocker block(m_bar);
    m_bar->setRange(m_min, MaxPos());
    m_bar->setPageStep(std::max<int>(1, static_cast<int>(m_page)));
    m_bar->setSingleStep(1);
    if (!m_bar->isSliderDown()) {
        m_bar->setValue(m_pos);
        m_bar->setSliderPosition(m_pos);
    }
    m_bar->setEnabled(!m_arrowsDisabled);
}

void ScrollBarClass::OnCreated(CWnd& wnd) {
    m_vertical = (wnd.GetStyle() & SBS_VERT) != 0;
    QWidget* host = wnd.Widget();
    if (!host) {
        return;
    }
    m_bar = new QScrollBar(m_vertical ? Qt::Vertical : Qt::Horizontal, host);
    m_bar->setFocusPolicy(Qt::NoFocus);
    m_bar->setTracking(false);
    m_bar->setGeometry(QRect(QPoint(0, 0), host->size()));
    m_bar->show();
    HWND self = wnd.m_hWnd;
    // The bar does not move itself: after telling the parent, it shows the position the parent set.
    QObject::connect(m_bar, &QAbstractSlider::actionTriggered, m_bar, [this, self](int action) {
        if (action == QAbstractSlider::SliderMove || action == QAbstractSlider::SliderNoAction) {
            if (m_bar && !m_bar->isSliderDown()) {
                m_bar->setSliderPosition(m_pos);
            }
            return;
        }
        Notify(self, CodeForAction(action), 0);
        if (m_bar) {
            m_bar->setSliderPosition(m_pos);
        }
    });
    QObject::connect(m_bar, &QAbstractSlider::sliderMoved, m_bar, [this, self](int position) {
        m_trackPos = position;
        Notify(self, SB_THUMBTRACK, position);
    });
    QObject::connect(m_bar, &QAbstractSlider::sliderReleased, m_bar, [this, self] {
        int position = m_bar ? m_bar->sliderPosition() : m_pos;
        Notify(self, SB_THUMBPOSITION, position);
        Notify(self, SB_ENDSCROLL, 0);
        Sync();
    });
    Sync();
}

void ScrollBarClass::OnStateChanged(CWnd& wnd) {
    if (m_bar && wnd.Widget()) {
        m_bar->setGeometry(QRect(QPoint(0, 0), wnd.Widget()->size()));
    }
    Sync();
}

void ScrollBarClass::Notify(HWND self, UINT code, int pos) {
    CWnd* wnd = CWnd::FromHandle(self);
    CWnd* parent = wnd ? wnd->GetParent() : nullptr;
    if (!parent) {
        return;
    }
    parent->SendMessage(m_vertical ? WM_VSCROLL : WM_HSCROLL,
                        MAKEWPARAM(static_cast<WORD>(code), static_cast<WORD>(pos)),
                        reinterpret_cast<LPARAM>(self));
}

bool ScrollBarClass::DefProc(CWnd&, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case SBM_SETSCROLLINFO: {
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        if (!info) {
            *result = m_pos;
            return true;
        }
        if (info->fMask & SIF_RANGE) {
            m_min = info->nMin;
            m_max = info->nMax;
        }
        if (info->fMask & SIF_PAGE) {
            m_page = info->nPage;
        }
        if (info->fMask & SIF_POS) {
            m_pos = info->nPos;
        }
        Clamp();
        if (info->fMask & SIF_DISABLENOSCROLL) {
            // Nothing to scroll when the page covers the whole range.
            m_arrowsDisabled = m_min >= m_max || static_cast<int>(m_page) > m_max - m_min;
        }
        Sync();
        *result = m_pos;
        return true;
    }
    case SBM_GETSCROLLINFO: {
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        if (!info) {
            return true;
        }
        if (info->fMask & SIF_RANGE) {
            info->nMin = m_min;
            info->nMax = m_max;
        }
        if (info->fMask & SIF_PAGE) {
            info->nPage = m_page;
        }
        if (info->fMask & SIF_POS) {
            info->nPos = m_pos;
        }
        if (info->fMask & SIF_TRACKPOS) {
            info->nTrackPos = m_bar && m_bar->isSliderDown() ? m_trackPos : m_pos;
        }
        *result = TRUE;
        return true;
    }
    case SBM_SETPOS: {
        *result = m_pos;
        m_pos = static_cast<int>(static_cast<std::intptr_t>(wParam));
        Clamp();
        Sync();
        return true;
    }
    case SBM_GETPOS:
        *result = m_pos;
        return true;
    case SBM_SETRANGE:
        *result = m_pos;
        m_min = static_cast<int>(static_cast<std::intptr_t>(wParam));
        m_max = static_cast<int>(lParam);
        Clamp();
        Sync();
        return true;
    case SBM_GETRANGE:
        if (wParam) {
            *reinterpret_cast<int*>(wParam) = m_min;
        }
        if (lParam) {
            *reinterpret_cast<int*>(lParam) = m_max;
        }
        return true;
    case SBM_ENABLE_ARROWS:
        m_arrowsDisabled = wParam == ESB_DISABLE_BOTH;
        Sync();
        *result = TRUE;
        return true;
    case WM_ERASEBKGND:
        *result = TRUE; // the Qt scroll bar paints the whole control
        return true;
    default:
        return false;
    }
}
