#pragma once

// A top-level window standing in for the main window: it answers the tray's callback message and
// commands through the tray functions and records what reached it.

#include "platform/gui/CWnd.h"
#include "ui/tray/CDuzTray.h"
#include "ui/tray/TrayCommandTarget.h"
#include "ui/tray/TrayCommands.h"
#include "ui/tray/TrayIds.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

struct ReceivedMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class TrayTestWindow : public CWnd, public TrayCommandTarget {
public:
    TrayTestWindow() {
        CreateEx(0, kWindowClassPlain, u"Tray test", WS_POPUP, RECT{0, 0, 200, 150}, nullptr, 0);
    }
    ~TrayTestWindow() override {
        if (IsWindow()) {
            DestroyWindow();
        }
    }

    CWnd& TrayWindow() override { return *this; }
    void CenterAndShow() override {
        ++centerAndShowCalls;
        ShowWindow(SW_SHOW);
    }
    void ReleaseAdapterTable() override { ++releaseAdapterTableCalls; }

    std::vector<ReceivedMessage> received;
    int centerAndShowCalls = 0;
    int releaseAdapterTableCalls = 0;
    CDuzTray trayMenu;
    TrayMenuTexts trayTexts;
    // Whether tray callbacks and commands are handled, or only recorded.
    bool handleTray = true;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kTrayNotifyMessage || message == WM_COMMAND) {
            received.push_back({message, wParam, lParam});
        }
        if (message == kTrayNotifyMessage && handleTray) {
            return HandleTrayNotify(*this, trayMenu, trayTexts, wParam, lParam);
        }
        if (message == WM_COMMAND && handleTray && HandleTrayCommand(*this, LOWORD(wParam))) {
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Lets the queue deliver what was posted.
inline void ProcessPostedMessages() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 50) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}
