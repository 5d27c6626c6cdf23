#pragma once

// The program's own resources, compiled into the executable with Qt's resource system. A resource
// of id N and type T lives at ":/res/T/N"; the string table is one UTF-8 text file at
// ":/res/STRINGTABLE" with one "ID<TAB>TEXT" entry a line.

#include "platform/gui/WinTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The bytes of resource (id, type); nullopt when there is no such resource. The type is compared
// exactly, as the resource path spells it ("PNG", "DIALOG", "ICON", ...).
std::optional<std::vector<std::uint8_t>> LoadResourceData(int id, std::u16string_view type);

// The text of string-table entry id; empty when the entry is absent (no line, or an empty text).
std::u16string LoadStringResource(UINT id);
