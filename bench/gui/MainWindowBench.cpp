// Costs of the main window on the offscreen platform, with the shipped skin and a scripted
// network (a pass ends at once, so only the window's own work is measured):
//   BM_ScrollStep   one WM_VSCROLL line step: ShowRows over ten visible rows
//   BM_ScanResult   one background pass and its hand-over (UM_SCAN_DONE, all 32 rows refilled)
// and, printed after the benchmarks, the resident memory growth over 1000 background passes.
#include "FakeNetwork.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/DiscoveryReply.h"
#include "platform/net/Ipv4Text.h"
#include "resources/ResourceIds.h"
#include "skin/ImageStore.h"
#include "ui/main_window/CMainFrame.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

std::vector<std::uint8_t> DeviceReply(int device) {
    const auto bytes =
        DiscoveryReply::Encode(Ipv4FromBytes(192, 0, 2, static_cast<std::uint8_t>(device)),
                               {0x02, 0x51, 0x4D, 0x00, 0x00, static_cast<std::uint8_t>(device)}, "QM-500W",
                               "Device " + std::to_string(device));
    return {bytes.begin(), bytes.end()};
}

struct Scene {
    Scene() {
        InitImageStore();
        source.Adapters = {MakeNetAdapter("lo", {{"127.0.0.1", "255.0.0.0"}})};
        Script(20);
        frame = std::make_unique<CMainFrame>(ScanContext(adapters, devices, source, sockets));
        frame->Create(res::kDialogMainWindow, nullptr);
    }
    ~Scene() {
        frame->WaitForScan();
        frame->DestroyWindow();
        frame.reset();
        ClearImageStore();
    }
    void Script(int count) {
        SocketScript script;
        for (int i = 1; i <= count; ++i)
            script.events.push_back(SocketEvent::Datagram(DeviceReply(i)));
        sockets.Scripts.push_back(std::move(script));
        // The factory keeps a record of every socket; a long run does not need them.
        if (sockets.Records.size() > 4)
            sockets.Records.erase(sockets.Records.begin(), sockets.Records.end() - 2);
    }
    void Rescan(int count) {
        Script(count);
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(res::kCtlRescan, BN_CLICKED), 0);
        frame->WaitForScan();
    }

    AdapterTable adapters;
    DeviceTable devices;
    FakeAdapterSource source;
    ScriptedSocketFactory sockets;
    std::unique_ptr<CMainFrame> frame;
};

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_ScrollStep(benchmark::State& state) {
    Scene scene;
    const LPARAM bar = reinterpret_cast<LPARAM>(scene.frame->ScrollBar().GetSafeHwnd());
    bool down = true;
    for (auto _ : state) {
        scene.frame->SendMessage(WM_VSCROLL, down ? SB_LINEDOWN : SB_LINEUP, bar);
        down = !down;
    }
}
BENCHMARK(BM_ScrollStep)->Unit(benchmark::kMicrosecond);

void BM_ScanResult(benchmark::State& state) {
    Scene scene;
    for (auto _ : state)
        scene.Rescan(20);
}
BENCHMARK(BM_ScanResult)->Unit(benchmark::kMicrosecond);

void MeasureMemoryOverPasses(int passes) {
    Scene scene;
    for (int i = 0; i < 50; ++i) // settle caches and allocator pools first
        scene.Rescan(i % 2 ? 20 : 5);
    const long before = ResidentKiB();
    for (int i = 0; i < passes; ++i)
        scene.Rescan(i % 2 ? 20 : 5);
    const long after = ResidentKiB();
    std::printf("resident memory over %d background passes: %ld KiB before, %ld KiB after, growth %ld KiB\n",
                passes, before, after, after - before);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    MeasureMemoryOverPasses(1000);
    return 0;
}
