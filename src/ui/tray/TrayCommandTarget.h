#pragma once

// What the tray's commands need of the window they serve. The main window implements it and
// hands itself to the functions of TrayCommands.h.

class CWnd;

class TrayCommandTarget {
public:
    // The window the icon and the popup belong to.
    virtual CWnd& TrayWindow() = 0;
    // Centres the window on the work area and shows it.
    virtual void CenterAndShow() = 0;
    // Lets go of the adapter inventory before the program ends.
    virtual void ReleaseAdapterTable() = 0;

protected:
    ~TrayCommandTarget() = default;
};
