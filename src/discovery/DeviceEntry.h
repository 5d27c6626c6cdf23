#pragma once

// One device as a reply describes it: four UTF-16 texts in fixed fields (terminator included).

#include "discovery/DiscoveryWire.h"

struct DeviceEntry {
    char16_t Model[kModelTextCapacity] = {};
    char16_t Description[kDescriptionTextCapacity] = {};
    char16_t IpText[kIpTextCapacity] = {};   // "192.168.1.253"
    char16_t MacText[kMacTextCapacity] = {}; // "02-11-22-33-44-55"
};
