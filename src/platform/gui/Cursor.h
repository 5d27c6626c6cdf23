#pragma once

// Pointer cursors: loaded from the program's cursor resources (":/res/CURSOR/N", a PNG with its
// hot spot in ":/res/CURSOR/N.hotspot", text "x,y") or taken from the system's set.

#include "platform/gui/WinTypes.h"

// Null when the resource is missing or undecodable.
HCURSOR LoadCursorResource(UINT id);
// IDC_ARROW, IDC_HAND, IDC_IBEAM, IDC_WAIT; shared, never destroyed.
HCURSOR LoadStandardCursor(UINT idc);
BOOL DestroyCursor(HCURSOR cursor);
// Sets the pointer's shape over the window being asked (WM_SETCURSOR); returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// Moves the pointer (screen coordinates).
BOOL SetCursorPos(int x, int y);
