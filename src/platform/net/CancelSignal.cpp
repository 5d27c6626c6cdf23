#include "platform/net/CancelSignal.h"

#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

CancelSignal::CancelSignal() : m_eventFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CancelSignal::~CancelSignal() {
    if (m_eventFd >= 0)
        close(m_eventFd);
}

void CancelSignal::Raise() {
    if (m_eventFd < 0)
        return;
    const std::uint64_t one = 1;
    // Only fails when the counter would overflow, which leaves it raised anyway.
    [[maybe_unused]] const ssize_t written = write(m_eventFd, &one, sizeof one);
}

void CancelSignal::Reset() {
    if (m_eventFd < 0)
        return;
    std::uint64_t value = 0;
    [[maybe_unused]] const ssize_t got = read(m_eventFd, &value, sizeof value);
}

bool CancelSignal::IsRaised() const {
    if (m_eventFd < 0)
        return false;
    pollfd fd{m_eventFd, POLLIN, 0};
    return poll(&fd, 1, 0) > 0 && (fd.revents & POLLIN);
}
