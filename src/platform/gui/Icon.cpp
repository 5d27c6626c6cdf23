#include "platform/gui/Icon.h"

#include "platform/gui/GuiHandles.h"

#include <QPixmap>
#include <map>

QIcon IconOf(HICON icon) {
    return icon ? icon->icon : QIcon();
}

HICON LoadIconResource(UINT id) {
    static std::map<UINT, HICON> shared;
    auto it = shared.find(id);
    if (it != shared.end()) {
        return it->second;
    }
    QPixmap pixmap(QStringLiteral(":/res/ICON/%1").arg(id));
    if (pixmap.isNull()) {
        return nullptr;
    }
    HICON icon = new HICON__{QIcon(pixmap)};
    shared.emplace(id, icon);
    return icon;
}
