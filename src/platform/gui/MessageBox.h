#pragma once

// Modal message boxes. When the environment variable QUELLMARK_MESSAGE_BOX_LOG is set, no box is
// shown: the line "CAPTION|TEXT|TYPE" (TYPE in decimal) goes to stderr and IDOK comes back at once,
// so tests and headless runs never block on a box nobody can close.

#include "platform/gui/WinTypes.h"

#include <string_view>

class CWnd;

// Blocks until the box is closed; returns the id of the button that closed it (IDOK, IDCANCEL, ...).
// The type's low four bits choose the buttons (MB_OK, MB_OKCANCEL, ...), the next four the icon.
int MessageBoxW(CWnd* owner, std::u16string_view text, std::u16string_view caption, UINT type);

// A box captioned with the application's name.
int AfxMessageBox(std::u16string_view text, UINT type);
