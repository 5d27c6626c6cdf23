#include "app/CVornixApp.h"

#include "app/InstanceMarker.h"
#include "app/ProcessObjects.h"
#include "platform/gui/CWnd.h"
#include "skin/ImageStore.h"
#include "ui/main_window/CMainFrame.h"

namespace {

int g_imageStartups = 0;
int g_imageShutdowns = 0;
bool g_imagesStarted = false;

// The pictures are decoded by the platform layer with no library state of its own to start, so
// starting and stopping the image subsystem only keeps its bookkeeping: once each per run.
void StartImages() {
    g_imagesStarted = true;
    ++g_imageStartups;
}

void ShutDownImages() {
    if (!g_imagesStarted)
        return;
    g_imagesStarted = false;
    ++g_imageShutdowns;
}

} // namespace

CVornixApp::CVornixApp() : CWinAppEx(TRUE) {}

BOOL CVornixApp::InitInstance() {
    ProcessObjects& objects = TheProcessObjects();
    if (!objects.Instance.Claim()) {
        // A second copy: the first one shows its window, if it has one yet; this one ends.
        objects.Instance.RequestRaise();
        return FALSE;
    }

    CWinAppEx::InitInstance();
    StartImages();
    InitImageStore();

    CMainFrame mainFrame(objects.MakeScanContext(),
                         [&objects] { objects.Instance.Listen([] { RaiseMarkedWindow(); }); });
    m_pMainWnd = &mainFrame;
    mainFrame.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CVornixApp::ExitInstance() {
    ShutDownImages();
    return CWinAppEx::ExitInstance();
}

int CVornixApp::ImageStartups() {
    return g_imageStartups;
}
int CVornixApp::ImageShutdowns() {
    return g_imageShutdowns;
}

void CVornixApp::RaiseMarkedWindow() {
    CWnd* window = CWnd::FromHandle(FindTopLevelWindowWithProp(kInstanceMarker));
    if (!window || !window->IsWindow())
        return;
    if (window->IsIconic())
        window->ShowWindow(SW_RESTORE);
    if (!window->IsWindowVisible())
        window->ShowWindow(SW_SHOW);
    window->SetForegroundWindow();
    window->SetActiveWindow();
    if (CWnd* popup = window->GetLastActivePopup())
        popup->SetActiveWindow();
}
