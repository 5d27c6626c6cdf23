#include "ui/tray/CDuzTray.h"

#include "platform/gui/CWnd.h"
#include "skin/SkinTable.h"
#include "ui/tray/TrayIds.h"

CDuzTray::~CDuzTray() = default;

void CDuzTray::ShowTrayMenu(CWnd& mainWindow, TrayMenuTexts& texts) {
    POINT pointer;
    GetCursorPos(&pointer);
    // The popup belongs to the main window even while that is hidden; it keeps the keyboard and
    // closes when the user clicks elsewhere.
    mainWindow.SetForegroundWindow();
    LoadMenuResource(kTrayMenuResource);
    auto* popup = dynamic_cast<GxMenu*>(GetSubMenu(0));
    texts.openText = LoadSkinText(kTrayOpenString);
    texts.exitText = LoadSkinText(kTrayExitString);
    SetItemTextByCommand(std::u16string_view(texts.openText), ID_TRAY_DISPLAY);
    SetItemTextByCommand(std::u16string_view(texts.exitText), ID_TRAY_EXIT);
    // The flat look whatever the desktop's colours, except on palette displays; for good.
    FlatStyleDistinctFace = 1;
    FlatStyleSameFace = 1;
    if (popup) {
        popup->SetDefaultCommandId(ID_TRAY_DISPLAY);
        popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, pointer.x, pointer.y, &mainWindow);
    }
    ReleaseMenu();
}
