#pragma once

// The program's private window messages (WM_USER + 0x1025 to 0x1028). The main window handles
// all four; the notification icon posts UM_TRAY_NOTIFY and the scan worker's notification sends
// UM_SCAN_DONE.

#include "platform/gui/WinTypes.h"

// wParam: the icon's id (159, not used); lParam: the mouse message in the low word. Result 1.
inline constexpr UINT UM_TRAY_NOTIFY = WM_USER + 0x1025;
// lParam: the row to give the focus. Nobody sends it: the window calls ShowRows directly. Result 0.
inline constexpr UINT UM_SHOW_ROWS = WM_USER + 0x1026;
// Sent synchronously by the window to itself on timer 3. Result 1.
inline constexpr UINT UM_START_SCAN = WM_USER + 0x1027;
// Sent synchronously by the scan worker when a pass has ended; the worker waits while the window
// reads the display copy. Result 1.
inline constexpr UINT UM_SCAN_DONE = WM_USER + 0x1028;

static_assert(UM_TRAY_NOTIFY == 0x1425 && UM_SCAN_DONE == 0x1428);
