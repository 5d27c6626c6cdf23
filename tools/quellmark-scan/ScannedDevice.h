#pragma once

#include <string>

// One device of a pass, as the display copy holds it: four UTF-16 texts.
struct ScannedDevice {
    std::u16string description;
    std::u16string model;
    std::u16string ip;
    std::u16string mac;
};
