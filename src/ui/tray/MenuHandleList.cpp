#include "ui/tray/MenuHandleList.h"

#include <algorithm>

MenuHandleList& MenuHandleList::Instance() {
    static MenuHandleList list;
    return list;
}

void MenuHandleList::Remove(HMENU menu) {
    std::erase(m_handles, menu);
}

bool MenuHandleList::Contains(HMENU menu) const {
    return std::find(m_handles.begin(), m_handles.end(), menu) != m_handles.end();
}
