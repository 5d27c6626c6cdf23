// Feeds arbitrary datagrams to a scan pass, as a hostile network would, and checks what ends up in
// the device table: at most 20 devices, no MAC text twice, every text terminated inside its
// field and made of whole UTF-16 characters, and the display copy equal to the raw records.
//
// Input: a sequence of datagrams, each a length byte then its bytes. A length byte below 200 means
// 160 bytes (the reply size, so most inputs reach the decoder); from 200 on it means
// (byte - 200) * 4 bytes. The datagrams go to two adapters in turn, 24 each at most, so the
// 20-read limit, duplicates across adapters and the full table are all reachable.

#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryReply.h"
#include "discovery/ScanPass.h"
#include "platform/net/AnsiText.h"

#include <cstdlib>
#include <set>

namespace {

void Require(bool condition) {
    if (!condition)
        std::abort();
}

template <std::size_t N> void RequireWellFormed(const char16_t (&field)[N]) {
    const std::size_t length = FixedTextLength(field, N);
    Require(length < N); // terminated inside the field
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t u = field[i];
        if (u >= 0xD800 && u <= 0xDBFF) {
            Require(i + 1 < length && field[i + 1] >= 0xDC00 && field[i + 1] <= 0xDFFF);
            ++i;
        } else {
            Require(u < 0xDC00 || u > 0xDFFF);
        }
    }
}

std::vector<SocketEvent> SplitDatagrams(const std::uint8_t* data, std::size_t size, std::size_t& pos) {
    std::vector<SocketEvent> events;
    while (pos < size && events.size() < 24) {
        const std::uint8_t lengthByte = data[pos++];
        const std::size_t length = lengthByte < 200 ? kReplySize : (lengthByte - 200u) * 4u;
        const std::size_t available = std::min(length, size - pos);
        std::vector<std::uint8_t> datagram(data + pos, data + pos + available);
        datagram.resize(length, 0);
        pos += available;
        events.push_back(SocketEvent::Datagram(datagram));
    }
    return events;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeAdapterSource source;
    source.Adapters = {MakeNetAdapter("eth0", {{"192.168.1.10", "255.255.255.0"}}),
                       MakeNetAdapter("eth1", {{"10.0.0.5", "255.0.0.0"}})};
    ScriptedSocketFactory sockets;
    std::size_t pos = 0;
    sockets.Scripts.push_back({.events = SplitDatagrams(data, size, pos)});
    sockets.Scripts.push_back({.events = SplitDatagrams(data, size, pos)});

    AdapterTable adapters;
    DeviceTable devices;
    ScanContext context(adapters, devices, source, sockets);
    Require(ScanPass(context).Run() == ScanOutcome::Completed);

    Require(devices.Count <= kMaxDevices);
    Require(devices.DisplayCount == devices.Count);
    std::set<std::u16string> macs;
    for (std::size_t i = 0; i < devices.Count; ++i) {
        const DeviceEntry& device = devices.Devices[i];
        RequireWellFormed(device.Model);
        RequireWellFormed(device.Description);
        RequireWellFormed(device.IpText);
        RequireWellFormed(device.MacText);
        Require(FixedText(device.MacText).size() == 17);
        Require(macs.insert(std::u16string(FixedText(device.MacText))).second);
        const auto& texts = devices.DisplayEntries[i].Texts;
        Require(texts[kDisplayDescription] == FixedText(device.Description));
        Require(texts[kDisplayModel] == FixedText(device.Model));
        Require(texts[kDisplayIpText] == FixedText(device.IpText));
        Require(texts[kDisplayMacText] == FixedText(device.MacText));
    }

    // The decoder on its own, over the input's first 160 bytes however they look.
    if (size >= kReplySize) {
        DeviceEntry entry;
        DiscoveryReply::Decode(std::span<const std::uint8_t, kReplySize>(data, kReplySize), entry);
        RequireWellFormed(entry.Model);
        RequireWellFormed(entry.Description);
    }
    // 8-bit text of any bytes converts without fault into a small field.
    char16_t small[7];
    AnsiToUtf16(std::string_view(reinterpret_cast<const char*>(data), size), small);
    RequireWellFormed(small);
    return 0;
}
