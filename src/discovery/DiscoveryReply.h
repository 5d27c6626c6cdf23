#pragma once

// The 160-byte reply a device sends back to the probing socket.
//
//   offset 0    type, 16-bit big-endian, 2 (bytes 00 02)
//   offset 2    device IPv4 address, network order (not aligned: read byte by byte)
//   offset 6    MAC address, 6 bytes in transmission order
//   offset 12   model, 20 bytes of 8-bit text ending at the first NUL
//   offset 32   description, 128 bytes of 8-bit text ending at the first NUL
//
// A datagram is a reply when it is exactly 160 bytes and begins 00 02; nothing else is tested.
// The sender's own address is not used: the device's address is the one inside the reply.

#include "discovery/DeviceEntry.h"
#include "discovery/DiscoveryWire.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

class DiscoveryReply {
public:
    using Bytes = std::array<std::uint8_t, kReplySize>;

    static bool Accepts(std::span<const std::uint8_t> datagram);

    // The four texts of an accepted reply. A model or description field without a NUL is taken
    // whole and cut to what its text holds (19 / 127 units).
    static void Decode(std::span<const std::uint8_t, kReplySize> reply, DeviceEntry& entry);

    // Builds a reply (the emulator, tests). Model and description are raw 8-bit bytes, copied up
    // to their field's width; a text that fills the field leaves no NUL in it.
    static Bytes Encode(std::uint32_t deviceAddressNet, const std::array<std::uint8_t, 6>& mac,
                        std::string_view model, std::string_view description);
};
