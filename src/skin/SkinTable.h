#pragma once

// Typed readers over the program's string table. The windows keep their layout rectangles, label
// colours, font sizes and captions there and read them by id at the point of use, so the look is
// changed by editing the table. Nothing is cached: each call reads its entry afresh.

#include "platform/gui/WinTypes.h"

#include <string>

// The entry's text. An absent or empty entry is fatal: the box "Load String (<id>) Failed!"
// captioned "Error", then exit code 1.
std::u16string LoadSkinText(UINT id);

// The entry read as a decimal number (leading white space, one optional sign, digits up to the
// first non-digit; saturated at the 32-bit range). 0 when the entry is absent or holds no number.
LONG LoadSkinInt(UINT id);

// The entry "x,y,width,height" as left, top, right, bottom. The fallback, unchanged, when the
// entry is absent, holds fewer than four numbers, or any of them lies outside 1 to 10000.
RECT LoadSkinRect(UINT id, const RECT& fallback);

// The entry "red,green,blue" as 0x00BBGGRR, each component taken modulo 256. Components that
// cannot be read count as 0.
COLORREF LoadSkinColor(UINT id);

// The font description chosen by a font key: weight and italic from the font table, the height
// from the key's size entry (points at 96 dpi; 8 pixels when the size is not 1 to 100), Swiss
// family, empty face.
LOGFONT MakeSkinFont(UINT key);
