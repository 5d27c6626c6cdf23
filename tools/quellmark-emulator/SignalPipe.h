#pragma once

// Turns SIGHUP, SIGINT and SIGTERM into bytes on a pipe, so the emulator's poll loop sees them
// like any other input and does its real work outside the signal handler.
class SignalPipe {
public:
    SignalPipe();
    ~SignalPipe();
    SignalPipe(const SignalPipe&) = delete;
    SignalPipe& operator=(const SignalPipe&) = delete;

    bool ok() const { return m_readFd >= 0; }
    int readFd() const { return m_readFd; }

    // The next signal number waiting on the pipe, or 0 when none is.
    int TakeSignal();

private:
    int m_readFd = -1;
    int m_writeFd = -1;
};
