#include "platform/gui/CWinApp.h"

#include "platform/gui/CWnd.h"
#include "platform/gui/Cursor.h"
#include "platform/gui/Icon.h"
#include "platform/gui/MessageDispatcher.h"
#include "platform/gui/WindowData.h"

#include <QApplication>
#include <memory>

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp::CWinApp(std::u16string_view appName) : m_pszAppName(appName) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    MessageDispatcher* dispatcher = MessageDispatcher::Instance();
    return dispatcher ? dispatcher->QuitCode() : 0;
}

int CWinApp::Run(int argc, char** argv) {
    m_argc = argc;
    std::unique_ptr<QApplication> app;
    if (!QApplication::instance()) {
        app = std::make_unique<QApplication>(m_argc, argv);
    }
    if (m_pszAppName.empty()) {
        m_pszAppName = QCoreApplication::applicationName().toStdU16String();
    } else {
        QCoreApplication::setApplicationName(QString::fromStdU16String(m_pszAppName));
    }
    // The program ends when its modal run ends, not when Qt sees its last window close (a message
    // box closed while the main window waits hidden in the tray would otherwise end it).
    QApplication::setQuitOnLastWindowClosed(false);
    MessageDispatcher* dispatcher = MessageDispatcher::EnsureCreated();
    if (InitInstance()) {
        dispatcher->RunApplicationLoop();
    }
    int exitCode = ExitInstance();
    // Windows still open belong to the Qt application: they go before it does.
    for (HWND handle : EnumTopLevelWindows()) {
        if (CWnd* wnd = CWnd::FromHandle(handle)) {
            wnd->DestroyWindow();
        }
    }
    m_pMainWnd = nullptr;
    app.reset();
    return exitCode;
}

HICON CWinApp::LoadIcon(UINT id) const {
    return LoadIconResource(id);
}

HCURSOR CWinApp::LoadCursor(UINT id) const {
    return LoadCursorResource(id);
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

int AfxWinMain(int argc, char** argv) {
    return g_app ? g_app->Run(argc, argv) : 1;
}
