#include "discovery/ScanWorker.h"

#include "discovery/ScanPass.h"

#include <chrono>
#include <system_error>

namespace {

// How often WaitForFinish runs the owner's pump while the worker is still busy.
constexpr std::chrono::milliseconds kPumpInterval{5};

} // namespace

ScanWorker::ScanWorker(const ScanContext& context, std::function<void()> notify)
    : m_context(context), m_notify(std::move(notify)) {
    m_context.Cancel = &m_cancel;
}

ScanWorker::~ScanWorker() {
    Cancel();
    if (m_thread.joinable())
        m_thread.join();
}

bool ScanWorker::Start() {
    {
        std::lock_guard lock(m_mutex);
        if (m_cancelled)
            return false;
    }
    if (m_running.exchange(true))
        return false;
    // The previous thread has finished its work (m_running was false); collect it.
    JoinFinished();
    try {
        m_thread = std::thread(&ScanWorker::Run, this);
    } catch (const std::system_error&) {
        m_running = false;
        return false;
    }
    return true;
}

void ScanWorker::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_cancel.Raise();
}

void ScanWorker::WaitForFinish(const std::function<void()>& pump) {
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            if (m_finished.wait_for(lock, kPumpInterval, [this] { return !m_running.load(); }))
                break;
        }
        if (pump)
            pump();
    }
    JoinFinished();
}

void ScanWorker::Run() {
    ScanPass(m_context).Run();
    bool notify = false;
    {
        // Deciding under the lock makes Cancel exact: after it returns, a notification has
        // either already begun or never will.
        std::lock_guard lock(m_mutex);
        notify = !m_cancelled;
    }
    if (notify && m_notify)
        m_notify();
    {
        std::lock_guard lock(m_mutex);
        m_running = false;
    }
    m_finished.notify_all();
}

void ScanWorker::JoinFinished() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}
