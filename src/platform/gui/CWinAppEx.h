#pragma once

// The extended application object. The extensions of the reference platform it stands for
// (visual managers, saved window state) are not used here; the option is kept for the callers.

#include "platform/gui/CWinApp.h"

class CWinAppEx : public CWinApp {
public:
    explicit CWinAppEx(BOOL resourceSmartUpdate = FALSE, std::u16string_view appName = u"")
        : CWinApp(appName), m_bResourceSmartUpdate(resourceSmartUpdate) {}

    BOOL m_bResourceSmartUpdate;
};
