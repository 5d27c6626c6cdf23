#pragma once

// Dotted IPv4 texts and their 32-bit values. Every 32-bit address in the discovery code is kept
// as the socket layer keeps it (in_addr.s_addr): its four bytes in memory are the address in
// network order, a.b.c.d as a, b, c, d. Bitwise arithmetic on such values (a directed broadcast,
// A | ~M) is independent of the host's byte order.

#include <bit>
#include <cstdint>
#include <string>

// The platform's dotted-address parser: the address in network order, or all ones
// (255.255.255.255) for a text that is not an address. Its forms are those of inet_addr
// ("10.1" and "0x7f.1" parse too).
std::uint32_t InetAddr(const char* text);

// The value's four bytes as "a.b.c.d".
std::string FormatIpv4(std::uint32_t addressNet);

// Builds a network-order value from its four bytes, a first: a, b, c, d lie in memory in that
// order whatever the host's byte order.
constexpr std::uint32_t Ipv4FromBytes(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::uint32_t>(a) | (static_cast<std::uint32_t>(b) << 8) |
               (static_cast<std::uint32_t>(c) << 16) | (static_cast<std::uint32_t>(d) << 24);
    else
        return (static_cast<std::uint32_t>(a) << 24) | (static_cast<std::uint32_t>(b) << 16) |
               (static_cast<std::uint32_t>(c) << 8) | static_cast<std::uint32_t>(d);
}
