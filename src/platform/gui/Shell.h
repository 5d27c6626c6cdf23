#pragma once

// Opening a document or an address with the desktop's default handler (the browser for a web
// address, the mail program for a "mailto:" address).

#include "platform/gui/WinTypes.h"

#include <string_view>

// Hands `file` to the desktop's default handler ("xdg-open") as one argument, never through a
// shell, so no character of the address is interpreted on the way. The verb ("open", or empty for
// the default verb), the parameters, the directory and the show command are accepted for the
// callers' sake and change nothing: the desktop has one way to open an address. Returns a value greater than
// 32 when the handler was started, 2 (file not found) for an empty address and 31 (no association) when no
// handler could be started. Does not wait for the handler.
std::intptr_t ShellExecuteW(HWND owner, std::u16string_view verb, std::u16string_view file,
                            std::u16string_view parameters, std::u16string_view directory, int showCommand);
