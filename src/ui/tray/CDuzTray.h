#pragma once

// The tray menu: the owner-drawn popup of the notification-area icon ("Open" in bold, "Exit"),
// built from menu 159 at every opening and released when it closes. The main window keeps one
// as a member; the icon's record lives in it too (GxMenu::AddTrayIcon, RemoveTrayIcon).

#include "ui/tray/GxMenu.h"

#include <string>

class CWnd;

// The texts the last opening put on the two items (string-table entries 200 and 201).
struct TrayMenuTexts {
    std::u16string openText;
    std::u16string exitText;
};

class CDuzTray : public GxMenu {
public:
    CDuzTray() = default;
    ~CDuzTray() override;

    // Opens the popup at the pointer for mainWindow, which gets the chosen command afterwards as
    // WM_COMMAND (ID_TRAY_DISPLAY or ID_TRAY_EXIT); returns when the popup has closed.
    void ShowTrayMenu(CWnd& mainWindow, TrayMenuTexts& texts);
};
