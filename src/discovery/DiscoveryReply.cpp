#include "discovery/DiscoveryReply.h"

#include "platform/net/AnsiText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

std::string_view FieldText(const std::uint8_t* field, std::size_t width) {
    const auto* text = reinterpret_cast<const char*>(field);
    const void* nul = std::memchr(text, 0, width);
    return std::string_view(text, nul ? static_cast<const char*>(nul) - text : width);
}

} // namespace

bool DiscoveryReply::Accepts(std::span<const std::uint8_t> datagram) {
    return datagram.size() == kReplySize && datagram[0] == 0x00 && datagram[1] == kReplyType;
}

void DiscoveryReply::Decode(std::span<const std::uint8_t, kReplySize> reply, DeviceEntry& entry) {
    // Both texts are made as 8-bit text first, then converted like the others.
    char text[20];
    const std::uint8_t* ip = reply.data() + kReplyAddressOffset;
    const int ipLength = std::snprintf(text, sizeof text, "%d.%d.%d.%d", ip[0], ip[1], ip[2], ip[3]);
    AnsiToUtf16(std::string_view(text, static_cast<std::size_t>(ipLength)), entry.IpText);

    const std::uint8_t* mac = reply.data() + kReplyMacOffset;
    const int macLength = std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1],
                                        mac[2], mac[3], mac[4], mac[5]);
    AnsiToUtf16(std::string_view(text, static_cast<std::size_t>(macLength)), entry.MacText);

    AnsiToUtf16(FieldText(reply.data() + kReplyModelOffset, kReplyModelSize), entry.Model);
    AnsiToUtf16(FieldText(reply.data() + kReplyDescriptionOffset, kReplyDescriptionSize), entry.Description);
}

DiscoveryReply::Bytes DiscoveryReply::Encode(std::uint32_t deviceAddressNet,
                                             const std::array<std::uint8_t, 6>& mac, std::string_view model,
                                             std::string_view description) {
    Bytes bytes{};
    bytes[0] = 0x00;
    bytes[1] = kReplyType;
    std::memcpy(bytes.data() + kReplyAddressOffset, &deviceAddressNet, 4);
    std::memcpy(bytes.data() + kReplyMacOffset, mac.data(), kReplyMacSize);
    std::memcpy(bytes.data() + kReplyModelOffset, model.data(), std::min(model.size(), kReplyModelSize));
    std::memcpy(bytes.data() + kReplyDescriptionOffset, description.data(),
                std::min(description.size(), kReplyDescriptionSize));
    return bytes;
}
