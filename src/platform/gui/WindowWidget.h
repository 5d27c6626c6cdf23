#pragma once

// The Qt widget behind a window. Its paint event only puts the window's surface on screen; its
// input events become window messages (client coordinates, MK_* key flags), routed to the
// window that holds the mouse capture when there is one. Internal to src/platform/gui.

#include "platform/gui/WinTypes.h"

#include <QWidget>

class WindowWidget : public QWidget {
public:
    WindowWidget(HWND hWnd, QWidget* parent, Qt::WindowFlags flags);

    HWND Handle() const { return m_hWnd; }
    // Events being handled now: the widget is deleted later rather than under its own feet.
    bool Busy() const { return m_eventDepth > 0; }
    static WindowWidget* OwnerOf(QWidget* widget);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SendMouse(UINT message, QMouseEvent* event);
    void SendKey(UINT message, QKeyEvent* event);

    HWND m_hWnd;
    int m_eventDepth = 0;
};

// The MK_* flags of a Qt pointer event.
WPARAM MouseKeyFlags(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
// The virtual key of a Qt key (0 when it has none).
UINT VirtualKeyFromQt(int key);
