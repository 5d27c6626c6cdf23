#pragma once

// Window regions. A region given to a window (CWnd::SetWindowRgn) belongs to the window.

#include "platform/gui/WinTypes.h"

HRGN CreateRectRgn(int left, int top, int right, int bottom);
// A rectangle from (left, top) to (right, bottom), exclusive, whose corners are cut by an ellipse
// of ellipseWidth x ellipseHeight.
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
BOOL DeleteRgn(HRGN region);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL GetRgnBox(HRGN region, RECT* box);
