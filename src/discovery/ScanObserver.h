#pragma once

// What a scan pass would otherwise keep to itself: errors only shape its result, and a caller
// that wants to say why (quellmark-scan --verbose, tests) listens here. Every call comes on the
// thread that runs the pass. The default implementations ignore everything.

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class SkipReason {
    NoAddress,         // first address 0.0.0.0: the inventory was rebuilt
    SocketUnavailable, // no socket could be opened
    BindFailed,        // bind failed (after "address not available" the inventory was rebuilt)
};

enum class IgnoreReason {
    WrongSize, // not exactly 160 bytes (the real length is reported)
    WrongType, // 160 bytes that do not begin 00 02
};

struct SocketErrorReport {
    std::string_view Operation;    // "socket", "bind", "sendto", "poll", "recv", "close"
    std::u16string_view Interface; // the adapter's name
    std::u16string_view Address;   // the adapter's first address text
    int Error = 0;                 // errno
    std::string_view ErrorText;    // strerror's text for it
};

class ScanObserver {
public:
    virtual ~ScanObserver() = default;

    // More adapters than a pass scans: nothing scanned, the previous result stays.
    virtual void OnInventoryTooLarge(std::size_t /*adapters*/) {}
    virtual void OnSocketError(const SocketErrorReport& /*report*/) {}
    virtual void OnAdapterSkipped(std::size_t /*index*/, std::u16string_view /*interfaceName*/,
                                  std::u16string_view /*address*/, SkipReason /*reason*/) {}
    virtual void OnDatagramIgnored(std::ptrdiff_t /*length*/, IgnoreReason /*reason*/) {}
    virtual void OnDuplicateDropped(std::u16string_view /*macText*/) {}
    // A new device arrived when the table already held 20.
    virtual void OnTableFull(std::u16string_view /*macText*/) {}
    virtual void OnDeviceStored(std::size_t /*index*/) {}
};
