#pragma once

// Opens a menu as a tracked popup (no owner, TPM_RETURNCMD), presses keys in it and keeps a
// picture of the popup before the first key and after each one.

#include "platform/gui/CMenu.h"
#include "platform/gui/PopupMenuWidget.h"

#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <vector>

struct PopupCapture {
    std::vector<QImage> shots;
    std::vector<RECT> itemRects;
    UINT command = 0;
};

inline void PressKey(int key) {
    PopupMenuWidget* popup = PopupMenuWidget::Innermost();
    if (!popup) {
        return;
    }
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(popup, &press);
}

inline PopupCapture TrackAndCapture(CMenu& menu, const std::vector<int>& keys, bool escapeAtEnd = true) {
    PopupCapture capture;
    PopupMenuWidget::OnNextShowForTesting([&capture, &keys, escapeAtEnd] {
        PopupMenuWidget* popup = PopupMenuWidget::Innermost();
        for (int i = 0; popup->ItemRect(i).bottom > 0; ++i) {
            capture.itemRects.push_back(popup->ItemRect(i));
        }
        capture.shots.push_back(popup->Picture().copy());
        for (const int key : keys) {
            PressKey(key);
            if (PopupMenuWidget* open = PopupMenuWidget::Innermost(); open && open->isVisible()) {
                capture.shots.push_back(open->Picture().copy());
            }
        }
        if (escapeAtEnd) {
            PressKey(Qt::Key_Escape);
        }
    });
    capture.command = static_cast<UINT>(
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, 100, 100, nullptr));
    return capture;
}

inline COLORREF PixelAt(const QImage& image, int x, int y) {
    const QColor c = image.pixelColor(x, y);
    return RGB(static_cast<BYTE>(c.red()), static_cast<BYTE>(c.green()), static_cast<BYTE>(c.blue()));
}
