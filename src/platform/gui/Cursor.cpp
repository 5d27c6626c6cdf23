#include "platform/gui/Cursor.h"

#include "platform/gui/GuiHandles.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <map>

namespace {

QPointer<QWidget> g_cursorTarget;
HCURSOR g_current = nullptr;

QPoint ReadHotSpot(UINT id) {
    QFile file(QStringLiteral(":/res/CURSOR/%1.hotspot").arg(id));
    if (!file.open(QIODevice::ReadOnly)) {
        return QPoint(0, 0);
    }
    QList<QByteArray> parts = file.readAll().trimmed().split(',');
    if (parts.size() != 2) {
        return QPoint(0, 0);
    }
    return QPoint(parts[0].trimmed().toInt(), parts[1].trimmed().toInt());
}

} // namespace

void SetCursorTarget(QWidget* widget) {
    g_cursorTarget = widget;
}

HCURSOR LoadCursorResource(UINT id) {
    QImage image(QStringLiteral(":/res/CURSOR/%1").arg(id));
    if (image.isNull()) {
        return nullptr;
    }
    QPoint hotSpot = ReadHotSpot(id);
    return new HCURSOR__{QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y())};
}

HCURSOR LoadStandardCursor(UINT idc) {
    static std::map<UINT, HCURSOR> shared;
    auto it = shared.find(idc);
    if (it != shared.end()) {
        return it->second;
    }
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (idc) {
    case IDC_HAND:
        shape = Qt::PointingHandCursor;
        break;
    case IDC_IBEAM:
        shape = Qt::IBeamCursor;
        break;
    case IDC_WAIT:
        shape = Qt::WaitCursor;
        break;
    default:
        break;
    }
    HCURSOR cursor = new HCURSOR__{QCursor(shape)};
    shared.emplace(idc, cursor);
    return cursor;
}

BOOL DestroyCursor(HCURSOR cursor) {
    if (!cursor) {
        return FALSE;
    }
    if (g_current == cursor) {
        g_current = nullptr;
    }
    delete cursor;
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = g_current;
    g_current = cursor;
    if (g_cursorTarget) {
        if (cursor) {
            g_cursorTarget->setCursor(cursor->cursor);
        } else {
            g_cursorTarget->setCursor(Qt::BlankCursor);
        }
    }
    return previous;
}

HCURSOR GetCursor() {
    return g_current;
}

BOOL SetCursorPos(int x, int y) {
    QCursor::setPos(x, y);
    return TRUE;
}
