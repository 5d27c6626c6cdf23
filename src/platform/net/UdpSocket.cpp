#include "platform/net/UdpSocket.h"

#include "platform/net/CancelSignal.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in MakeAddress(std::uint32_t addressNet, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = addressNet;
    address.sin_port = htons(port);
    return address;
}

// Without a cancel descriptor the wait is cut into slices, so a raised signal still ends it soon.
constexpr std::chrono::milliseconds kCancelPollSlice{20};

} // namespace

std::unique_ptr<UdpSocket> UdpSocket::Open(int& error) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    const int on = 1;
    if (setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) != 0) {
        error = errno;
        close(fd);
        return nullptr;
    }
    error = 0;
    return std::unique_ptr<UdpSocket>(new UdpSocket(fd));
}

UdpSocket::~UdpSocket() {
    Close();
}

int UdpSocket::Bind(std::uint32_t addressNet, std::uint16_t port) {
    const sockaddr_in address = MakeAddress(addressNet, port);
    if (bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return errno;
    return 0;
}

int UdpSocket::SendTo(std::span<const std::uint8_t> bytes, std::uint32_t addressNet, std::uint16_t port) {
    const sockaddr_in address = MakeAddress(addressNet, port);
    const ssize_t sent = sendto(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (sent < 0)
        return errno;
    return 0;
}

WaitResult UdpSocket::WaitReadable(std::chrono::milliseconds timeout, const CancelSignal* cancel) {
    if (m_fd < 0)
        return {WaitResult::Status::Failed, EBADF};
    const int cancelFd = cancel ? cancel->PollDescriptor() : -1;
    const bool sliced = cancel && cancelFd < 0;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (cancel && cancel->IsRaised())
            return {WaitResult::Status::Cancelled, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() < 0)
            return {WaitResult::Status::TimedOut, 0};
        const auto slice = sliced ? std::min(left, kCancelPollSlice) : left;
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {cancelFd, POLLIN, 0}};
        const int ready = poll(fds, cancelFd >= 0 ? 2 : 1, static_cast<int>(slice.count()));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return {WaitResult::Status::Failed, errno};
        }
        if (cancelFd >= 0 && (fds[1].revents & POLLIN))
            return {WaitResult::Status::Cancelled, 0};
        if (fds[0].revents & POLLIN)
            return {WaitResult::Status::Readable, 0};
        if (fds[0].revents & (POLLERR | POLLNVAL))
            return {WaitResult::Status::Failed, (fds[0].revents & POLLNVAL) ? EBADF : EIO};
        if (ready == 0 && !sliced)
            return {WaitResult::Status::TimedOut, 0};
    }
}

ReceiveResult UdpSocket::Receive(std::span<std::uint8_t> buffer) {
    return ReceiveFrom(buffer, nullptr, nullptr);
}

ReceiveResult UdpSocket::ReceiveFrom(std::span<std::uint8_t> buffer, std::uint32_t* fromAddressNet,
                                     std::uint16_t* fromPort) {
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    // MSG_TRUNC makes a datagram socket return the datagram's real length, not what was copied.
    const ssize_t length = recvfrom(m_fd, buffer.data(), buffer.size(), MSG_TRUNC | MSG_DONTWAIT,
                                    reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (length < 0)
        return {-1, errno};
    if (fromAddressNet)
        *fromAddressNet = from.sin_addr.s_addr;
    if (fromPort)
        *fromPort = ntohs(from.sin_port);
    return {static_cast<std::ptrdiff_t>(length), 0};
}

int UdpSocket::Close() {
    if (m_fd < 0)
        return EBADF;
    const int fd = m_fd;
    m_fd = -1;
    if (close(fd) != 0)
        return errno;
    return 0;
}

int UdpSocket::SetReuseAddress(bool on) {
    const int value = on ? 1 : 0;
    if (setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &value, sizeof value) != 0)
        return errno;
    return 0;
}

std::uint16_t UdpSocket::LocalPort() const {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}
