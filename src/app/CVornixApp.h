#pragma once

// The application: makes sure one copy runs per user, starts the image subsystem, runs the main
// window modally (the program's only message loop) and shuts the image subsystem down at the end.

#include "platform/gui/CWinAppEx.h"

class CVornixApp : public CWinAppEx {
public:
    CVornixApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // How often the image subsystem was started and shut down (tests: once each, or never).
    static int ImageStartups();
    static int ImageShutdowns();

    // Brings the main window forward: restored if minimised, shown if hidden, made the foreground
    // window and activated, then its last active pop-up activated. Nothing when no window carries
    // the marker. What a second start asks the running copy to do.
    static void RaiseMarkedWindow();
};
