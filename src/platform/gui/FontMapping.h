#pragma once

// The Qt font that a window's font handle (WM_SETFONT) stands for; the system font for none.
// Internal to src/platform/gui.

#include "platform/gui/WinTypes.h"

#include <QFont>

QFont FontForHandle(HFONT font);
