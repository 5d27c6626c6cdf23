#pragma once

// A scroll-bar control. It keeps a range (min, max), a page and a position, the position clamped
// to [min, max - page + 1]; with SIF_DISABLENOSCROLL it disables its arrows when the page covers
// the range. It never moves itself: it tells its parent what the user did (WM_VSCROLL, or
// WM_HSCROLL for a horizontal bar, with the SB_* code in the low word of wParam, the thumb
// position in the high word for SB_THUMBTRACK and SB_THUMBPOSITION, and its handle in lParam),
// and the parent sets the new position.

#include "platform/gui/CWnd.h"

class CScrollBar : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Returns the position after the change.
    int SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE);
    BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
    int GetScrollPos() const;
    // Returns the previous position.
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
    void GetScrollRange(int* minPos, int* maxPos) const;
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
    // FALSE while the arrows are disabled (ESB_DISABLE_BOTH, or SIF_DISABLENOSCROLL with a page
    // that covers the range).
    BOOL AreArrowsEnabled() const;
};
