#include "platform/gui/CGdiObject.h"

#include "platform/gui/CBrush.h"
#include "platform/gui/CFont.h"
#include "platform/gui/CPen.h"

#include <mutex>
#include <unordered_set>

namespace {

// Every living object, so that a handle can be checked before it is turned back into an object.
struct Registry {
    std::mutex mutex;
    std::unordered_set<const CGdiObject*> objects;
};

Registry& LiveObjects() {
    static Registry* registry = new Registry; // outlives the static stock objects
    return *registry;
}

} // namespace

CGdiObject::CGdiObject(Kind kind) : m_kind(kind) {
    Registry& registry = LiveObjects();
    std::lock_guard lock(registry.mutex);
    registry.objects.insert(this);
}

CGdiObject::~CGdiObject() {
    Registry& registry = LiveObjects();
    std::lock_guard lock(registry.mutex);
    registry.objects.erase(this);
}

HGDIOBJ CGdiObject::GetSafeHandle() const {
    if (!IsCreated()) {
        return nullptr;
    }
    return reinterpret_cast<HGDIOBJ>(const_cast<CGdiObject*>(this));
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) {
    if (handle == nullptr) {
        return nullptr;
    }
    auto* object = reinterpret_cast<CGdiObject*>(handle);
    {
        Registry& registry = LiveObjects();
        std::lock_guard lock(registry.mutex);
        if (registry.objects.count(object) == 0) {
            return nullptr;
        }
    }
    return object->IsCreated() ? object : nullptr;
}

HGDIOBJ GetStockObject(int stockId) {
    if (CPen* pen = CPen::FromStock(stockId)) {
        return pen->CGdiObject::GetSafeHandle();
    }
    if (CBrush* brush = CBrush::FromStock(stockId)) {
        return brush->CGdiObject::GetSafeHandle();
    }
    if (CFont* font = CFont::FromStock(stockId)) {
        return font->CGdiObject::GetSafeHandle();
    }
    return nullptr;
}
