#include "platform/gui/WindowMover.h"

#include <QCursor>
#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Keeps the window's offset to the pointer while the left button is held: it follows every pointer
// movement the application sees (the press's implicit grab sends them all here), ends at the
// release with a last move to where the pointer is, and polls every 10 ms in case events stop coming.
class PointerFollower : public QObject {
public:
    explicit PointerFollower(QWidget* window) : m_window(window), m_offset(QCursor::pos() - window->pos()) {
        qApp->installEventFilter(this);
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            if (!(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
                Finish(QCursor::pos());
                return;
            }
            Follow(QCursor::pos());
        });
        m_timer.start();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseMove) {
            Follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Finish(QCursor::pos());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void Follow(QPoint pointer) {
        if (m_done) {
            return;
        }
        if (!m_window) {
            Finish(pointer);
            return;
        }
        const QPoint target = pointer - m_offset;
        if (m_window->pos() != target) {
            m_window->move(target);
        }
    }

    void Finish(QPoint pointer) {
        if (m_done) {
            return;
        }
        Follow(pointer);
        m_done = true;
        m_timer.stop();
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> m_window;
    QPoint m_offset;
    QTimer m_timer;
    bool m_done = false;
};

} // namespace

void StartWindowMove(QWidget* window) {
    if (!window) {
        return;
    }
    window = window->window();
    // Wayland lets only the compositor move a window, so there the system move is the one way.
    // Elsewhere (X11) the window follows the pointer itself: a window manager's move loop started
    // after a quick release never sees that release and keeps the window glued to the pointer.
    QWindow* handle = window->windowHandle();
    if (handle && QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
        handle->startSystemMove()) {
        return;
    }
    new PointerFollower(window);
}
