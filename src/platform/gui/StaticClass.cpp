#include "platform/gui/StaticClass.h"

#include "platform/gui/CWnd.h"
#include "platform/gui/FontMapping.h"
#include "platform/gui/WindowData.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

bool StaticClass::DefProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    switch (message) {
    case WM_PAINT:
        Paint(wnd);
        return true;
    case WM_ERASEBKGND:
        *result = TRUE; // the text stands on whatever lies behind the control
        return true;
    case WM_SETTEXT:
        *result = GenericDefWindowProc(wnd, message, wParam, lParam);
        wnd.Invalidate(TRUE);
        return true;
    case WM_NCHITTEST:
        *result = (wnd.GetStyle() & SS_NOTIFY) ? HTCLIENT : HTTRANSPARENT;
        return true;
    case WM_ENABLE:
        wnd.Invalidate(TRUE);
        return true;
    default:
        return false;
    }
}

void StaticClass::Paint(CWnd& wnd) {
    PAINTSTRUCT paint;
    wnd.BeginPaint(&paint);
    RECT client;
    wnd.GetClientRect(&client);
    DWORD style = wnd.GetStyle();
    int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
        break;
    case SS_RIGHT:
        flags = Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
        break;
    case SS_LEFTNOWORDWRAP:
        flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextExpandTabs;
        break;
    default:
        break;
    }
    if (style & SS_CENTERIMAGE) {
        flags = (flags & ~(Qt::AlignTop | Qt::TextWordWrap)) | Qt::AlignVCenter | Qt::TextSingleLine;
    }
    QImage& surface = wnd.Surface();
    if (!surface.isNull()) {
        QPainter painter(&surface);
        painter.setFont(FontForHandle(wnd.GetFont()));
        QPalette::ColorGroup group = wnd.IsWindowEnabled() ? QPalette::Active : QPalette::Disabled;
        painter.setPen(QApplication::palette().color(group, QPalette::WindowText));
        painter.drawText(QRect(0, 0, client.right, client.bottom), flags,
                         QString::fromStdU16String(wnd.GetWindowText()));
    }
    wnd.EndPaint(&paint);
}
