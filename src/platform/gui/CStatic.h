#pragma once

// A static text control. Its platform behaviour (the static window class): it paints its text in
// its font (WM_SETFONT; the system font when it has none), aligned by its SS_* style, over what
// lies behind it; without SS_NOTIFY it lets the pointer through to its parent.

#include "platform/gui/CWnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(std::u16string_view text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF);
};
