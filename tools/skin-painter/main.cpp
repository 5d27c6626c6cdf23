// quellmark-skin-painter RESOURCES_DIR PREVIEW_PNG: draws the skin's pictures into RESOURCES_DIR
// and a preview of the assembled main window into PREVIEW_PNG.
#include "SkinPainter.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    // No window is shown: the offscreen platform is enough to lay out text.
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quellmark-skin-painter RESOURCES_DIR PREVIEW_PNG\n");
        return 2;
    }
    SkinPainter painter;
    if (!painter.WriteAll(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "quellmark-skin-painter: could not write every picture\n");
        return 1;
    }
    return 0;
}
