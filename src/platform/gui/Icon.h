#pragma once

// Icons from the program's icon resources (":/res/ICON/N", a PNG).

#include "platform/gui/WinTypes.h"

// The shared copy of an icon resource (loaded once, never destroyed); null when missing.
HICON LoadIconResource(UINT id);
