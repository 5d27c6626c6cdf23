#pragma once

#include "EmulatedDevice.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The emulator's device list, read from config files and --device options.
//
// One device a line: IP MAC MODEL [DESCRIPTION]
//   - IP is dotted IPv4; MAC is six hex pairs joined by '-' or ':'.
//   - MODEL is one word, or a "quoted text".
//   - DESCRIPTION is the rest of the line (trimmed), or a "quoted text".
//   - In MODEL and DESCRIPTION the escapes \xNN, \t, \n, \", \\ give any byte, so a config can
//     describe texts that are not UTF-8.
// Blank lines and lines whose first non-blank character is '#' are ignored.
class DeviceConfig {
public:
    struct Result {
        std::vector<EmulatedDevice> devices;
        std::string error; // empty on success; otherwise "LINE: why"
    };

    // Parses one device line; on failure returns nothing and sets *error.
    static std::optional<EmulatedDevice> ParseLine(std::string_view line, std::string* error);

    // Parses a whole config text; origin names it in error messages ("devices.conf:3: ...").
    static Result ParseText(std::string_view text, std::string_view origin);

    // Reads and parses a config file.
    static Result ReadFile(const std::string& path);

    // The device as a config line (escapes for anything that is not printable ASCII).
    static std::string FormatLine(const EmulatedDevice& device);
};
