#pragma once

// The values the tray icon, its popup menu and the main window agree on.

#include "platform/gui/WinTypes.h"

// The icon's id in the notification area, which is also the popup's menu resource.
inline constexpr UINT kTrayIconId = 159;
inline constexpr WORD kTrayMenuResource = 159;
// The icon's callback message (UM_TRAY_NOTIFY): wParam the icon id, lParam's low word the mouse
// message.
inline constexpr UINT kTrayNotifyMessage = WM_USER + 0x1025;
// Commands of the popup.
inline constexpr UINT ID_TRAY_DISPLAY = 32771;
inline constexpr UINT ID_TRAY_EXIT = 32772;
// String-table entries: the title (the icon's tip) and the two item texts.
inline constexpr UINT kTrayTipString = 107;
inline constexpr UINT kTrayOpenString = 200;
inline constexpr UINT kTrayExitString = 201;

static_assert(kTrayNotifyMessage == 0x1425);
