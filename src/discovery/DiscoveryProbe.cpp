#include "discovery/DiscoveryProbe.h"

#include "discovery/AdapterTable.h"
#include "discovery/AddressText.h"

#include <cstring>

namespace {

void PutLittleEndian16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value & 0xFF);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t GetLittleEndian16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

} // namespace

DiscoveryProbe::Bytes DiscoveryProbe::Build(const AdapterTable& table) {
    Bytes bytes{};
    std::uint16_t pairCount = 0;
    const std::uint32_t count = table.Count < kAdapterTableCapacity ? table.Count : kAdapterTableCapacity;
    for (std::uint32_t i = 0; i < count && pairCount < kProbePairSlots; ++i) {
        for (const AdapterAddress* address = &table.Entries[i].FirstAddress;
             address && pairCount < kProbePairSlots; address = address->Next) {
            // The values are s_addr as parsed, so copying their bytes writes network order.
            const std::uint32_t addressNet = ParseAddressText(address->Address);
            const std::uint32_t maskNet = ParseAddressText(address->Mask);
            std::uint8_t* slot = bytes.data() + kProbePairsOffset + pairCount * kProbePairSize;
            std::memcpy(slot, &addressNet, 4);
            std::memcpy(slot + 4, &maskNet, 4);
            PutLittleEndian16(bytes.data() + kProbeTypeOffset, kProbeType);
            ++pairCount;
            PutLittleEndian16(bytes.data() + kProbePairCountOffset, pairCount);
        }
    }
    return bytes;
}

std::optional<ParsedProbe> DiscoveryProbe::Parse(std::span<const std::uint8_t> datagram) {
    if (datagram.size() < kProbePairsOffset)
        return std::nullopt;
    ParsedProbe probe;
    probe.Type = GetLittleEndian16(datagram.data() + kProbeTypeOffset);
    probe.PairCount = GetLittleEndian16(datagram.data() + kProbePairCountOffset);
    for (std::size_t k = 0; k < probe.PairCount && k < kProbePairSlots; ++k) {
        const std::size_t offset = kProbePairsOffset + k * kProbePairSize;
        if (offset + kProbePairSize > datagram.size())
            break;
        ProbePair pair;
        std::memcpy(&pair.AddressNet, datagram.data() + offset, 4);
        std::memcpy(&pair.MaskNet, datagram.data() + offset + 4, 4);
        probe.Pairs.push_back(pair);
    }
    return probe;
}
