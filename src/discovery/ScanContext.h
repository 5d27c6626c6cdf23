#pragma once

// Everything a scan pass works on and with. The tables are the caller's (the application owns
// the one real instance of each); the adapter source and the socket factory are injected so a
// test can run a pass over a scripted network. The four parts are given to the constructor; the
// rest are set as needed.

#include "discovery/DiscoveryWire.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>

struct AdapterTable;
struct DeviceTable;
class AdapterSource;
class DatagramSocketFactory;
class CancelSignal;
class ScanObserver;

struct ScanContext {
    ScanContext(AdapterTable& adapters, DeviceTable& devices, AdapterSource& source,
                DatagramSocketFactory& sockets)
        : Adapters(adapters), Devices(devices), Source(source), Sockets(sockets) {}

    AdapterTable& Adapters;
    DeviceTable& Devices;
    AdapterSource& Source;
    DatagramSocketFactory& Sockets;

    // How long one wait for a datagram lasts.
    std::chrono::milliseconds ReplyWait{kDefaultReplyWaitMs};
    // The probe's destination port and the local port replies arrive at. Only tests that run a
    // pass over real loopback sockets change them, to stay clear of ports in use.
    std::uint16_t DestinationPort = kProbeDestinationPort;
    std::uint16_t LocalPort = kProbeLocalPort;

    // Receives the diagnostic line of each probe sent ("server_to.sin_addr.s_addr = %x", no
    // newline). Empty: the line is dropped.
    std::function<void(std::string_view)> Diagnostic;
    ScanObserver* Observer = nullptr;     // may be null
    const CancelSignal* Cancel = nullptr; // may be null; raised: the pass ends at once
};
