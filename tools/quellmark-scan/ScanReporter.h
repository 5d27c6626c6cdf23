#pragma once

#include "discovery/DeviceTable.h"
#include "discovery/ScanObserver.h"

#include <cstdio>
#include <string>
#include <vector>

// Listens to a scan pass for quellmark-scan: prints what went wrong on stderr and remembers it,
// so that a pass that could scan nothing can say why.
//
// With --verbose everything is printed as it happens: each probe's diagnostic line, socket
// errors, skipped adapters, ignored datagrams, dropped replies and stored devices. Without it
// nothing is printed here; the problems (socket errors, adapters without an address, an
// inventory too large) are kept for the caller to print once the pass is over.
class ScanReporter : public ScanObserver {
public:
    // devices: the table the pass fills, read to name the devices it stores.
    ScanReporter(std::FILE* out, bool verbose, const DeviceTable& devices)
        : m_out(out), m_verbose(verbose), m_devices(devices) {}

    // The pass's per-probe diagnostic line; also counts the probes sent.
    void OnDiagnostic(std::string_view line);

    void OnInventoryTooLarge(std::size_t adapters) override;
    void OnSocketError(const SocketErrorReport& report) override;
    void OnAdapterSkipped(std::size_t index, std::u16string_view interfaceName, std::u16string_view address,
                          SkipReason reason) override;
    void OnDatagramIgnored(std::ptrdiff_t length, IgnoreReason reason) override;
    void OnDuplicateDropped(std::u16string_view macText) override;
    void OnTableFull(std::u16string_view macText) override;
    void OnDeviceStored(std::size_t index) override;

    // Probes sent: one for each adapter that got a bound socket.
    std::size_t probesSent() const { return m_probesSent; }
    // Why adapters were skipped, one line each, without the program name.
    const std::vector<std::string>& problems() const { return m_problems; }

private:
    void Say(const std::string& line) const;

    std::FILE* m_out;
    bool m_verbose;
    const DeviceTable& m_devices;
    std::size_t m_probesSent = 0;
    std::vector<std::string> m_problems;
};
