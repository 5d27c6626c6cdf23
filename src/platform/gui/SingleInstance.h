#pragma once

// The single-instance channel: one running copy per user.
//
// Two things stand in for a named mutex and a marked window. A lock (flock on a file in the
// user's runtime directory) tells whether another copy runs: the kernel drops it when its holder
// ends, so a crash leaves nothing that blocks the next start. A local socket, opened by the first
// copy only once its main window carries its marker, is how a second copy asks it to bring that
// window forward. A second copy that finds the lock held but nobody listening (the first copy is
// still starting, or closing) raises nothing.
//
// Both are named after the marker and the user id, so users of one machine never meet.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QLocalServer;

class SingleInstance {
public:
    explicit SingleInstance(std::u16string_view marker);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process is the first copy (it now holds the lock until it ends). A lock that
    // cannot be made at all counts as a first copy: better two copies than none.
    bool Claim();

    // First copy: accept raise requests from now on; each calls onRaise on the user-interface
    // thread. A stale socket a crashed copy left behind is replaced. False when it cannot listen
    // (the program runs on without the channel).
    bool Listen(std::function<void()> onRaise);
    bool IsListening() const;

    // Second copy: ask the running copy to bring its window forward. False when no copy listens.
    // Waits up to waitMs for the request to be taken.
    bool RequestRaise(int waitMs = 2000);

    // The names used, for tests and messages.
    const std::string& LockPath() const { return m_lockPath; }
    const std::string& SocketPath() const { return m_socketPath; }

private:
    void OnNewConnection();

    std::string m_lockPath;
    std::string m_socketPath;
    int m_lockFd = -1;
    std::unique_ptr<QLocalServer> m_server;
    std::function<void()> m_onRaise;
};
