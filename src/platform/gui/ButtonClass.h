#pragma once

// The push button's platform behaviour (see CButton). Internal to src/platform/gui.

#include "platform/gui/WindowClass.h"

class ButtonClass : public WindowClass {
public:
    bool DefProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool TakesFocusOnClick() const override { return true; }

private:
    void Press(CWnd& wnd);
    void Release(CWnd& wnd, bool click);
    void SetPushed(CWnd& wnd, bool pushed);
    void Paint(CWnd& wnd);

    bool m_tracking = false; // the left button went down on the button and is still held
    bool m_pushed = false;   // drawn pushed in
};
