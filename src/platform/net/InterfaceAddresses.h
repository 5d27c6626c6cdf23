#pragma once

// The IPv4 addresses of the interfaces, in the kernel's order (getifaddrs).

#include <string>
#include <vector>

struct InterfaceAddressRecord {
    std::string InterfaceName; // without an alias label (":1")
    std::string Address;       // dotted
    std::string Mask;          // dotted
};

std::vector<InterfaceAddressRecord> ListInterfaceAddresses();
