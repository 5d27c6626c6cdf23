#include "platform/gui/FontMapping.h"

#include "platform/gui/CFont.h"
#include "platform/gui/GdiTypes.h"

#include <QApplication>

QFont FontForHandle(HFONT font) {
    CFont* object = CFont::FromHandle(font);
    if (!object) {
        object = CFont::FromStock(SYSTEM_FONT);
    }
    if (object && object->qfont()) {
        return *object->qfont();
    }
    return QApplication::font();
}
