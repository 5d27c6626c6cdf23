#include "platform/gui/WindowWidget.h"

#include "platform/gui/CWnd.h"
#include "platform/gui/GuiHandles.h"
#include "platform/gui/WindowData.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    WPARAM flags = 0;
    if (buttons & Qt::LeftButton) {
        flags |= MK_LBUTTON;
    }
    if (buttons & Qt::RightButton) {
        flags |= MK_RBUTTON;
    }
    if (buttons & Qt::MiddleButton) {
        flags |= MK_MBUTTON;
    }
    if (modifiers & Qt::ShiftModifier) {
        flags |= MK_SHIFT;
    }
    if (modifiers & Qt::ControlModifier) {
        flags |= MK_CONTROL;
    }
    return flags;
}

UINT VirtualKeyFromQt(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<UINT>(key); // the same ASCII codes
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    default:
        return 0;
    }
}

namespace {

void NotifySysColorChange(HWND handle) {
    ::SendMessage(handle, WM_SYSCOLORCHANGE);
    WindowData* data = WindowData::Lookup(handle);
    if (!data) {
        return;
    }
    std::vector<HWND> children;
    for (WindowData* child : data->children) {
        if (child->IsChild()) {
            children.push_back(child->handle);
        }
    }
    for (HWND child : children) {
        NotifySysColorChange(child);
    }
}

} // namespace

WindowWidget::WindowWidget(HWND hWnd, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_hWnd(hWnd) {
    setMouseTracking(true);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

WindowWidget* WindowWidget::OwnerOf(QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        if (auto* owner = dynamic_cast<WindowWidget*>(widget)) {
            return owner;
        }
    }
    return nullptr;
}

bool WindowWidget::event(QEvent* event) {
    ++m_eventDepth;
    bool handled = QWidget::event(event);
    --m_eventDepth;
    return handled;
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    WindowData* data = WindowData::Lookup(m_hWnd);
    // Without a surface nothing was drawn yet: the window is transparent, there is nothing to put.
    const QImage* surface = data ? data->AllocatedSurface() : nullptr;
    if (surface == nullptr) {
        return;
    }
    QPainter painter(this);
    for (const QRect& rect : event->region()) {
        painter.drawImage(rect.topLeft(), *surface, rect);
    }
}

void WindowWidget::SendMouse(UINT message, QMouseEvent* event) {
    event->accept();
    HWND target = m_hWnd;
    QPoint point = event->position().toPoint();
    HWND capture = WindowData::s_capture;
    WindowData* captureData = capture ? WindowData::Lookup(capture) : nullptr;
    if (captureData && capture != m_hWnd && captureData->widget) {
        target = capture;
        point = captureData->widget->mapFromGlobal(mapToGlobal(point));
    }
    if (!captureData && (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
        SetCursorTarget(this);
        ::SendMessage(m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd),
                      MAKELPARAM(static_cast<WORD>(HTCLIENT), static_cast<WORD>(message)));
    }
    MSG msg;
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = MouseKeyFlags(event->buttons(), event->modifiers());
    msg.lParam = MAKEPOINTLPARAM(point.x(), point.y());
    QPoint global = mapToGlobal(event->position().toPoint());
    msg.pt = POINT{global.x(), global.y()};
    DispatchInputMessage(&msg);
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        SendMouse(WM_LBUTTONDOWN, event);
    } else if (event->button() == Qt::RightButton) {
        SendMouse(WM_RBUTTONDOWN, event);
    } else if (event->button() == Qt::MiddleButton) {
        SendMouse(WM_MBUTTONDOWN, event);
    }
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        SendMouse(WM_LBUTTONUP, event);
    } else if (event->button() == Qt::RightButton) {
        SendMouse(WM_RBUTTONUP, event);
    } else if (event->button() == Qt::MiddleButton) {
        SendMouse(WM_MBUTTONUP, event);
    }
}

// No window class here asks for double clicks: the second press is a plain press.
void WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    SendMouse(WM_MOUSEMOVE, event);
}

void WindowWidget::SendKey(UINT message, QKeyEvent* event) {
    event->accept();
    UINT vk = VirtualKeyFromQt(event->key());
    if (vk == 0) {
        return;
    }
    MSG msg;
    msg.hwnd = WindowData::Exists(WindowData::s_focus) ? WindowData::s_focus : m_hWnd;
    msg.message = message;
    msg.wParam = vk;
    LPARAM state = 1; // repeat count
    if (event->isAutoRepeat()) {
        state |= LPARAM{1} << 30;
    }
    if (message == WM_KEYUP) {
        state |= LPARAM{3} << 30;
    }
    msg.lParam = state;
    DispatchInputMessage(&msg);
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    SendKey(WM_KEYDOWN, event);
}

void WindowWidget::keyReleaseEvent(QKeyEvent* event) {
    SendKey(WM_KEYUP, event);
}

void WindowWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (WindowData::s_focus == m_hWnd) {
        return;
    }
    if (CWnd* wnd = CWnd::FromHandle(m_hWnd)) {
        wnd->SetFocus();
    }
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (WindowData* data = WindowData::Lookup(m_hWnd)) {
        data->ResizeSurface(size());
    }
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    // The window's procedure decides (a dialog cancels, a plain window is destroyed).
    event->ignore();
    ::SendMessage(m_hWnd, WM_CLOSE);
}

void WindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    WindowData* data = WindowData::Lookup(m_hWnd);
    if (!data) {
        return;
    }
    if (event->type() == QEvent::PaletteChange && !data->IsChild()) {
        // The desktop's colours changed (no window here has a palette of its own): every window
        // of this top-level hears it once.
        NotifySysColorChange(m_hWnd);
        return;
    }
    if (event->type() == QEvent::WindowStateChange) {
        if (isMinimized()) {
            data->style |= WS_MINIMIZE;
        } else {
            data->style &= ~WS_MINIMIZE;
        }
        return;
    }
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !data->IsChild()) {
        for (WindowData* owner = data->parent; owner; owner = owner->parent) {
            owner->lastActivePopup = m_hWnd;
        }
    }
}
