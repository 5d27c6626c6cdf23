#pragma once

// An AdapterAddress text (UTF-16, 16 units) as the 32-bit network-order value the probe and the
// socket use: converted to 8-bit text in a 16-byte buffer, then parsed with inet_addr semantics
// (all ones for a text that is not an address).

#include "discovery/DiscoveryWire.h"

#include <cstdint>

std::uint32_t ParseAddressText(const char16_t (&text)[kAddressTextCapacity]);
