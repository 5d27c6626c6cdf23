// Windows and messages: dispatch to handlers, default processing, Qt input turned into messages,
// timers, sends from other threads, posted messages.
#include "platform/gui/CWnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QThread>
#include <QWidget>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace {

constexpr UINT UM_PRIVATE = WM_USER + 0x1025;

struct Seen {
    UINT message = 0;
    UINT flags = 0;
    POINT point;
    UINT_PTR timerId = 0;
};

class RecordingWnd : public CWnd {
public:
    std::vector<Seen> seen;
    int privateCalls = 0;
    std::thread::id privateThread;
    BOOL setCursorAnswer = FALSE;
    bool setCursorCallsBase = false;

    BOOL CreateTopLevel(int width = 120, int height = 80) {
        return CreateEx(0, kWindowClassPlain, u"recording", WS_POPUP, RECT{10, 10, 10 + width, 10 + height},
                        nullptr, 0);
    }
    BOOL CreateChild(CWnd* parent, RECT rect, UINT id = 7) {
        return CreateEx(0, kWindowClassPlain, u"", WS_CHILD | WS_VISIBLE, rect, parent, id);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == UM_PRIVATE) {
            ++privateCalls;
            privateThread = std::this_thread::get_id();
            return static_cast<LRESULT>(wParam + lParam);
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void OnMouseMove(UINT flags, POINT point) override { seen.push_back({WM_MOUSEMOVE, flags, point, 0}); }
    void OnLButtonDown(UINT flags, POINT point) override {
        seen.push_back({WM_LBUTTONDOWN, flags, point, 0});
    }
    void OnLButtonUp(UINT flags, POINT point) override { seen.push_back({WM_LBUTTONUP, flags, point, 0}); }
    void OnTimer(UINT_PTR id) override { seen.push_back({WM_TIMER, 0, {}, id}); }
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override {
        seen.push_back({WM_SETCURSOR, hitTest, POINT{static_cast<LONG>(message), 0}, 0});
        if (setCursorCallsBase) {
            return CWnd::OnSetCursor(wnd, hitTest, message);
        }
        return setCursorAnswer;
    }
};

// Runs the Qt event loop until the condition holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

TEST(WindowMessages, HandlersReceiveTheMessageParameters) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    struct Case {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Seen expected;
    };
    const Case cases[] = {
        {WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, MAKEPOINTLPARAM(12, 34), {WM_MOUSEMOVE, 9, {12, 34}, 0}},
        {WM_MOUSEMOVE, 0, MAKEPOINTLPARAM(-5, -7), {WM_MOUSEMOVE, 0, {-5, -7}, 0}},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKEPOINTLPARAM(1, 2), {WM_LBUTTONDOWN, 1, {1, 2}, 0}},
        {WM_LBUTTONUP, MK_SHIFT, MAKEPOINTLPARAM(3, 4), {WM_LBUTTONUP, 4, {3, 4}, 0}},
        {WM_TIMER, 3, 0, {WM_TIMER, 0, {}, 3}},
    };
    for (const Case& c : cases) {
        wnd.seen.clear();
        wnd.SendMessage(c.message, c.wParam, c.lParam);
        ASSERT_EQ(wnd.seen.size(), 1u) << c.message;
        EXPECT_EQ(wnd.seen[0].message, c.expected.message);
        EXPECT_EQ(wnd.seen[0].flags, c.expected.flags);
        EXPECT_EQ(wnd.seen[0].point, c.expected.point);
        EXPECT_EQ(wnd.seen[0].timerId, c.expected.timerId);
    }
    EXPECT_EQ(wnd.SendMessage(UM_PRIVATE, 40, 2), 42);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 77, 1, 1), 0); // nobody handles it
}

TEST(WindowMessages, DefaultProcessingOfSetCursorAsksTheParentFirst) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel());
    RecordingWnd child;
    ASSERT_TRUE(child.CreateChild(&parent, RECT{0, 0, 20, 20}));
    child.setCursorCallsBase = true;
    parent.setCursorAnswer = TRUE;
    LRESULT handled =
        child.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(child.m_hWnd),
                          MAKELPARAM(static_cast<WORD>(HTCLIENT), static_cast<WORD>(WM_MOUSEMOVE)));
    EXPECT_EQ(handled, TRUE);
    ASSERT_EQ(parent.seen.size(), 1u);
    EXPECT_EQ(parent.seen[0].flags, static_cast<UINT>(HTCLIENT));

    parent.setCursorAnswer = FALSE;
    handled = child.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(child.m_hWnd),
                                MAKELPARAM(static_cast<WORD>(HTCLIENT), static_cast<WORD>(WM_MOUSEMOVE)));
    EXPECT_EQ(handled, FALSE);
}

