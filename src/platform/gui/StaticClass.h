#pragma once

// The static text control's platform behaviour (see CStatic). Internal to src/platform/gui.

#include "platform/gui/WindowClass.h"

class StaticClass : public WindowClass {
public:
    bool DefProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool TransparentToMouse(DWORD style) const override { return !(style & SS_NOTIFY); }

private:
    void Paint(CWnd& wnd);
};
