#pragma once

// The notification-area icon. Shell_NotifyIconW adds, changes and deletes icons described by the
// desktop's record; each live icon is a CTrayIcon, which shows a Qt status icon (StatusNotifierItem
// or an XEmbed tray, whichever the desktop offers) and turns its clicks into the record's callback
// message, posted to the record's window:
//     wParam = the icon id, lParam = the mouse message in the low word:
//     left click WM_LBUTTONUP; left double click WM_LBUTTONDBLCLK then WM_LBUTTONUP (the second
//     release); right click WM_RBUTTONUP; middle click WM_MBUTTONUP.
// The desktop reports a click when the button goes down on some trays and when it comes up on
// others; either way the program hears one release per click.

#include "platform/gui/WinTypes.h"

#include <memory>
#include <string>
#include <string_view>

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_MODIFY = 1;
constexpr DWORD NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 0x0001;
constexpr UINT NIF_ICON = 0x0002;
constexpr UINT NIF_TIP = 0x0004;

// The record's size on the desktop the program was first written for, with the balloon icon
// handle at its end; callers put it in cbSize and it is not checked here.
constexpr DWORD NOTIFYICONDATAW_SIZE = 956;
constexpr int NOTIFYICON_TIP_CAPACITY = 128; // UTF-16 units, the terminating zero included

struct NOTIFYICONDATAW {
    DWORD cbSize = 0;
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    HICON hIcon = nullptr;
    char16_t szTip[NOTIFYICON_TIP_CAPACITY] = {};
};

// NIM_ADD: a new icon for (hWnd, uID), FALSE when one exists already or the desktop has no
// notification area (the icon is kept then and appears if a tray turns up later). NIM_MODIFY:
// the fields the flags name. NIM_DELETE: removes it; FALSE when there was none.
BOOL Shell_NotifyIconW(DWORD message, const NOTIFYICONDATAW* data);

// Whether the desktop shows status icons now. Where it does not, a window hidden "to the tray"
// could not be brought back, so callers minimise instead.
BOOL IsNotificationAreaAvailable();

class QSystemTrayIcon;

class CTrayIcon {
public:
    explicit CTrayIcon(const NOTIFYICONDATAW& data);
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    void Modify(const NOTIFYICONDATAW& data);
    HWND Window() const { return m_hWnd; }
    UINT Id() const { return m_id; }

    // Tests: the tip shown and a click as the desktop would report it (the Qt activation reason).
    std::u16string_view ToolTipForTesting() const;
    void ActivateForTesting(int reason);

private:
    void OnActivated(int reason);
    void Notify(UINT mouseMessage) const;

    HWND m_hWnd = nullptr;
    UINT m_id = 0;
    UINT m_callbackMessage = 0;
    std::u16string m_tip;
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

// Tests: the live icon of (hWnd, id), or null.
CTrayIcon* FindTrayIconForTesting(HWND hWnd, UINT id);
