// The yardstick of the start-up measurements: a bare Qt Widgets program that shows one frameless
// window of the main window's size, centred, and then idles. Its title is "Bare Window".
#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Bare Window"));
    window.resize(665, 520);
    const QRect area = app.primaryScreen()->availableGeometry();
    window.move(area.x() + (area.width() - 665) / 2, area.y() + (area.height() - 520) / 2);
    window.show();
    return app.exec();
}
