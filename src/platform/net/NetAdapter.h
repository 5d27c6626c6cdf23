#pragma once

// One network adapter as the platform reports it, before it enters the AdapterTable. Texts are
// 8-bit (see AnsiText.h); addresses and masks are dotted texts.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct NetAdapterAddress {
    std::string Address;
    std::string Mask;
};

struct NetAdapter {
    std::string Name;
    std::string Description;
    std::string Gateway; // empty when the adapter has no default route
    std::array<std::uint8_t, 8> PhysicalAddress{};
    // In the kernel's order; an adapter without an IPv4 address has the one pair 0.0.0.0/0.0.0.0.
    std::vector<NetAdapterAddress> Addresses;
};
