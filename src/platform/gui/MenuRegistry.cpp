#include "platform/gui/MenuRegistry.h"

#include "platform/gui/CMenu.h"

#include <cstdint>
#include <memory>
#include <unordered_map>

namespace menu_registry {
namespace {

struct Registry {
    std::unordered_map<HMENU, std::unique_ptr<MenuRecord>> menus;
    // Handle values count up and are never given out twice, so a stale handle finds nothing.
    std::uintptr_t next = 0x10000;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

bool LocateByCommand(HMENU handle, UINT id, ItemRef& found, int depth) {
    MenuRecord* menu = Find(handle);
    // A popup that holds one of its ancestors would make the search endless.
    if (!menu || depth > 64) {
        return false;
    }
    for (std::size_t i = 0; i < menu->items.size(); ++i) {
        const MenuItem& item = menu->items[i];
        if (item.IsPopup()) {
            if (LocateByCommand(item.Popup(), id, found, depth + 1)) {
                return true;
            }
            continue;
        }
        if (item.id == id) {
            found = ItemRef{menu, handle, i};
            return true;
        }
    }
    return false;
}

} // namespace

HMENU Create(bool popup) {
    Registry& registry = TheRegistry();
    const HMENU handle = reinterpret_cast<HMENU>(registry.next++);
    auto record = std::make_unique<MenuRecord>();
    record->popup = popup;
    registry.menus.emplace(handle, std::move(record));
    return handle;
}

MenuRecord* Find(HMENU menu) {
    Registry& registry = TheRegistry();
    const auto it = registry.menus.find(menu);
    return it == registry.menus.end() ? nullptr : it->second.get();
}

bool Destroy(HMENU menu) {
    Registry& registry = TheRegistry();
    const auto it = registry.menus.find(menu);
    if (it == registry.menus.end()) {
        return false;
    }
    // Taken out first, so a popup that (wrongly) lists its parent cannot bring us back here.
    std::unique_ptr<MenuRecord> record = std::move(it->second);
    registry.menus.erase(it);
    for (const MenuItem& item : record->items) {
        if (item.IsPopup()) {
            Destroy(item.Popup());
        }
    }
    if (record->object && record->object->m_hMenu == menu) {
        record->object->m_hMenu = nullptr;
    }
    return true;
}

std::size_t LiveCount() {
    return TheRegistry().menus.size();
}

ItemRef Locate(HMENU handle, UINT item, UINT flags) {
    MenuRecord* menu = Find(handle);
    if (!menu) {
        return {};
    }
    if ((flags & MF_BYPOSITION) != 0) {
        if (item >= menu->items.size()) {
            return {};
        }
        return ItemRef{menu, handle, item};
    }
    ItemRef found;
    LocateByCommand(handle, item, found, 0);
    return found;
}

OwnerDrawRequest*& CurrentOwnerDrawRequest() {
    static OwnerDrawRequest* current = nullptr;
    return current;
}

} // namespace menu_registry