TEST(WindowMessages, QtPointerEventsBecomeMessagesWithKeyFlags) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    wnd.ShowWindow(SW_SHOW);
    QWidget* widget = wnd.Widget();
    ASSERT_NE(widget, nullptr);
    QPointF at(15, 25);
    QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::ControlModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent move(QEvent::MouseMove, at, global, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(widget, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);

    std::vector<Seen> input;
    for (const Seen& s : wnd.seen) {
        if (s.message != WM_SETCURSOR) {
            input.push_back(s);
        }
    }
    ASSERT_EQ(input.size(), 3u);
    EXPECT_EQ(input[0].message, WM_LBUTTONDOWN);
    EXPECT_EQ(input[0].flags, MK_LBUTTON | MK_CONTROL);
    EXPECT_EQ(input[1].message, WM_MOUSEMOVE);
    EXPECT_EQ(input[1].flags, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(input[2].message, WM_LBUTTONUP);
    EXPECT_EQ(input[2].flags, 0u);
    EXPECT_EQ(input[2].point, (POINT{15, 25}));
}

TEST(WindowMessages, CaptureRoutesPointerMessagesToTheCapturingWindow) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(200, 100));
    RecordingWnd child;
    ASSERT_TRUE(child.CreateChild(&parent, RECT{50, 10, 90, 40}));
    parent.ShowWindow(SW_SHOW);
    child.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &child);
    QWidget* widget = parent.Widget();
    QPointF at(5, 5);
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    ASSERT_EQ(child.seen.size(), 1u);
    EXPECT_EQ(child.seen[0].point, (POINT{-45, -5})); // in the child's own coordinates
    ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST(WindowMessages, TimersRestartStopAndFireOnTheUiThread) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_FALSE(wnd.IsTimerRunning(2));
    wnd.SetTimer(2, 10);
    wnd.SetTimer(2, 10); // restarting a running id keeps one timer
    EXPECT_TRUE(wnd.IsTimerRunning(2));
    ASSERT_TRUE(PumpUntil([&] { return !wnd.seen.empty(); }));
    EXPECT_EQ(wnd.seen[0].message, WM_TIMER);
    EXPECT_EQ(wnd.seen[0].timerId, 2u);
    EXPECT_TRUE(wnd.KillTimer(2));
    EXPECT_FALSE(wnd.IsTimerRunning(2));
    EXPECT_FALSE(wnd.KillTimer(2));
    wnd.seen.clear();
    QCoreApplication::processEvents();
    QThread::msleep(30);
    QCoreApplication::processEvents();
    EXPECT_TRUE(wnd.seen.empty());
}

TEST(WindowMessages, TimersEndWithTheirWindow) {
    auto wnd = std::make_unique<RecordingWnd>();
    ASSERT_TRUE(wnd->CreateTopLevel());
    wnd->SetTimer(1, 5);
    wnd->DestroyWindow();
    EXPECT_FALSE(wnd->IsTimerRunning(1));
    QThread::msleep(20);
    QCoreApplication::processEvents();
    EXPECT_TRUE(wnd->seen.empty());
}

TEST(WindowMessages, SendFromAWorkerBlocksUntilTheUiThreadHandledIt) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    HWND target = wnd.m_hWnd;
    std::atomic<bool> returned{false};
    std::atomic<LRESULT> result{0};
    std::thread worker([&] {
        result = ::SendMessage(target, UM_PRIVATE, 5, 6);
        returned = true;
    });
    QThread::msleep(30);
    EXPECT_FALSE(returned.load()); // the UI thread has not handled it yet
    ASSERT_TRUE(PumpUntil([&] { return returned.load(); }));
    worker.join();
    EXPECT_EQ(result.load(), 11);
    EXPECT_EQ(wnd.privateCalls, 1);
    EXPECT_EQ(wnd.privateThread, std::this_thread::get_id());
}

