#pragma once

// LOCAL WORKAROUND, only while the tray layer (src/ui/tray) is not merged: the few names the main
// window uses from it, doing nothing, so the window builds and runs without a notification icon.
// Minimising then minimises to the taskbar, since no icon could bring a hidden window back.
// Delete this file once src/ui/tray/TrayCommands.h exists.

#include "platform/gui/WinTypes.h"

#include <string>
#include <string_view>

class CWnd;

struct TrayMenuTexts {
    std::u16string openText;
    std::u16string exitText;
};

class CDuzTray {
public:
    void AddTrayIcon(CWnd*, std::u16string_view, HICON) {}
    void RemoveTrayIcon(CWnd* = nullptr) {}
};

class TrayCommandTarget {
public:
    virtual CWnd& TrayWindow() = 0;
    virtual void CenterAndShow() = 0;
    virtual void ReleaseAdapterTable() = 0;

protected:
    ~TrayCommandTarget() = default;
};

inline LRESULT HandleTrayNotify(TrayCommandTarget&, CDuzTray&, TrayMenuTexts&, WPARAM, LPARAM) { return 1; }
inline BOOL HandleTrayCommand(TrayCommandTarget&, UINT) { return FALSE; }
inline bool CanHideToTray(const CDuzTray&) { return false; }
