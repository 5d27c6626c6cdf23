#pragma once

// The message queue of the user-interface thread, built on Qt's posted events: posted messages,
// sends from other threads (each carries a promise that the user-interface thread fulfils),
// deferred painting, the quit request and the stack of running modal loops.
// Internal to src/platform/gui.

#include "platform/gui/WinTypes.h"

#include <QObject>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

class QEventLoop;

class MessageDispatcher : public QObject {
public:
    // Created by the first window, on the user-interface thread; null before.
    static MessageDispatcher* Instance();
    static MessageDispatcher* EnsureCreated();

    // Blocks the calling (non user-interface) thread until the message was handled, or until
    // the window is destroyed (result 0).
    LRESULT SendFromOtherThread(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void ServePendingSends();
    void ReleasePendingSends(HWND hWnd);
    void PostPaint(HWND hWnd);
    void PostDeferred(std::function<void()> fn);

    // The modal loops, innermost last. A quit request ends all that run; with none running it
    // waits for the next loop to start, which then ends at once.
    // Returns false when the loop ended by a quit request.
    bool RunModalLoop(QEventLoop& loop);
    void ExitModalLoop(QEventLoop& loop, bool quit = false);
    void RequestQuit(int exitCode);
    bool QuitPending() const { return m_quitPending; }
    int QuitCode() const { return m_quitCode; }
    void ClearQuit() { m_quitPending = false; }
    // The application's own loop (when InitInstance asks for one), ended by a quit request.
    void RunApplicationLoop();

    struct PendingSend {
        HWND hWnd = nullptr;
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        std::promise<LRESULT> promise;
        std::atomic<bool> taken{false};
        void Release(LRESULT result);
    };

protected:
    void customEvent(QEvent* event) override;

private:
    MessageDispatcher() = default;
    void Serve(const std::shared_ptr<PendingSend>& send);

    std::mutex m_mutex;
    std::deque<std::shared_ptr<PendingSend>> m_pending;
    std::vector<QEventLoop*> m_loops;
    std::vector<QEventLoop*> m_quitLoops;
    bool m_quitPending = false;
    bool m_applicationLoop = false;
    int m_quitCode = 0;
};
