// quellmark-scan: one discovery pass from the command line, as a table or JSON.

#include "DeviceListFormat.h"
#include "ScanOptions.h"
#include "ScanReporter.h"
#include "discovery/AdapterTable.h"
#include "discovery/DeviceTable.h"
#include "discovery/ScanContext.h"
#include "discovery/ScanPass.h"
#include "platform/net/LinuxAdapterSource.h"
#include "platform/net/UdpSocketFactory.h"

#include <cstdio>
#include <memory>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitNothingScanned = 3;

void PrintDevices(const std::vector<ScannedDevice>& devices, bool json) {
    std::string text = json ? DeviceListFormat::Json(devices) : DeviceListFormat::Table(devices);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

std::vector<ScannedDevice> DisplayedDevices(const DeviceTable& table) {
    std::vector<ScannedDevice> devices;
    for (std::size_t i = 0; i < table.DisplayCount; ++i) {
        const auto& texts = table.DisplayEntries[i].Texts;
        devices.push_back({texts[kDisplayDescription], texts[kDisplayModel], texts[kDisplayIpText],
                           texts[kDisplayMacText]});
    }
    return devices;
}

// Ends a run that could scan nothing: stdout still holds an (empty) table or JSON.
int NothingScanned(const ScanOptions& options, const std::vector<std::string>& reasons) {
    for (const std::string& reason : reasons)
        std::fprintf(stderr, "quellmark-scan: %s\n", reason.c_str());
    std::fprintf(stderr, "quellmark-scan: nothing could be scanned\n");
    PrintDevices({}, options.json);
    return kExitNothingScanned;
}

int Scan(const ScanOptions& options) {
    LinuxAdapterSource::Options sourceOptions;
    sourceOptions.Interfaces = options.interfaces;
    LinuxAdapterSource source(sourceOptions);

    // A misspelt interface name is a mistake to report, not a reason to scan the others.
    std::vector<std::string> missing = source.MissingInterfaces();
    if (!missing.empty()) {
        std::vector<std::string> reasons;
        for (const std::string& name : missing)
            reasons.push_back("no network interface named \"" + name + "\"");
        return NothingScanned(options, reasons);
    }

    // The tables are large (fixed-capacity texts): keep them off the stack.
    auto adapters = std::make_unique<AdapterTable>();
    auto devices = std::make_unique<DeviceTable>();
    UdpSocketFactory sockets;
    ScanReporter reporter(stderr, options.verbose, *devices);

    ScanContext context(*adapters, *devices, source, sockets);
    context.Diagnostic = [&reporter](std::string_view line) { reporter.OnDiagnostic(line); };
    context.Observer = &reporter;

    ScanOutcome outcome = ScanPass(context).Run();
    // With --verbose the problems were printed as they happened.
    std::vector<std::string> problems = options.verbose ? std::vector<std::string>{} : reporter.problems();
    if (outcome != ScanOutcome::Completed)
        return NothingScanned(options, problems);
    if (reporter.probesSent() == 0) {
        if (reporter.problems().empty()) {
            problems.push_back(options.interfaces.empty()
                                   ? "no physical network adapter found (name one with --interface)"
                                   : "none of the named interfaces could be scanned");
        }
        return NothingScanned(options, problems);
    }
    // Some adapter was scanned: the others' problems are warnings.
    for (const std::string& problem : problems)
        std::fprintf(stderr, "quellmark-scan: %s\n", problem.c_str());

    PrintDevices(DisplayedDevices(*devices), options.json);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    ScanOptions::ParseResult parsed = ScanOptions::Parse(argc, argv);
    switch (parsed.action) {
    case ScanOptions::Action::Help:
        std::fputs(ScanOptions::UsageText().c_str(), stdout);
        return 0;
    case ScanOptions::Action::Version:
        std::printf("quellmark-scan %s\n", QUELLMARK_VERSION);
        return 0;
    case ScanOptions::Action::UsageError:
        std::fprintf(stderr, "quellmark-scan: %s\n", parsed.error.c_str());
        // Scripts that parse stdout get an empty list in the form they asked for, not nothing.
        PrintDevices({}, ScanOptions::AsksForJson(argc, argv));
        return kExitUsage;
    case ScanOptions::Action::Run:
        break;
    }
    return Scan(parsed.options);
}
