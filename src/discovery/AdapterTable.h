#pragma once

// The inventory of the adapters to probe, with their IPv4 address/mask texts.
//
// Room: 10 entries. The scan pass probes up to 10 adapters and refuses to scan a larger
// inventory, so a table of 10 lets every adapter a pass will scan be probed (a sixth physical
// adapter is probed like the first five). BuildAdapterTable records how many adapters the
// platform listed in Found; adapters beyond the table's room are not stored, and since Found is
// then above 10 the scan pass leaves the previous result in place instead of scanning a cut list.
//
// The first address of an entry lives inside it; further addresses are separate records owned by
// the table and chained from the first in the platform's order. ReleaseAdapterTable frees them,
// as do BuildAdapterTable (before it rebuilds) and the table's destructor.
//
// One thread at a time may build, read or release a table; the scan code sees to that.

#include "discovery/DiscoveryWire.h"

#include <cstddef>
#include <cstdint>

class AdapterSource;

struct AdapterAddress {
    AdapterAddress* Next = nullptr; // owned by the table; null on the last address
    char16_t Address[kAddressTextCapacity] = {};
    char16_t Mask[kAddressTextCapacity] = {};
};

struct AdapterEntry {
    char16_t Name[kAdapterTextCapacity] = {}; // the interface name
    char16_t Description[kAdapterTextCapacity] = {};
    char16_t Gateway[kAddressTextCapacity] = {};
    std::uint8_t PhysicalAddress[kPhysicalAddressSize] = {};
    AdapterAddress FirstAddress;
};

struct AdapterTable {
    AdapterTable() = default;
    ~AdapterTable();
    AdapterTable(const AdapterTable&) = delete;
    AdapterTable& operator=(const AdapterTable&) = delete;

    std::uint32_t Count = 0; // entries in use
    std::uint32_t Found = 0; // adapters the platform listed at the last build; may exceed Count
    AdapterEntry Entries[kAdapterTableCapacity];
};

// Rebuilds the table in place from the source: releases the previous contents, then stores the
// source's adapters in its order while there is room.
void BuildAdapterTable(AdapterTable& table, AdapterSource& source);

// Frees every further address record of the first Count entries and zeroes the whole table.
// Safe on an empty table.
void ReleaseAdapterTable(AdapterTable& table);

// Further address records alive in the process; lets tests see that rebuilding does not leak.
std::size_t LiveAdapterAddressRecords();
