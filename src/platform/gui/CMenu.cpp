#include "platform/gui/CMenu.h"

#include "platform/gui/MenuRegistry.h"
#include "platform/gui/PopupMenuWidget.h"

namespace {

// The type and state bits an item keeps; MF_BYPOSITION and MF_END only steer the call.
constexpr UINT kStoredFlags = ~(MF_BYPOSITION | MF_END);

bool MakeItem(UINT flags, UINT_PTR idNewItem, std::u16string_view text, UINT_PTR itemData, MenuItem& item) {
    item.flags = flags & kStoredFlags;
    item.id = idNewItem;
    if (item.IsPopup()) {
        // A popup must be a live menu; and it holds no command id of its own.
        if (!menu_registry::Find(item.Popup())) {
            return false;
        }
    }
    if (item.IsSeparator()) {
        item.id = 0;
    }
    if ((flags & MF_OWNERDRAW) != 0) {
        item.itemData = itemData;
    } else {
        item.text.assign(text);
    }
    return true;
}

bool AppendItem(HMENU menu, UINT flags, UINT_PTR idNewItem, std::u16string_view text, UINT_PTR itemData) {
    MenuRecord* record = menu_registry::Find(menu);
    MenuItem item;
    if (!record || !MakeItem(flags, idNewItem, text, itemData, item)) {
        return false;
    }
    record->items.push_back(std::move(item));
    return true;
}

bool ModifyItem(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, std::u16string_view text,
                UINT_PTR itemData) {
    const menu_registry::ItemRef ref = menu_registry::Locate(menu, position, flags);
    MenuItem item;
    if (!ref.menu || !MakeItem(flags, idNewItem, text, itemData, item)) {
        return false;
    }
    // The bitmaps belong to the place in the menu, not to the description being replaced.
    item.checkedBitmap = ref.item()->checkedBitmap;
    item.uncheckedBitmap = ref.item()->uncheckedBitmap;
    *ref.item() = std::move(item);
    return true;
}

} // namespace

CMenu::~CMenu() {
    if (m_hMenu) {
        DestroyMenu();
    }
}

CMenu* CMenu::FromHandle(HMENU menu) {
    const MenuRecord* record = menu_registry::Find(menu);
    return record ? record->object : nullptr;
}

BOOL CMenu::CreateMenu() {
    if (m_hMenu) {
        return FALSE;
    }
    return Attach(menu_registry::Create(false));
}

BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu) {
        return FALSE;
    }
    return Attach(menu_registry::Create(true));
}

BOOL CMenu::Attach(HMENU menu) {
    MenuRecord* record = menu_registry::Find(menu);
    if (m_hMenu || !record || record->object) {
        return FALSE;
    }
    record->object = this;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    const HMENU menu = m_hMenu;
    if (MenuRecord* record = menu_registry::Find(menu); record && record->object == this) {
        record->object = nullptr;
    }
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::DestroyMenu() {
    const HMENU menu = Detach();
    return menu_registry::Destroy(menu) ? TRUE : FALSE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, std::u16string_view text) {
    return AppendItem(m_hMenu, flags & ~MF_OWNERDRAW, idNewItem, text, 0) ? TRUE : FALSE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idNewItem, UINT_PTR itemData) {
    return AppendItem(m_hMenu, flags | MF_OWNERDRAW, idNewItem, {}, itemData) ? TRUE : FALSE;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem, std::u16string_view text) {
    return ModifyItem(m_hMenu, position, flags & ~MF_OWNERDRAW, idNewItem, text, 0) ? TRUE : FALSE;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem, UINT_PTR itemData) {
    return ModifyItem(m_hMenu, position, flags | MF_OWNERDRAW, idNewItem, {}, itemData) ? TRUE : FALSE;
}

BOOL CMenu::RemoveMenu(UINT position, UINT flags) {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, position, flags);
    if (!ref.menu) {
        return FALSE;
    }
    ref.menu->items.erase(ref.menu->items.begin() + static_cast<std::ptrdiff_t>(ref.position));
    return TRUE;
}

int CMenu::GetMenuItemCount() const {
    const MenuRecord* record = menu_registry::Find(m_hMenu);
    return record ? static_cast<int>(record->items.size()) : -1;
}

