#pragma once

// Turns the readable source of a menu resource into the standard binary menu template.
//
// Source grammar (one statement a line or several, '#' starts a comment):
//     MENU <id>
//     BEGIN
//         MENUITEM "text", <command id> [, GRAYED | INACTIVE | CHECKED | MENUBREAK | MENUBARBREAK ...]
//         MENUITEM SEPARATOR
//         POPUP "text" [, option ...]
//         BEGIN
//             ...
//         END
//     END
// Texts are UTF-8 with the escapes \" \\ \t \n. Numbers are decimal or 0x hexadecimal.
//
// Binary form: two little-endian 16-bit words (version 0, header offset 0), then every item in
// order: a 16-bit flags word; a 16-bit command id unless the flags hold MF_POPUP (0x10); the text,
// UTF-16LE with a terminating zero. The last item of each list carries MF_END (0x80); a popup's
// items follow it directly. A separator is a plain item with flags 0, id 0 and an empty text.
//
// Plain C++ only: this runs at build time on the build machine.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace menucompiler {

struct CompileResult {
    bool ok = false;
    int menuId = 0;
    std::vector<std::uint8_t> bytes; // the binary template when ok
    std::string error;               // "line N: what is wrong" when not ok
};

CompileResult CompileMenuSource(std::string_view source);

} // namespace menucompiler
