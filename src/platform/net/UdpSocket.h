#pragma once

// An IPv4 UDP socket over POSIX. Close-on-exec, broadcast permitted (SO_BROADCAST is set when
// it is opened: Linux refuses sends to a broadcast address without it). Receives report a
// datagram's real length (MSG_TRUNC), so a datagram longer than the buffer is seen as longer and
// never taken for a shorter one cut to size.

#include "platform/net/DatagramSocket.h"

#include <memory>

class UdpSocket : public DatagramSocket {
public:
    // A new socket, or null with error set (errno).
    static std::unique_ptr<UdpSocket> Open(int& error);
    ~UdpSocket() override;
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    int Bind(std::uint32_t addressNet, std::uint16_t port) override;
    int SendTo(std::span<const std::uint8_t> bytes, std::uint32_t addressNet, std::uint16_t port) override;
    WaitResult WaitReadable(std::chrono::milliseconds timeout, const CancelSignal* cancel) override;
    // Never blocks: wait with WaitReadable first (EAGAIN when nothing is queued).
    ReceiveResult Receive(std::span<std::uint8_t> buffer) override;
    int Close() override;

    // Like Receive, and tells the sender's address and port (either pointer may be null).
    ReceiveResult ReceiveFrom(std::span<std::uint8_t> buffer, std::uint32_t* fromAddressNet,
                              std::uint16_t* fromPort);
    // SO_REUSEADDR, for a listener that shares its port with others (set before Bind).
    int SetReuseAddress(bool on);
    // The bound local port (host order), 0 when unknown; useful after binding port 0.
    std::uint16_t LocalPort() const;
    int Descriptor() const { return m_fd; }

private:
    explicit UdpSocket(int fd) : m_fd(fd) {}
    int m_fd = -1;
};
