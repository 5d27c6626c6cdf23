#pragma once

#include <array>
#include <cstdint>
#include <string>

// One device the emulator pretends to be. Texts are raw bytes as they go on the wire: the emulator
// sends whatever it is given, including bytes that are not valid UTF-8 and texts longer than their
// field (those fill the field with no NUL).
struct EmulatedDevice {
    std::array<std::uint8_t, 4> ip{};
    std::array<std::uint8_t, 6> mac{};
    std::string model;
    std::string description;

    friend bool operator==(const EmulatedDevice&, const EmulatedDevice&) = default;
};
