#pragma once

// One complete discovery run over every adapter of the inventory.
//
// It rebuilds the inventory, refuses to scan more than 10 adapters (the previous result stays),
// clears the device records, then for each adapter binds a socket to the adapter's first address
// (port 28011), sends the probe to that address's directed broadcast (port 28010) and reads up
// to 20 datagrams, each within the reply wait, storing every new device. At the end the records
// are copied into the display copy. The adapter count is read again before every step, because
// the inventory is rebuilt during a pass when an address turns out to be unusable.
//
// Runs to completion on the calling thread. Errors only shape the result; the context's observer
// hears why. A raised cancel signal ends the pass at the next wait and leaves the display copy
// as it was.

#include "discovery/DiscoveryWire.h"
#include "discovery/ScanContext.h"
#include "discovery/ScanObserver.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

class DatagramSocket;

enum class ScanOutcome {
    Completed,       // display copy written
    TooManyAdapters, // nothing scanned, previous result in place
    Cancelled,       // ended early, display copy untouched
};

class ScanPass {
public:
    explicit ScanPass(const ScanContext& context) : m_context(context) {}

    ScanOutcome Run();

    // The diagnostic line of a probe to this destination: the network-order value printed as the
    // host reads it, so 127.255.255.255 gives "server_to.sin_addr.s_addr = ffffff7f" on x86.
    static std::string DiagnosticLine(std::uint32_t destinationNet);

private:
    std::unique_ptr<DatagramSocket> OpenProbeSocket(std::uint32_t addressNet);
    void SendProbe(DatagramSocket& socket, std::uint32_t addressNet, std::uint32_t maskNet);
    // False when the pass was cancelled during the wait.
    bool CollectReplies(DatagramSocket& socket);
    void StoreReply(std::span<const std::uint8_t, kReplySize> reply);

    void Skip(SkipReason reason);
    void ReportSocketError(const char* operation, int error);
    bool IsCancelled() const;

    const ScanContext& m_context;
    // The adapter of the current step, for reports.
    std::size_t m_index = 0;
    std::u16string m_interface;
    std::u16string m_address;
};
