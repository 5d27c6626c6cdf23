#pragma once

// The scroll-bar control's platform behaviour (see CScrollBar), shown by a Qt scroll bar that
// mirrors its state; the user's actions on it become WM_VSCROLL/WM_HSCROLL to the parent.
// Internal to src/platform/gui.

#include "platform/gui/WindowClass.h"

#include <QPointer>

class QScrollBar;

class ScrollBarClass : public WindowClass {
public:
    bool DefProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnCreated(CWnd& wnd) override;
    void OnStateChanged(CWnd& wnd) override;
    bool ArrowsEnabled() const { return !m_arrowsDisabled; }

private:
    int MaxPos() const;
    void Clamp();
    void Sync();
    void Notify(HWND self, UINT code, int pos);

    int m_min = 0;
    int m_max = 0;
    UINT m_page = 0;
    int m_pos = 0;
    int m_trackPos = 0;
    bool m_arrowsDisabled = false;
    bool m_vertical = true;
    QPointer<QScrollBar> m_bar;
};
