#pragma once

// The state of one window, kept by the platform layer under the window's handle. A CWnd object
// is attached to it (its owner); a control a dialog created from its template has a default
// owner object of its class until a member of the dialog takes it over (SubclassWindow).
// Internal to src/platform/gui.

#include "platform/gui/CWnd.h"
#include "platform/gui/WinTypes.h"

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QTimer;
class WindowClass;
class WindowWidget;

class WindowData {
public:
    WindowData(HWND handle, std::u16string_view className);
    ~WindowData();
    WindowData(const WindowData&) = delete;
    WindowData& operator=(const WindowData&) = delete;

    // Handle registry. Lookup is safe from any thread; the rest of WindowData belongs to the
    // user-interface thread.
    static WindowData* Register(std::u16string_view className);
    static WindowData* Lookup(HWND handle);
    static void Unregister(HWND handle);
    static std::vector<HWND> AllHandles();
    static bool Exists(HWND handle); // any thread
    static bool IsUiThread();

    HWND handle;
    CWnd* owner = nullptr;
    std::unique_ptr<CWnd> defaultOwner;
    std::u16string className;
    std::unique_ptr<WindowClass> windowClass;

    WindowData* parent = nullptr;
    std::vector<WindowData*> children;
    std::u16string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    int id = 0;
    std::map<std::u16string, std::intptr_t, std::less<>> props;
    QPointer<WindowWidget> widget;

    // The painting model. The surface is allocated on first use (a paint or a drawing context):
    // hidden windows that are never painted keep none. Until then it counts as fully transparent.
    QSize surfaceSize;
    QRegion updateRegion;
    QRegion paintRegion;
    bool eraseNeeded = false;
    bool paintPosted = false;
    bool inPaint = false;
    int paintDepth = 0;
    bool presentPending = false;

    std::map<UINT_PTR, QTimer*> timers;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    HFONT font = nullptr;
    bool hasRegion = false;
    HWND lastActivePopup = nullptr;
    bool destroying = false;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsVisibleChain() const;
    QRect ClientRect() const { return QRect(QPoint(0, 0), surfaceSize); }
    // The client surface, allocated (transparent) at the client size when it has none yet.
    QImage& Surface();
    // The surface if one was allocated, else null: nothing was drawn, all of it is transparent.
    const QImage* AllocatedSurface() const { return surface.isNull() ? nullptr : &surface; }

    // Painting: add to the update region (children too unless WS_CLIPCHILDREN), post a paint,
    // deliver WM_ERASEBKGND/WM_PAINT now, put pixels on screen.
    void Invalidate(const QRegion& region, bool erase);
    void SchedulePaint();
    void DeliverPaint();
    void Present(const QRegion& region);
    void ResizeSurface(QSize size);
    void ApplyMouseTransparency();

    // Session state of the user-interface thread.
    static HWND s_focus;
    static HWND s_capture;

private:
    QImage surface;
};

// Default processing shared by every window class (text, font, icon, cursor, caption drag,
// paint and erase of a window without class behaviour).
LRESULT GenericDefWindowProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);
// The brush colour of the dialog face (COLOR_BTNFACE).
QColor DialogFaceColor();
// Fills the region being painted with a colour (the default erase of dialogs).
void FillPaintRegion(WindowData& data, const QColor& color);
