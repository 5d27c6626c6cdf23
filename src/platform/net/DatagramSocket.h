#pragma once

// The UDP operations a scan pass needs, behind an interface so that a test can script what the
// network does (datagrams, time-outs, errors) without a real socket. Addresses are network-order
// values (see Ipv4Text.h); ports are host order. Errors are errno values, 0 for success.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

class CancelSignal;

struct WaitResult {
    enum class Status { Readable, TimedOut, Failed, Cancelled };
    Status status = Status::TimedOut;
    int error = 0; // with Failed
};

struct ReceiveResult {
    // The datagram's real length, also when it was longer than the buffer (then only the
    // buffer's size was copied). -1 when the receive failed.
    std::ptrdiff_t length = -1;
    int error = 0;
};

class DatagramSocket {
public:
    virtual ~DatagramSocket() = default;

    virtual int Bind(std::uint32_t addressNet, std::uint16_t port) = 0;
    virtual int SendTo(std::span<const std::uint8_t> bytes, std::uint32_t addressNet, std::uint16_t port) = 0;
    // Waits until a datagram can be read, at most timeout; a raised cancel signal (may be null)
    // ends the wait at once with Cancelled.
    virtual WaitResult WaitReadable(std::chrono::milliseconds timeout, const CancelSignal* cancel) = 0;
    virtual ReceiveResult Receive(std::span<std::uint8_t> buffer) = 0;
    // Closes the socket; later calls fail. The destructor closes a socket not closed yet.
    virtual int Close() = 0;
};

// Makes broadcast-capable IPv4 datagram sockets.
class DatagramSocketFactory {
public:
    virtual ~DatagramSocketFactory() = default;
    // A new socket, or null with error set.
    virtual std::unique_ptr<DatagramSocket> Open(int& error) = 0;
};
