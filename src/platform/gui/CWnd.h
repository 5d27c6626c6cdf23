#pragma once

// A window of the desktop platform layer. Messages reach a window through WindowProc, which
// calls the virtual handlers below; a handler that calls the base class's handler gets the
// "default processing" of the window's class (the platform behaviour of a button, a static, a
// scroll bar, a dialog, or the plain window's). Subclasses handle their own private messages
// (WM_USER + n) by overriding WindowProc and calling the base for the rest.
//
// Threads: everything except SendMessage and PostMessage belongs to the user-interface thread.
// SendMessage from another thread blocks until the user-interface thread has handled the message.

#include "platform/gui/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

class CDC;
class CRgn;
class CScrollBar;
class QImage;
class QWidget;
class WindowData;

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE; // TRUE when the background still needs erasing (the erase handler said no)
    RECT rcPaint;        // bounding box of the region being painted, client coordinates
};

// Window class names understood by CreateEx (the classes of the dialog template controls).
inline constexpr std::u16string_view kWindowClassPlain = u"";
inline constexpr std::u16string_view kWindowClassButton = u"button";
inline constexpr std::u16string_view kWindowClassStatic = u"static";
inline constexpr std::u16string_view kWindowClassScrollBar = u"scrollbar";
inline constexpr std::u16string_view kWindowClassDialog = u"#32770";

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // The window's handle; null while the object has no window.
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object attached to a window, or null when the handle names no window.
    static CWnd* FromHandle(HWND hWnd);
    BOOL IsWindow() const;

    // Creation and destruction. A child (WS_CHILD) needs a parent; a top-level window may have
    // an owner (parent) or none. rect is in the parent's client coordinates, or the screen's.
    virtual BOOL CreateEx(DWORD exStyle, std::u16string_view className, std::u16string_view windowName,
                          DWORD style, const RECT& rect, CWnd* parent, UINT id);
    virtual BOOL DestroyWindow();
    // Attaches this object to an existing window that no other object of a derived class owns
    // (a control a dialog created from its template); calls PreSubclassWindow.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Default processing of the message being handled now.
    LRESULT Default();
    // Sees key and mouse messages before they are dispatched; TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // The message being handled (inside a handler).
    const MSG& GetCurrentMessage() const { return m_currentMsg; }

    // Family.
    CWnd* GetParent() const;
    CWnd* GetDlgItem(int id) const;
    HWND GetDlgItemHandle(int id) const;
    int GetDlgCtrlID() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetWindow(UINT cmd) const; // GW_CHILD, GW_HWNDNEXT

    // Text (UTF-16).
    void SetWindowText(std::u16string_view text);
    std::u16string GetWindowText() const;
    int GetWindowTextLength() const;

    // Style bits.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

    // Named properties (case-sensitive names); 0 means absent.
    BOOL SetProp(std::u16string_view name, std::intptr_t value);
    std::intptr_t GetProp(std::u16string_view name) const;
    std::intptr_t RemoveProp(std::u16string_view name);

    // Visibility and state.
    BOOL ShowWindow(int cmd);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;

    // Geometry. Window rectangles are in screen coordinates; client rectangles start at 0, 0.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void GetWindowRect(RECT* rect) const;
    void GetClientRect(RECT* rect) const;
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;
    // The window's shape (a mask); the window keeps its own copy of the region, null removes it.
    int SetWindowRgn(const CRgn* region, BOOL redraw);
    int SetWindowRgn(HRGN region, BOOL redraw);

    // Keyboard focus, mouse capture, activation.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    BOOL SetForegroundWindow();
    CWnd* SetActiveWindow();
    CWnd* GetLastActivePopup() const;

    // Painting. Invalidated areas are painted (WM_ERASEBKGND, then WM_PAINT) when the queue
    // gets to them, or at once by UpdateWindow.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    void ValidateRect(const RECT* rect);
    void UpdateWindow();
    BOOL GetUpdateRect(RECT* rect) const;
    HDC BeginPaint(PAINTSTRUCT* paint);
    void EndPaint(const PAINTSTRUCT* paint);
    // The painting model: the window's pixels (client size, premultiplied ARGB, transparent
    // where nothing was drawn) and putting them on screen now. Inside a paint cycle the
    // presentation waits for EndPaint, so a half-drawn face is never shown.
    QImage& Surface();
    void PresentNow();
    bool InPaintCycle() const;

    // Timers: WM_TIMER with the id on the user-interface thread; a running id restarts.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unusedCallback = nullptr);
    BOOL KillTimer(UINT_PTR id);
    bool IsTimerRunning(UINT_PTR id) const;

    // Icon, font, cursor of the window.
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;
    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;

    // Places for SetWindowPos's insertAfter (null means the top too).
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // The Qt widget that shows the window (for the platform layer's own code only).
    QWidget* Widget() const;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Calls the handler of a message; FALSE when this class has none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // A parent hands some child notifications (WM_DRAWITEM) back to the child.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void PreSubclassWindow();
    virtual void PostNcDestroy();

    // Handlers. The base versions do the default processing.
    virtual void OnDestroy();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    virtual void OnMouseMove(UINT flags, POINT point);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnLButtonUp(UINT flags, POINT point);
    virtual void OnLButtonDblClk(UINT flags, POINT point);
    virtual void OnRButtonDown(UINT flags, POINT point);
    virtual void OnRButtonUp(UINT flags, POINT point);
    virtual void OnTimer(UINT_PTR id);
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT hitTest, UINT message);
    virtual void OnDrawItem(int idCtl, DRAWITEMSTRUCT* drawItem);
    virtual void OnVScroll(UINT code, UINT pos, CScrollBar* pScrollBar);
    virtual void OnHScroll(UINT code, UINT pos, CScrollBar* pScrollBar);
    virtual void OnSysColorChange();
    virtual void OnKeyDown(UINT nChar, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT nChar, UINT repeat, UINT flags);
    virtual void OnSetFocus(CWnd* pOldWnd);
    virtual void OnKillFocus(CWnd* pNewWnd);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnSysCommand(UINT id, LPARAM lParam);
    virtual void OnNcLButtonDown(UINT hitTest, POINT point);
    virtual void OnNcPaint();
    virtual void OnClose();
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enable);
    virtual void OnCaptureChanged(CWnd* pWnd);
    virtual HCURSOR OnQueryDragIcon();

private:
    friend class WindowData;
    friend LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // One message through WindowProc, with the current message kept for Default().
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    WindowData* Data() const;

    MSG m_currentMsg;
};

// GetWindow commands.
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_CHILD = 5;

// Functions on handles (any thread for SendMessage/PostMessage/IsWindow).
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL IsWindow(HWND hWnd);
BOOL ReleaseCapture();
// Ends the running modal loops (and the next one to start, when none runs) with a quit request.
void PostQuitMessage(int exitCode);
// Serves now, on the user-interface thread, the sends that other threads are blocked in (for a
// user-interface thread that must wait for a worker which may be sending to it).
void ServePendingSends();
// The pointer position in screen coordinates.
BOOL GetCursorPos(POINT* point);
// The top-level windows, oldest first; and the first that carries a named property.
std::vector<HWND> EnumTopLevelWindows();
HWND FindTopLevelWindowWithProp(std::u16string_view name);
// Pretranslate and dispatch one input message the way the modal loop does (the platform's own
// key and mouse events take this road; tests may too). TRUE when a PreTranslateMessage took it.
BOOL DispatchInputMessage(MSG* msg);
