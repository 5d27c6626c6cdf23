// How many replies per second the discovery core accepts, decodes and stores. The network is
// scripted (no socket), so the figures are the core's own cost per datagram.

#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryProbe.h"
#include "discovery/DiscoveryReply.h"
#include "discovery/ScanPass.h"
#include "platform/net/AnsiText.h"
#include "platform/net/Ipv4Text.h"

#include <benchmark/benchmark.h>

namespace {

DiscoveryReply::Bytes ReplyOf(int device, const std::string& description) {
    return DiscoveryReply::Encode(
        Ipv4FromBytes(192, 168, 1, static_cast<std::uint8_t>(device)),
        {2, 0, 0, 0, static_cast<std::uint8_t>(device >> 8), static_cast<std::uint8_t>(device)}, "Model A",
        description);
}

// Accept and decode one reply into a device entry.
void BM_DecodeReply(benchmark::State& state) {
    const auto reply = ReplyOf(7, std::string(100, 'd'));
    DeviceEntry entry;
    for (auto _ : state) {
        if (DiscoveryReply::Accepts(reply))
            DiscoveryReply::Decode(reply, entry);
        benchmark::DoNotOptimize(entry);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("replies");
}
BENCHMARK(BM_DecodeReply);

// The same with non-ASCII texts, which take the slower conversion paths.
void BM_DecodeReplyEightBit(benchmark::State& state) {
    std::string description;
    for (int i = 0; i < 40; ++i)
        description += (i % 2) ? "\xC3\xA9" : "\xE9";
    const auto reply = ReplyOf(7, description);
    DeviceEntry entry;
    for (auto _ : state) {
        DiscoveryReply::Decode(reply, entry);
        benchmark::DoNotOptimize(entry);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DecodeReplyEightBit);

// A whole pass per iteration over scripted sockets: 10 adapters, 20 replies each (20 distinct
// devices on the first adapter, the same 20 again on the others: stores, then duplicates),
// and the display copy. Items are datagrams handled.
void BM_PassDecodeAndStore(benchmark::State& state) {
    FakeAdapterSource source;
    for (int a = 0; a < 10; ++a)
        source.Adapters.push_back(MakeNetAdapter("eth" + std::to_string(a),
                                                 {{"10.0." + std::to_string(a) + ".1", "255.255.255.0"}}));
    std::vector<SocketEvent> events;
    for (int d = 0; d < 20; ++d)
        events.push_back(SocketEvent::Datagram(ReplyOf(d, "Device " + std::to_string(d))));
    AdapterTable adapters;
    DeviceTable devices;
    for (auto _ : state) {
        state.PauseTiming();
        ScriptedSocketFactory sockets;
        for (int a = 0; a < 10; ++a)
            sockets.Scripts.push_back({.events = events});
        state.ResumeTiming();
        ScanContext context(adapters, devices, source, sockets);
        ScanPass(context).Run();
        benchmark::DoNotOptimize(devices.DisplayCount);
    }
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_PassDecodeAndStore)->Unit(benchmark::kMicrosecond);

void BM_BuildProbe(benchmark::State& state) {
    FakeAdapterSource source;
    std::vector<NetAdapterAddress> addresses;
    for (int k = 0; k < 8; ++k)
        addresses.push_back({"10.0.0." + std::to_string(k + 1), "255.255.255.0"});
    source.Adapters = {MakeNetAdapter("eth0", addresses), MakeNetAdapter("eth1", addresses),
                       MakeNetAdapter("eth2", addresses)};
    AdapterTable adapters;
    BuildAdapterTable(adapters, source);
    for (auto _ : state) {
        auto probe = DiscoveryProbe::Build(adapters);
        benchmark::DoNotOptimize(probe);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildProbe);

} // namespace

BENCHMARK_MAIN();
