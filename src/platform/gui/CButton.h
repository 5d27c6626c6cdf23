#pragma once

// A push button. Its platform behaviour (the button window class): it takes the mouse capture on
// a press, shows itself pushed while the pointer is inside, and reports a click to its parent
// (WM_COMMAND with MAKEWPARAM(id, BN_CLICKED) and its handle) only when the left button is
// released inside it; a disabled button gets no click. An owner-drawn button (BS_OWNERDRAW)
// asks its parent to draw it (WM_DRAWITEM), which hands the request back to DrawItem.

#include "platform/gui/CWnd.h"

class CButton : public CWnd {
public:
    BOOL Create(std::u16string_view caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT style, BOOL redraw = TRUE);
    UINT GetState() const;
    // Draws an owner-drawn button; the request carries ODS_DISABLED, ODS_SELECTED and ODS_FOCUS.
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
