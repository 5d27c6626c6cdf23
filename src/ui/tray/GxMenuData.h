#pragma once

// One item of an owner-drawn menu: what the menu needs to measure and draw it. Owned by the
// GxMenu that lists it; the platform item carries a pointer to it as its item data.

#include "platform/gui/WinTypes.h"

#include <string>
#include <string_view>

class GxMenuData {
public:
    GxMenuData() = default;
    GxMenuData(std::u16string_view text, UINT flags, UINT_PTR commandId)
        : m_text(text), m_flags(flags), m_commandId(commandId) {}

    // May hold a tab followed by accelerator text.
    std::u16string m_text;
    // -1: no image. No operation of this program gives an item an image.
    int m_imageIndex = -1;
    int m_imageKey = -1;
    // The item's menu flags (MF_OWNERDRAW, MF_SEPARATOR, MF_POPUP, MF_BYPOSITION).
    UINT m_flags = 0;
    // The command id, or the popup's menu handle for a popup item.
    UINT_PTR m_commandId = 0;

    bool HasImage() const { return m_imageKey >= 0; }
};
