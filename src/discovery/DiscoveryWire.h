#pragma once

// The discovery protocol's fixed numbers and the capacities of the tables that hold its results.
// Every other file takes them from here.

#include <cstddef>
#include <cstdint>

// Devices listen on this port; our probing socket is bound to the other, where replies arrive.
constexpr std::uint16_t kProbeDestinationPort = 28010;
constexpr std::uint16_t kProbeLocalPort = 28011;

constexpr std::size_t kProbeSize = 164;
constexpr std::size_t kReplySize = 160;
constexpr std::size_t kProbePairSlots = 20;

constexpr std::uint16_t kProbeType = 1; // little-endian on the wire: 01 00
constexpr std::uint16_t kReplyType = 2; // big-endian on the wire: 00 02

// Probe layout: type, pair count (both little-endian), then 20 address/mask pairs.
constexpr std::size_t kProbeTypeOffset = 0;
constexpr std::size_t kProbePairCountOffset = 2;
constexpr std::size_t kProbePairsOffset = 4;
constexpr std::size_t kProbePairSize = 8;

// Reply layout.
constexpr std::size_t kReplyTypeOffset = 0;
constexpr std::size_t kReplyAddressOffset = 2; // not 4-aligned: read byte by byte
constexpr std::size_t kReplyMacOffset = 6;
constexpr std::size_t kReplyMacSize = 6;
constexpr std::size_t kReplyModelOffset = 12;
constexpr std::size_t kReplyModelSize = 20;
constexpr std::size_t kReplyDescriptionOffset = 32;
constexpr std::size_t kReplyDescriptionSize = 128;

// One adapter step reads at most this many datagrams.
constexpr std::size_t kMaxRepliesPerAdapter = 20;
constexpr int kDefaultReplyWaitMs = 1000;

// Device table and its display copy.
constexpr std::size_t kMaxDevices = 20;
constexpr std::size_t kDisplayEntries = 32;

// Text capacities in UTF-16 units, terminator included.
constexpr std::size_t kModelTextCapacity = 20;
constexpr std::size_t kDescriptionTextCapacity = 128;
constexpr std::size_t kIpTextCapacity = 16;
constexpr std::size_t kMacTextCapacity = 18;

// Adapter inventory. See AdapterTable.h for why the table has room for 10.
constexpr std::size_t kAdapterTableCapacity = 10;
constexpr std::size_t kMaxScannedAdapters = 10;
constexpr std::size_t kAdapterTextCapacity = 255; // name, description
constexpr std::size_t kAddressTextCapacity = 16;  // dotted address or mask, gateway
constexpr std::size_t kPhysicalAddressSize = 8;
