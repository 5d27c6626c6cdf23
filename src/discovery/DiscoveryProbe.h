#pragma once

// The 164-byte probe sent to a subnet's directed broadcast address, port 28010.
//
//   offset 0       type, 16-bit little-endian, 1
//   offset 2       pair count, 16-bit little-endian, 1 to 20
//   offset 4 + 8k  address of pair k, network order
//   offset 8 + 8k  mask of pair k, network order
//
// The pairs describe the whole adapter inventory (every address of every adapter, table order,
// first address first, 0.0.0.0/0.0.0.0 included) up to 20, so a probe's bytes are the same
// whichever adapter sends it. Unused slots are zero.

#include "discovery/DiscoveryWire.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct AdapterTable;

struct ProbePair {
    std::uint32_t AddressNet = 0;
    std::uint32_t MaskNet = 0;
    friend bool operator==(const ProbePair&, const ProbePair&) = default;
};

// A probe as a receiver reads it (the emulator, tests).
struct ParsedProbe {
    std::uint16_t Type = 0;
    std::uint16_t PairCount = 0;  // as carried, even above 20
    std::vector<ProbePair> Pairs; // the first min(PairCount, 20) slots that the datagram holds
};

class DiscoveryProbe {
public:
    using Bytes = std::array<std::uint8_t, kProbeSize>;

    static Bytes Build(const AdapterTable& table);

    // The directed broadcast of address A with mask M: A | ~M. A mask that did not parse (all
    // ones) gives A itself, a mask of 0 gives 255.255.255.255.
    static std::uint32_t Destination(std::uint32_t addressNet, std::uint32_t maskNet) {
        return addressNet | ~maskNet;
    }

    // Reads a received probe; null when it is shorter than its 4-byte header. The caller decides
    // what to make of the type and of a datagram that is not 164 bytes.
    static std::optional<ParsedProbe> Parse(std::span<const std::uint8_t> datagram);
};
