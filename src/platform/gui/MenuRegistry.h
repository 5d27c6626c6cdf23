#pragma once

// The menus behind the menu handles, for CMenu and the popup that tracks a menu. Internal to the
// platform layer. User-interface thread only.

#include "platform/gui/WinTypes.h"

#include <cstddef>
#include <string>
#include <vector>

class CMenu;

struct MenuItem {
    UINT flags = 0;  // MF_* type and state bits, without MF_BYPOSITION and MF_END
    UINT_PTR id = 0; // command id, or the popup's handle value with MF_POPUP
    std::u16string text;
    UINT_PTR itemData = 0; // MF_OWNERDRAW only
    HBITMAP uncheckedBitmap = nullptr;
    HBITMAP checkedBitmap = nullptr;

    bool IsPopup() const { return (flags & MF_POPUP) != 0; }
    bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
    HMENU Popup() const { return IsPopup() ? reinterpret_cast<HMENU>(id) : nullptr; }
};

struct MenuRecord {
    bool popup = false;
    std::vector<MenuItem> items;
    CMenu* object = nullptr; // the CMenu attached to the handle
};

namespace menu_registry {

HMENU Create(bool popup);
// Null for a dead handle.
MenuRecord* Find(HMENU menu);
// Destroys the menu and, depth first, the popups that are items of it.
bool Destroy(HMENU menu);
std::size_t LiveCount();

// The item an operation addresses: by position in menu, or (MF_BYCOMMAND) the first item with
// the command id in menu and its popups, depth first.
struct ItemRef {
    MenuRecord* menu = nullptr;
    HMENU handle = nullptr;
    std::size_t position = 0;
    MenuItem* item() const { return menu ? &menu->items[position] : nullptr; }
};
ItemRef Locate(HMENU menu, UINT item, UINT flags);

// The measure or draw request being sent for one owner-drawn item of a tracked popup: which menu
// it belongs to, and whether the owner's default handling routed it.
struct OwnerDrawRequest {
    HMENU menu = nullptr;
    const void* request = nullptr;
    bool routed = false;
};
OwnerDrawRequest*& CurrentOwnerDrawRequest();

} // namespace menu_registry
