#pragma once

// The main window's handling of the tray: the icon's callback message and the popup's two
// commands. Typical use in the main window:
//
//     OnInitDialog:   m_trayMenu.AddTrayIcon(this, LoadSkinText(107), GetIcon(FALSE));
//     WindowProc:     if (message == UM_TRAY_NOTIFY)
//                         return HandleTrayNotify(*this, m_trayMenu, m_trayTexts, wParam, lParam);
//     OnCommand:      if (HandleTrayCommand(*this, LOWORD(wParam))) return TRUE;
//     minimise:       ShowWindow(CanHideToTray(m_trayMenu) ? SW_HIDE : SW_MINIMIZE);
//     OnDestroy:      m_trayMenu.RemoveTrayIcon(this);

#include "platform/gui/WinTypes.h"

class CDuzTray;
class TrayCommandTarget;
struct TrayMenuTexts;

// UM_TRAY_NOTIFY: a right-button release opens the popup, a left-button release is Display,
// anything else (moves, presses, double clicks) does nothing. The result is 1 in every case.
LRESULT HandleTrayNotify(TrayCommandTarget& target, CDuzTray& trayMenu, TrayMenuTexts& texts, WPARAM wParam,
                         LPARAM lParam);

// WM_COMMAND from the popup: ID_TRAY_DISPLAY or ID_TRAY_EXIT; FALSE for any other command.
BOOL HandleTrayCommand(TrayCommandTarget& target, UINT commandId);

// Display: the window centred, shown, in front and active.
void TrayDisplay(TrayCommandTarget& target);
// Exit: the adapter inventory released and the quit request (exit code 0) posted; the main loop
// ends on it and the window's destruction removes the icon.
void TrayExit(TrayCommandTarget& target);

// Whether hiding the window leaves a way back to it: the icon was added and the desktop shows
// a notification area. Where it does not, the minimise button minimises to the taskbar instead.
bool CanHideToTray(const CDuzTray& trayMenu);
