#include "platform/gui/MessageDispatcher.h"

#include "platform/gui/CWnd.h"
#include "platform/gui/WindowData.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <algorithm>

namespace {

const QEvent::Type kSendEvent = static_cast<QEvent::Type>(QEvent::User + 101);
const QEvent::Type kPostEvent = static_cast<QEvent::Type>(QEvent::User + 102);
const QEvent::Type kPaintEvent = static_cast<QEvent::Type>(QEvent::User + 103);
const QEvent::Type kDeferredEvent = static_cast<QEvent::Type>(QEvent::User + 104);

MessageDispatcher* g_instance = nullptr;

// A send from another thread. If Qt drops the event unhandled (the application is going away),
// the destructor still releases the blocked sender.
class SendEvent : public QEvent {
public:
    explicit SendEvent(std::shared_ptr<MessageDispatcher::PendingSend> send)
        : QEvent(kSendEvent), m_send(std::move(send)) {}
    ~SendEvent() override { m_send->Release(0); }
    const std::shared_ptr<MessageDispatcher::PendingSend>& Send() const { return m_send; }

private:
    std::shared_ptr<MessageDispatcher::PendingSend> m_send;
};

class PostEvent : public QEvent {
public:
    explicit PostEvent(const MSG& msg) : QEvent(kPostEvent), m_msg(msg) {}
    MSG m_msg;
};

class PaintEvent : public QEvent {
public:
    explicit PaintEvent(HWND hWnd) : QEvent(kPaintEvent), m_hWnd(hWnd) {}
    HWND m_hWnd;
};

class DeferredEvent : public QEvent {
public:
    explicit DeferredEvent(std::function<void()> fn) : QEvent(kDeferredEvent), m_fn(std::move(fn)) {}
    std::function<void()> m_fn;
};

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYDOWN && message <= 0x0109) || (message >= WM_MOUSEMOVE && message <= 0x020E);
}

} // namespace

void MessageDispatcher::PendingSend::Release(LRESULT result) {
    if (taken.exchange(true)) {
        return;
    }
    promise.set_value(result);
}

MessageDispatcher* MessageDispatcher::Instance() {
    return g_instance;
}

MessageDispatcher* MessageDispatcher::EnsureCreated() {
    if (!g_instance && WindowData::IsUiThread()) {
        g_instance = new MessageDispatcher();
    }
    return g_instance;
}

LRESULT MessageDispatcher::SendFromOtherThread(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto send = std::make_shared<PendingSend>();
    send->hWnd = hWnd;
    send->message = message;
    send->wParam = wParam;
    send->lParam = lParam;
    std::future<LRESULT> result = send->promise.get_future();
    {
        std::lock_guard lock(m_mutex);
        // Checked under the queue's lock: a window destroyed after this point finds the send in
        // the queue and releases it.
        if (!WindowData::Exists(hWnd)) {
            return 0;
        }
        m_pending.push_back(send);
    }
    QCoreApplication::postEvent(this, new SendEvent(send));
    return result.get();
}

bool MessageDispatcher::Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!WindowData::Exists(hWnd)) {
        return false;
    }
    MSG msg;
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    QCoreApplication::postEvent(this, new PostEvent(msg));
    return true;
}

void MessageDispatcher::Serve(const std::shared_ptr<PendingSend>& send) {
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find(m_pending.begin(), m_pending.end(), send);
        if (it == m_pending.end()) {
            return; // served already, or released
        }
        m_pending.erase(it);
    }
    if (send->taken.load()) {
        return;
    }
    LRESULT result = ::SendMessage(send->hWnd, send->message, send->wParam, send->lParam);
    send->Release(result);
}

void MessageDispatcher::ServePendingSends() {
    for (;;) {
        std::shared_ptr<PendingSend> next;
        {
            std::lock_guard lock(m_mutex);
            if (m_pending.empty()) {
                return;
            }
            next = m_pending.front();
        }
        Serve(next);
    }
}

void MessageDispatcher::ReleasePendingSends(HWND hWnd) {
    std::vector<std::shared_ptr<PendingSend>> released;
    {
        std::lock_guard lock(m_mutex);
        auto keep = std::stable_partition(m_pending.begin(), m_pending.end(),
                                          [hWnd](const auto& send) { return send->hWnd != hWnd; });
        released.assign(keep, m_pending.end());
        m_pending.erase(keep, m_pending.end());
    }
    for (const auto& send : released) {
        send->Release(0);
    }
}

void MessageDispatcher::PostPaint(HWND hWnd) {
    QCoreApplication::postEvent(this, new PaintEvent(hWnd));
}

void MessageDispatcher::PostDeferred(std::function<void()> fn) {
    QCoreApplication::postEvent(this, new DeferredEvent(std::move(fn)));
}

void MessageDispatcher::customEvent(QEvent* event) {
    if (event->type() == kSendEvent) {
        Serve(static_cast<SendEvent*>(event)->Send());
        return;
    }
    if (event->type() == kPostEvent) {
        MSG msg = static_cast<PostEvent*>(event)->m_msg;
        if (IsInputMessage(msg.message)) {
            DispatchInputMessage(&msg);
            return;
        }
        ::SendMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        return;
    }
    if (event->type() == kPaintEvent) {
        if (WindowData* data = WindowData::Lookup(static_cast<PaintEvent*>(event)->m_hWnd)) {
            data->paintPosted = false;
            data->DeliverPaint();
        }
        return;
    }
    if (event->type() == kDeferredEvent) {
        static_cast<DeferredEvent*>(event)->m_fn();
    }
}

bool MessageDispatcher::RunModalLoop(QEventLoop& loop) {
    if (m_quitPending && m_loops.empty()) {
        m_quitPending = false;
        return false;
    }
    m_loops.push_back(&loop);
    loop.exec();
    m_loops.erase(std::find(m_loops.begin(), m_loops.end(), &loop));
    auto quit = std::find(m_quitLoops.begin(), m_quitLoops.end(), &loop);
    if (quit == m_quitLoops.end()) {
        return true;
    }
    m_quitLoops.erase(quit);
    if (m_loops.empty()) {
        m_quitPending = false;
    }
    return false;
}

void MessageDispatcher::ExitModalLoop(QEventLoop& loop, bool quit) {
    if (quit) {
        m_quitLoops.push_back(&loop);
    }
    loop.exit(0);
}

void MessageDispatcher::RunApplicationLoop() {
    if (m_quitPending) {
        m_quitPending = false;
        return;
    }
    m_applicationLoop = true;
    QCoreApplication::exec();
    m_applicationLoop = false;
    m_quitPending = false;
}

void MessageDispatcher::RequestQuit(int exitCode) {
    m_quitPending = true;
    m_quitCode = exitCode;
    if (m_loops.empty() && m_applicationLoop) {
        QCoreApplication::exit(exitCode);
    }
    for (QEventLoop* loop : m_loops) {
        if (std::find(m_quitLoops.begin(), m_quitLoops.end(), loop) == m_quitLoops.end()) {
            ExitModalLoop(*loop, true);
        }
    }
}
