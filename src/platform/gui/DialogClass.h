#pragma once

// The dialog's platform behaviour: a face of the button-face colour, closing as a cancel.
// Internal to src/platform/gui.

#include "platform/gui/WindowClass.h"

class DialogClass : public WindowClass {
public:
    bool DefProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
