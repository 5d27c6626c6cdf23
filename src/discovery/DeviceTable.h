#pragma once

// The devices a scan pass found, and the display copy the rest of the program reads.
//
// The raw records are filled by a pass: at most 20 devices, in the order their first replies
// arrived, no two with the same MAC text. At the end of a completed pass they are copied into the
// display copy: an 8-bit count and 32 entries of four texts. Entries from the count on keep what an
// earlier pass put there and are not shown.
//
// No lock: one pass at a time writes, and the display copy is read only while no pass writes it
// (see ScanWorker).

#include "discovery/DeviceEntry.h"
#include "discovery/DiscoveryWire.h"

#include <array>
#include <cstdint>
#include <string>

enum DisplayTextIndex : std::size_t {
    kDisplayDescription = 0,
    kDisplayModel = 1,
    kDisplayIpText = 2,
    kDisplayMacText = 3,
};

struct DeviceDisplayEntry {
    std::array<std::u16string, 4> Texts; // description, model, IP text, MAC text
};

struct DeviceTable {
    // Raw records.
    std::uint32_t Count = 0;
    DeviceEntry Devices[kMaxDevices];
    // Display copy.
    std::uint8_t DisplayCount = 0;
    std::array<DeviceDisplayEntry, kDisplayEntries> DisplayEntries;
};

// Sets the raw records to zero; the display copy is not touched.
void ClearDeviceRecords(DeviceTable& table);

// Display count := Count, and display entry j := the four texts of raw record j for j < Count.
void PublishDeviceRecords(DeviceTable& table);

// Index of the raw record with exactly this MAC text, or -1.
int FindDeviceByMac(const DeviceTable& table, const char16_t (&macText)[kMacTextCapacity]);
