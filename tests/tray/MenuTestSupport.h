#pragma once

// Helpers shared by the menu tests: binary templates written by hand, and a menu tree described
// as one line of text so that a whole tree compares in one expectation.

#include "ui/tray/GxMenu.h"

#include <cstdint>
#include <string>
#include <vector>

struct TemplateItem {
    WORD flags = 0;
    WORD id = 0; // left out of the bytes for a popup
    std::u16string text;
};

inline std::vector<std::uint8_t> MenuTemplate(const std::vector<TemplateItem>& items, WORD headerOffset = 0) {
    std::vector<std::uint8_t> bytes;
    const auto word = [&bytes](WORD value) {
        bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    };
    word(0);
    word(headerOffset);
    bytes.insert(bytes.end(), headerOffset, 0xEE);
    for (const TemplateItem& item : items) {
        word(item.flags);
        if ((item.flags & MF_POPUP) == 0) {
            word(item.id);
        }
        for (const char16_t unit : item.text) {
            word(static_cast<WORD>(unit));
        }
        word(0);
    }
    return bytes;
}

// "text=id" for a command, "-" for a separator, "text{...}" for a popup; "*" marks an owner-drawn
// item. The texts are the item records', which is what gets drawn.
inline std::string DescribeMenu(const GxMenu& menu) {
    std::string out;
    const int count = menu.GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        if (position > 0) {
            out += ",";
        }
        const UINT state = menu.GetMenuState(static_cast<UINT>(position), MF_BYPOSITION);
        const auto& records = menu.ItemRecords();
        std::string text;
        if (static_cast<std::size_t>(position) < records.size()) {
            for (const char16_t unit : records[static_cast<std::size_t>(position)]->m_text) {
                text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
            }
        }
        if ((state & MF_POPUP) != 0) {
            const auto* popup = dynamic_cast<const GxMenu*>(menu.GetSubMenu(position));
            out += text + "{" + (popup ? DescribeMenu(*popup) : std::string("?")) + "}";
        } else if ((state & MF_SEPARATOR) != 0) {
            out += "-";
        } else {
            out += text + "=" + std::to_string(menu.GetMenuItemID(position));
        }
        if ((state & MF_OWNERDRAW) != 0) {
            out += "*";
        }
    }
    return out;
}
