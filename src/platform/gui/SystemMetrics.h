#pragma once

// System colours, system metrics and the display's resolution. Colours come from the desktop's
// palette, screen sizes from the primary screen, so the program follows the user's theme.

#include "platform/gui/GdiTypes.h"

class CBrush;

// The colour of a COLOR_* role in the application palette; black for an unknown role.
COLORREF GetSysColor(int index);
// A process-wide solid brush of GetSysColor(index), refreshed on every call; never delete it.
// Null for an unknown role.
CBrush* GetSysColorBrush(int index);
// SM_CXSCREEN/SM_CYSCREEN: the primary screen; SM_CXFULLSCREEN/SM_CYFULLSCREEN: its available
// area (without panels and docks); SM_CYMENU: the height of a menu line. 0 for an unknown index.
int GetSystemMetrics(int index);

// The display device as drawing contexts see it. Layout in this program is in pixels at 96 dots
// per inch, so that is what the display reports unless a test says otherwise.
class DisplayDevice {
public:
    static int LogPixelsX();
    static int LogPixelsY();
    // A true-colour surface never has a palette; a test may pretend otherwise.
    static bool IsPaletteDevice();

    // Test hooks: 0 restores the default resolution.
    static void SetResolutionForTesting(int dpiX, int dpiY);
    static void SetPaletteDeviceForTesting(bool palette);
};
