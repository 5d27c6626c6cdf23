#pragma once

// The application object: one per process, constructed before Run. Run creates the Qt
// application, calls InitInstance (which normally runs the main window modally and returns
// FALSE), runs a message loop only when InitInstance returned TRUE, and then calls ExitInstance,
// whose result is the process's exit code.

#include "platform/gui/WinTypes.h"

#include <string>
#include <string_view>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(std::u16string_view appName = u"");
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // The exit code: that of the last quit request (PostQuitMessage), else 0.
    virtual int ExitInstance();
    int Run(int argc, char** argv);

    HICON LoadIcon(UINT id) const;
    HCURSOR LoadCursor(UINT id) const;
    const std::u16string& GetAppName() const { return m_pszAppName; }

    CWnd* m_pMainWnd = nullptr;
    std::u16string m_pszAppName;

private:
    int m_argc = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The program's main: runs the one application object.
int AfxWinMain(int argc, char** argv);
