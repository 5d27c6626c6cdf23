#include "SignalPipe.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t g_writeFd = -1;

void OnSignal(int number) {
    // Only write(2) here: it is async-signal-safe. errno is restored for the interrupted code.
    int saved = errno;
    unsigned char byte = static_cast<unsigned char>(number);
    if (g_writeFd >= 0) {
        ssize_t ignored = write(g_writeFd, &byte, 1);
        (void)ignored;
    }
    errno = saved;
}

} // namespace

SignalPipe::SignalPipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readFd = fds[0];
    m_writeFd = fds[1];
    g_writeFd = m_writeFd;

    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: poll() returns EINTR and the loop looks at the pipe at once.
    action.sa_flags = 0;
    sigaction(SIGHUP, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

SignalPipe::~SignalPipe() {
    signal(SIGHUP, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    g_writeFd = -1;
    if (m_readFd >= 0)
        close(m_readFd);
    if (m_writeFd >= 0)
        close(m_writeFd);
}

int SignalPipe::TakeSignal() {
    unsigned char byte = 0;
    if (read(m_readFd, &byte, 1) != 1)
        return 0;
    return byte;
}
