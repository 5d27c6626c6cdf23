#include "platform/gui/FontMapping.h"

#include <QApplication>

QFont FontForHandle(HFONT) {
    return QApplication::font();
}
