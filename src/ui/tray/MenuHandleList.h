#pragma once

// The process-wide list of the owner-drawn menus' popup handles: every popup appended through
// GxMenu::AppendOwnerDrawnItem is added, and GxMenu::ReleaseMenu removes a menu's own handle and
// those of its popups. Empty at start and again whenever every menu has been released.

#include "platform/gui/WinTypes.h"

#include <cstddef>
#include <vector>

class MenuHandleList {
public:
    static MenuHandleList& Instance();

    void Add(HMENU menu) { m_handles.push_back(menu); }
    // Removes every occurrence.
    void Remove(HMENU menu);
    bool Contains(HMENU menu) const;
    std::size_t Count() const { return m_handles.size(); }

private:
    std::vector<HMENU> m_handles;
};
