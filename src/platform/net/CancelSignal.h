#pragma once

// A wake-up that a blocking socket wait watches beside its socket, so that another thread can
// end the wait at once (shutdown while a scan waits for replies). Raising is sticky until Reset.

class CancelSignal {
public:
    CancelSignal();
    ~CancelSignal();
    CancelSignal(const CancelSignal&) = delete;
    CancelSignal& operator=(const CancelSignal&) = delete;

    // Safe from any thread, any number of times.
    void Raise();
    void Reset();
    bool IsRaised() const;

    // A descriptor that polls readable while the signal is raised; -1 when none could be made
    // (then waits fall back to short slices that test IsRaised).
    int PollDescriptor() const { return m_eventFd; }

private:
    int m_eventFd = -1;
};