UINT CMenu::GetMenuItemID(int position) const {
    const MenuRecord* record = menu_registry::Find(m_hMenu);
    if (!record || position < 0 || static_cast<std::size_t>(position) >= record->items.size()) {
        return 0xFFFFFFFF;
    }
    const MenuItem& item = record->items[static_cast<std::size_t>(position)];
    return item.IsPopup() ? 0xFFFFFFFF : static_cast<UINT>(item.id);
}

HMENU CMenu::GetSubMenuHandle(int position) const {
    const MenuRecord* record = menu_registry::Find(m_hMenu);
    if (!record || position < 0 || static_cast<std::size_t>(position) >= record->items.size()) {
        return nullptr;
    }
    return record->items[static_cast<std::size_t>(position)].Popup();
}

CMenu* CMenu::GetSubMenu(int position) const {
    return FromHandle(GetSubMenuHandle(position));
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, item, flags);
    return ref.menu ? ref.item()->flags : 0xFFFFFFFF;
}

std::u16string CMenu::GetMenuString(UINT item, UINT flags) const {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, item, flags);
    return ref.menu ? ref.item()->text : std::u16string();
}

UINT_PTR CMenu::GetMenuItemData(UINT item, UINT flags) const {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, item, flags);
    return ref.menu ? ref.item()->itemData : 0;
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, item, check);
    if (!ref.menu) {
        return 0xFFFFFFFF;
    }
    const UINT previous = ref.item()->flags & MF_CHECKED;
    ref.item()->flags = (ref.item()->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, item, enable);
    if (!ref.menu) {
        return 0xFFFFFFFF;
    }
    constexpr UINT kEnableBits = MF_GRAYED | MF_DISABLED;
    const UINT previous = ref.item()->flags & kEnableBits;
    ref.item()->flags = (ref.item()->flags & ~kEnableBits) | (enable & kEnableBits);
    return previous;
}

BOOL CMenu::SetMenuItemBitmaps(UINT item, UINT flags, HBITMAP unchecked, HBITMAP checked) {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, item, flags);
    if (!ref.menu) {
        return FALSE;
    }
    ref.item()->uncheckedBitmap = unchecked;
    ref.item()->checkedBitmap = checked;
    return TRUE;
}

HBITMAP CMenu::GetMenuItemCheckedBitmap(UINT item, UINT flags) const {
    const menu_registry::ItemRef ref = menu_registry::Locate(m_hMenu, item, flags);
    return ref.menu ? ref.item()->checkedBitmap : nullptr;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, const RECT* /*exclude*/) {
    return PopupMenuWidget::Track(m_hMenu, flags, POINT{x, y}, owner);
}

// A CMenu of its own draws nothing: only derived menus that own-draw their items answer.
void CMenu::MeasureItem(MEASUREITEMSTRUCT* /*measureItem*/) {}

void CMenu::DrawItem(DRAWITEMSTRUCT* /*drawItem*/) {}

BOOL IsMenu(HMENU menu) {
    return menu_registry::Find(menu) ? TRUE : FALSE;
}

std::size_t LiveMenuCount() {
    return menu_registry::LiveCount();
}

// The glyph size of the desktop's classic check mark, which the owner-drawn look copies.
LONG GetMenuCheckMarkDimensions() {
    return static_cast<LONG>(MAKELONG(13, 13));
}

BOOL RouteMenuOwnerDraw(UINT message, LPARAM lParam) {
    menu_registry::OwnerDrawRequest* request = menu_registry::CurrentOwnerDrawRequest();
    // Only the request the popup is sending now is a menu's; anything else is a control's.
    if (!request || request->request != reinterpret_cast<const void*>(lParam) || request->routed) {
        return FALSE;
    }
    CMenu* menu = CMenu::FromHandle(request->menu);
    if (!menu) {
        return FALSE;
    }
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU) {
            return FALSE;
        }
        request->routed = true;
        menu->MeasureItem(measure);
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU) {
            return FALSE;
        }
        request->routed = true;
        menu->DrawItem(draw);
        return TRUE;
    }
    return FALSE;
}
