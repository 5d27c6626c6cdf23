#pragma once

// The behaviour of a kind of window (the platform's window class): a button, a static, a scroll
// bar, a dialog, or a plain window. Its DefProc is the "default processing" that a CWnd handler
// reaches by calling its base. Internal to src/platform/gui.

#include "platform/gui/WinTypes.h"

#include <memory>
#include <string_view>

class CWnd;
class WindowData;

class WindowClass {
public:
    virtual ~WindowClass() = default;
    // TRUE with *result when the class handles the message; otherwise the generic processing runs.
    virtual bool DefProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = 0;
    // Builds the class's inner widgets once the window exists.
    virtual void OnCreated(CWnd& /*wnd*/) {}
    // Pointer input passes through to the parent (a static without SS_NOTIFY).
    virtual bool TransparentToMouse(DWORD /*style*/) const { return false; }
    // Keyboard focus from a click.
    virtual bool TakesFocusOnClick() const { return false; }
    // The window's geometry or enabled state changed (inner widgets follow).
    virtual void OnStateChanged(CWnd& /*wnd*/) {}
};

// The class behaviour for a class name (case-insensitive); a plain window for unknown names.
std::unique_ptr<WindowClass> MakeWindowClass(std::u16string_view className);
// The object that stands for a window of that class until a member attaches to it.
std::unique_ptr<CWnd> MakeDefaultOwner(std::u16string_view className);
