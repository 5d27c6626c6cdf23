#include "platform/gui/WindowMover.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Polls the pointer every 10 ms while the left button is held and keeps the window's offset to it.
class PointerFollower : public QObject {
public:
    explicit PointerFollower(QWidget* window) : m_window(window), m_offset(QCursor::pos() - window->pos()) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Follow(); });
        m_timer.start();
    }

private:
    void Follow() {
        if (!m_window || !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
            m_timer.stop();
            deleteLater();
            return;
        }
        m_window->move(QCursor::pos() - m_offset);
    }

    QPointer<QWidget> m_window;
    QPoint m_offset;
    QTimer m_timer;
};

} // namespace

void StartWindowMove(QWidget* window) {
    if (!window) {
        return;
    }
    window = window->window();
    QWindow* handle = window->windowHandle();
    if (handle && handle->startSystemMove()) {
        return;
    }
    new PointerFollower(window);
}