TEST(WindowMessages, PendingSendsAreReleasedWithZeroWhenTheWindowDies) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    HWND target = wnd.m_hWnd;
    std::atomic<bool> sending{false};
    std::atomic<bool> returned{false};
    std::atomic<LRESULT> result{-1};
    std::thread worker([&] {
        sending = true;
        result = ::SendMessage(target, UM_PRIVATE, 5, 6);
        returned = true;
    });
    while (!sending.load()) {
        QThread::msleep(1);
    }
    QThread::msleep(20);
    wnd.DestroyWindow();
    worker.join();
    EXPECT_TRUE(returned.load());
    EXPECT_EQ(result.load(), 0);
    EXPECT_EQ(wnd.privateCalls, 0);
    QCoreApplication::processEvents(); // the dropped event finds nothing to do
    EXPECT_EQ(::SendMessage(target, UM_PRIVATE, 1, 1), 0);
}

TEST(WindowMessages, ServePendingSendsAnswersAWorkerWithoutTheEventLoop) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    HWND target = wnd.m_hWnd;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        ::SendMessage(target, UM_PRIVATE, 1, 2);
        returned = true;
    });
    QElapsedTimer clock;
    clock.start();
    while (!returned.load() && clock.elapsed() < 2000) {
        ServePendingSends(); // what a UI thread waiting for the worker does
        QThread::msleep(1);
    }
    worker.join();
    EXPECT_TRUE(returned.load());
    EXPECT_EQ(wnd.privateCalls, 1);
    QCoreApplication::processEvents(); // the posted event finds the send served
    EXPECT_EQ(wnd.privateCalls, 1);
}

TEST(WindowMessages, PostedMessagesWaitForTheQueue) {
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    EXPECT_TRUE(wnd.PostMessage(UM_PRIVATE, 1, 1));
    EXPECT_EQ(wnd.privateCalls, 0);
    ASSERT_TRUE(PumpUntil([&] { return wnd.privateCalls == 1; }));
    HWND gone = wnd.m_hWnd;
    wnd.PostMessage(UM_PRIVATE, 1, 1);
    wnd.DestroyWindow();
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.privateCalls, 1);
    EXPECT_FALSE(::PostMessage(gone, UM_PRIVATE, 1, 1));
}

TEST(WindowMessages, HandlesPropertiesAndTopLevelSearch) {
    RecordingWnd first;
    RecordingWnd second;
    ASSERT_TRUE(first.CreateTopLevel());
    ASSERT_TRUE(second.CreateTopLevel());
    EXPECT_EQ(CWnd::FromHandle(second.m_hWnd), &second);
    EXPECT_EQ(second.GetProp(u"ORVALE-TEST"), 0);
    second.SetProp(u"ORVALE-TEST", 1);
    EXPECT_EQ(FindTopLevelWindowWithProp(u"ORVALE-TEST"), second.m_hWnd);
    HWND handle = second.m_hWnd;
    second.DestroyWindow();
    EXPECT_EQ(CWnd::FromHandle(handle), nullptr);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(FindTopLevelWindowWithProp(u"ORVALE-TEST"), nullptr);
}

TEST(WindowMessages, StyleTextShowEnableAndGeometry) {
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(300, 200));
    RecordingWnd child;
    ASSERT_TRUE(child.CreateChild(&parent, RECT{10, 20, 60, 50}, 1018));
    EXPECT_EQ(parent.GetDlgItem(1018), &child);
    EXPECT_EQ(child.GetParent(), &parent);
    EXPECT_TRUE(child.GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(child.IsWindowVisible()); // the parent is hidden
    parent.ShowWindow(SW_SHOW);
    EXPECT_TRUE(child.IsWindowVisible());
    child.ShowWindow(SW_HIDE);
    EXPECT_FALSE(child.IsWindowVisible());

    EXPECT_TRUE(child.ModifyStyle(0, WS_TABSTOP));
    EXPECT_TRUE(child.GetStyle() & WS_TABSTOP);
    child.SetWindowText(u"Grüße");
    EXPECT_EQ(child.GetWindowText(), u"Grüße");

    EXPECT_FALSE(child.EnableWindow(FALSE)); // was enabled
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(child.EnableWindow(TRUE));

    child.MoveWindow(5, 6, 70, 30);
    RECT client;
    child.GetClientRect(&client);
    EXPECT_EQ(client, (RECT{0, 0, 70, 30}));
    RECT window;
    child.GetWindowRect(&window);
    RECT parentWindow;
    parent.GetWindowRect(&parentWindow);
    EXPECT_EQ(window.left - parentWindow.left, 5);
    EXPECT_EQ(window.top - parentWindow.top, 6);
    parent.ScreenToClient(&window);
    EXPECT_EQ(window, (RECT{5, 6, 75, 36}));
}

} // namespace
