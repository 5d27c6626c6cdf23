#include "ReplyPlan.h"

#include "discovery/DiscoveryReply.h"
#include "discovery/DiscoveryWire.h"

#include <cstring>

namespace {

// Repeats text (or '*' for an empty one) until it is at least width bytes long.
std::string FillTo(const std::string& text, std::size_t width) {
    std::string seed = text.empty() ? std::string("*") : text + " ";
    std::string out;
    while (out.size() < width)
        out += seed;
    out.resize(width);
    return out;
}

} // namespace

Datagram ReplyPlan::EncodeReply(const EmulatedDevice& device) {
    std::uint32_t addressNet = 0;
    std::memcpy(&addressNet, device.ip.data(), 4); // the bytes are already in network order
    DiscoveryReply::Bytes bytes =
        DiscoveryReply::Encode(addressNet, device.mac, device.model, device.description);
    return Datagram(bytes.begin(), bytes.end());
}

// The junk datagrams carry a well-formed reply's bytes, so a scanner that wrongly accepted them
// would list a device that the tests look for.
EmulatedDevice ReplyPlan::ShortDatagramDevice() {
    return {{192, 0, 2, 159}, {0x02, 0xBA, 0xD0, 0x00, 0x01, 0x59}, "JUNK-159", "159-byte datagram"};
}

EmulatedDevice ReplyPlan::LongDatagramDevice() {
    return {{192, 0, 2, 161}, {0x02, 0xBA, 0xD0, 0x00, 0x01, 0x61}, "JUNK-161", "161-byte datagram"};
}

std::vector<EmulatedDevice> ReplyPlan::NonAsciiDevices() {
    return {
        // Valid UTF-8: umlauts, an en dash, a CJK character and a character outside the BMP.
        {{192, 0, 2, 201},
         {0x02, 0xA5, 0xC1, 0x10, 0x00, 0x01},
         "Ger\xC3\xA4t-\xC3\x9F",
         "K\xC3\xBC"
         "che \xE2\x80\x93 \xE6\x9D\xB1 \xF0\x9F\x94\x8C"},
        // Not UTF-8: a Windows-1252 e-acute, stray continuation and 0xFF bytes, control bytes,
        // and the characters JSON has to escape.
        {{192, 0, 2, 202},
         {0x02, 0xA5, 0xC1, 0x10, 0x00, 0x02},
         "Caf\xE9\xFF",
         "quote\" backslash\\ tab\t bell\x07 \x80\x81\xC3(\xE2\x82"},
    };
}

EmulatedDevice ReplyPlan::FloodDevice(unsigned index) {
    EmulatedDevice device;
    unsigned n = index + 1;
    device.ip = {198, 18, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n & 0xFF)};
    device.mac = {0x02,
                  0xF1,
                  0x00,
                  static_cast<std::uint8_t>(n >> 16),
                  static_cast<std::uint8_t>(n >> 8),
                  static_cast<std::uint8_t>(n & 0xFF)};
    device.model = "FLOOD";
    device.description = "Flood device " + std::to_string(n);
    return device;
}

EmulatedDevice ReplyPlan::ConflictingDevice(const EmulatedDevice& original) {
    EmulatedDevice device = original;
    device.ip[3] = static_cast<std::uint8_t>(device.ip[3] + 1);
    device.model = "CONFLICT";
    device.description = "second reply with this MAC";
    return device;
}

EmulatedDevice ReplyPlan::FilledDevice(const EmulatedDevice& original) {
    EmulatedDevice device = original;
    device.model = FillTo(original.model, kReplyModelSize);
    device.description = FillTo(original.description, kReplyDescriptionSize);
    return device;
}

std::vector<Datagram> ReplyPlan::Build(const std::vector<EmulatedDevice>& devices, const FaultSet& faults) {
    std::vector<Datagram> plan;

    if (faults.shortDatagram) {
        Datagram datagram = EncodeReply(ShortDatagramDevice());
        datagram.resize(kReplySize - 1);
        plan.push_back(std::move(datagram));
    }
    if (faults.longDatagram) {
        Datagram datagram = EncodeReply(LongDatagramDevice());
        datagram.push_back(0);
        plan.push_back(std::move(datagram));
    }
    if (faults.wrongType) {
        Datagram probeType = EncodeReply(
            {{192, 0, 2, 1}, {0x02, 0xBA, 0xD0, 0x00, 0x00, 0x01}, "JUNK-TYPE-1", "160 bytes of type 00 01"});
        probeType[0] = 0x00;
        probeType[1] = 0x01;
        plan.push_back(std::move(probeType));
        Datagram swapped = EncodeReply({{192, 0, 2, 2},
                                        {0x02, 0xBA, 0xD0, 0x00, 0x02, 0x00},
                                        "JUNK-TYPE-LE",
                                        "160 bytes of type 02 00"});
        swapped[0] = 0x02;
        swapped[1] = 0x00;
        plan.push_back(std::move(swapped));
    }

    auto add = [&](const EmulatedDevice& device) {
        EmulatedDevice sent = faults.fillFields ? FilledDevice(device) : device;
        plan.push_back(EncodeReply(sent));
        if (faults.duplicate)
            plan.push_back(EncodeReply(sent));
        if (faults.conflictingModel)
            plan.push_back(EncodeReply(ConflictingDevice(sent)));
    };

    for (const EmulatedDevice& device : devices)
        add(device);
    if (faults.nonAscii) {
        for (const EmulatedDevice& device : NonAsciiDevices())
            add(device);
    }
    for (unsigned i = 0; i < faults.flood; ++i)
        add(FloodDevice(i));
    return plan;
}
