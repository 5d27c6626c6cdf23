#pragma once

// What the handles of icons and cursors stand for inside the platform layer, and how the
// layer's Qt code reads them. Internal to src/platform/gui (the tray and menu code may use it).

#include "platform/gui/WinTypes.h"

#include <QCursor>
#include <QIcon>

struct HICON__ {
    QIcon icon;
};

struct HCURSOR__ {
    QCursor cursor;
};

QIcon IconOf(HICON icon);
// The widget whose cursor SetCursor changes (the one under the pointer, set while WM_SETCURSOR
// is being dispatched).
void SetCursorTarget(QWidget* widget);
