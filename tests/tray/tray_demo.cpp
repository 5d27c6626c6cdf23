// A small window with the program's tray icon and popup, for looking at both on a real desktop.
// It prints one line per event on stdout (for tray_e2e.sh):
//     ready            the icon was asked for (and whether a tray took it)
//     shown X Y W H    Display ran: the window's frame on the screen
//     command ID       a popup command arrived
//     exit CODE        the loop ended
// --hidden starts without showing the window, as if it had been minimised to the tray.
#include "platform/gui/CDC.h"
#include "platform/gui/CFont.h"
#include "platform/gui/CSurfaceDC.h"
#include "platform/gui/CWnd.h"
#include "platform/gui/Icon.h"
#include "platform/gui/MessageDispatcher.h"
#include "platform/gui/Resources.h"
#include "platform/gui/SystemMetrics.h"
#include "ui/tray/CDuzTray.h"
#include "ui/tray/TrayCommandTarget.h"
#include "ui/tray/TrayCommands.h"
#include "ui/tray/TrayIds.h"

#include <QApplication>
#include <QEventLoop>
#include <cstdio>
#include <cstring>

namespace {

class DemoWindow : public CWnd, public TrayCommandTarget {
public:
    DemoWindow() {
        CreateEx(0, kWindowClassPlain, u"Quellmark tray demo", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                 RECT{0, 0, 360, 120}, nullptr, 0);
    }

    CWnd& TrayWindow() override { return *this; }

    void CenterAndShow() override {
        RECT frame;
        GetWindowRect(&frame);
        const int x = (GetSystemMetrics(SM_CXFULLSCREEN) - frame.Width()) / 2;
        const int y = (GetSystemMetrics(SM_CYFULLSCREEN) - frame.Height()) / 2;
        MoveWindow(x, y, frame.Width(), frame.Height());
        ShowWindow(SW_SHOW);
        ReportShown();
    }

    void ReleaseAdapterTable() override { std::printf("release-adapters\n"); }

    CDuzTray trayMenu;
    TrayMenuTexts trayTexts;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kTrayNotifyMessage) {
            std::printf("notify %u\n", static_cast<unsigned>(LOWORD(static_cast<std::uintptr_t>(lParam))));
            std::fflush(stdout);
            return HandleTrayNotify(*this, trayMenu, trayTexts, wParam, lParam);
        }
        if (message == WM_COMMAND) {
            std::printf("command %u\n", static_cast<unsigned>(LOWORD(wParam)));
            std::fflush(stdout);
            if (HandleTrayCommand(*this, LOWORD(wParam))) {
                return 0;
            }
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // Closing the window hides it to the tray when there is one, as the program's minimise does.
    void OnClose() override {
        ShowWindow(CanHideToTray(trayMenu) ? SW_HIDE : SW_MINIMIZE);
        std::printf("hidden\n");
        std::fflush(stdout);
    }

public:
    void ReportShown() {
        RECT frame;
        GetWindowRect(&frame);
        std::printf("shown %d %d %d %d\n", frame.left, frame.top, frame.Width(), frame.Height());
        std::fflush(stdout);
    }

protected:
    void OnPaint() override {
        PAINTSTRUCT paint;
        BeginPaint(&paint);
        CSurfaceDC dc(Surface());
        RECT client;
        GetClientRect(&client);
        dc.FillSolidRect(client, RGB(246, 246, 242));
        LOGFONT logFont;
        logFont.lfHeight = -14;
        logFont.lfPitchAndFamily = FF_SWISS;
        CFont font;
        font.CreateFontIndirect(&logFont);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(30, 30, 30));
        dc.DrawText(u"Right-click the tray icon for its menu.", &client,
                    DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        PresentNow();
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool hidden = argc > 1 && std::strcmp(argv[1], "--hidden") == 0;
    DemoWindow window;
    window.trayMenu.AddTrayIcon(&window, LoadStringResource(kTrayTipString), LoadIconResource(128));
    std::printf("ready %d\n", window.trayMenu.TrayRequestResult());
    std::fflush(stdout);
    if (!hidden) {
        window.CenterAndShow();
    }
    QEventLoop loop;
    MessageDispatcher::EnsureCreated()->RunModalLoop(loop);
    window.trayMenu.RemoveTrayIcon(&window);
    window.DestroyWindow();
    const int code = MessageDispatcher::Instance()->QuitCode();
    std::printf("exit %d\n", code);
    std::fflush(stdout);
    return code;
}
