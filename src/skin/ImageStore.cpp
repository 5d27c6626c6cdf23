#include "skin/ImageStore.h"

#include "platform/gui/Image.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/Resources.h"

#include <cstdlib>
#include <forward_list>
#include <memory>
#include <optional>
#include <string>

namespace {

struct ImageEntry {
    std::unique_ptr<Image> image;
    int id;
    std::u16string type;
};

// Newest first: a new picture is put at the front, where the next search starts. The optional
// tells a ready store (possibly empty) from no store at all.
std::optional<std::forward_list<ImageEntry>> g_store;

std::u16string ToU16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

[[noreturn]] void ReportMissingImage(int id) {
    AfxMessageBox(ToU16("Image Resource Error:" + std::to_string(id)), MB_ICONERROR);
    std::exit(1);
}

} // namespace

void InitImageStore() {
    g_store.emplace();
}

Image* GetSkinImage(int id, std::u16string_view type) {
    // A request before InitImageStore or after ClearImageStore would follow a null list head on
    // the reference platform; a fresh store is the harmless reading of that mistake.
    if (!g_store) {
        g_store.emplace();
    }
    for (const ImageEntry& entry : *g_store) {
        if (entry.id == id && entry.type == type) {
            return entry.image.get();
        }
    }
    const std::optional<std::vector<std::uint8_t>> bytes = LoadResourceData(id, type);
    if (!bytes) {
        ReportMissingImage(id);
    }
    g_store->push_front(ImageEntry{Image::FromPng(*bytes), id, std::u16string(type)});
    return g_store->front().image.get();
}

void ClearImageStore() {
    g_store.reset();
}
