#pragma once

// Runs one ScanPass on its own thread, then tells its owner on that thread.
//
// Passes never overlap: Start while a pass (or its notification) runs returns false and starts
// nothing; a request that comes then is skipped, not queued.
//
// The notification is called synchronously on the worker thread once the pass has ended (also
// after a pass that scanned nothing because the inventory was too large). The desktop program
// turns it into a synchronous UM_SCAN_DONE to its window, which reads the display copy while the
// worker waits: that is the whole hand-over, so no lock guards the tables.
//
// Shutdown: Cancel wakes a running pass at once and suppresses a notification that has not
// started yet; one already running goes on. WaitForFinish calls the owner's pump while it
// waits, so a user-interface thread can serve the notification in flight instead of
// deadlocking on it. The destructor cancels and joins (without pumping: an owner whose
// notification needs its own thread calls WaitForFinish first).
//
// Start, WaitForFinish and the destructor belong to the owner's thread; Cancel and IsRunning may
// be called from any thread. The context's tables must outlive the worker.

#include "discovery/ScanContext.h"
#include "platform/net/CancelSignal.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class ScanWorker {
public:
    ScanWorker(const ScanContext& context, std::function<void()> notify);
    ~ScanWorker();
    ScanWorker(const ScanWorker&) = delete;
    ScanWorker& operator=(const ScanWorker&) = delete;

    // Starts a pass on a new thread; false (and nothing started) while one runs, after Cancel, or
    // when no thread could be made.
    bool Start();
    bool IsRunning() const { return m_running.load(); }

    // For shutdown: final, later Starts are refused, so a timer served while the owner waits
    // cannot start another pass.
    void Cancel();

    // Returns when no pass runs, calling pump (may be empty) again and again meanwhile.
    void WaitForFinish(const std::function<void()>& pump);

private:
    void Run();
    void JoinFinished();

    ScanContext m_context;
    std::function<void()> m_notify;
    CancelSignal m_cancel;

    std::atomic<bool> m_running{false};
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_cancelled = false; // guarded by m_mutex
    std::thread m_thread;
};
