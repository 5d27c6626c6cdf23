#include "ui/tray/TrayCommands.h"

#include "platform/gui/CTrayIcon.h"
#include "platform/gui/CWnd.h"
#include "ui/tray/CDuzTray.h"
#include "ui/tray/TrayCommandTarget.h"
#include "ui/tray/TrayIds.h"

LRESULT HandleTrayNotify(TrayCommandTarget& target, CDuzTray& trayMenu, TrayMenuTexts& texts,
                         WPARAM /*wParam*/, LPARAM lParam) {
    switch (LOWORD(static_cast<std::uintptr_t>(lParam))) {
    case WM_RBUTTONUP:
        trayMenu.ShowTrayMenu(target.TrayWindow(), texts);
        break;
    case WM_LBUTTONUP:
        TrayDisplay(target);
        break;
    default:
        break;
    }
    return 1;
}

BOOL HandleTrayCommand(TrayCommandTarget& target, UINT commandId) {
    if (commandId == ID_TRAY_DISPLAY) {
        TrayDisplay(target);
        return TRUE;
    }
    if (commandId == ID_TRAY_EXIT) {
        TrayExit(target);
        return TRUE;
    }
    return FALSE;
}

void TrayDisplay(TrayCommandTarget& target) {
    target.CenterAndShow();
    CWnd& window = target.TrayWindow();
    window.ShowWindow(SW_SHOWNORMAL);
    window.SetForegroundWindow();
    window.SetActiveWindow();
}

void TrayExit(TrayCommandTarget& target) {
    target.ReleaseAdapterTable();
    PostQuitMessage(0);
}

bool CanHideToTray(const CDuzTray& trayMenu) {
    // The icon is kept even when the desktop had no tray at the time it was added, and appears
    // when one turns up; what counts is that it was asked for and a tray is there now.
    return trayMenu.TrayIconRecord().uID == kTrayIconId && IsNotificationAreaAvailable() != FALSE;
}
