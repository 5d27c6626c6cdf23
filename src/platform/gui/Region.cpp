#include "platform/gui/Region.h"

#include "platform/gui/GuiHandles.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>

QRegion RegionOf(HRGN region) {
    return region ? region->region : QRegion();
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return new HRGN__{QRegion(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)))};
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    int width = right - left;
    int height = bottom - top;
    if (width <= 0 || height <= 0) {
        return new HRGN__{};
    }
    // Rasterised without anti-aliasing into a mask, so the region is a set of whole pixels.
    QImage mask(width, height, QImage::Format_ARGB32);
    mask.fill(Qt::transparent);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, width, height), ellipseWidth / 2.0, ellipseHeight / 2.0);
        painter.drawPath(path);
    }
    QRegion region(QBitmap::fromImage(mask.createAlphaMask()));
    region.translate(left, top);
    return new HRGN__{region};
}

BOOL DeleteRgn(HRGN region) {
    if (!region) {
        return FALSE;
    }
    delete region;
    return TRUE;
}

BOOL PtInRegion(HRGN region, int x, int y) {
    return region && region->region.contains(QPoint(x, y)) ? TRUE : FALSE;
}

BOOL GetRgnBox(HRGN region, RECT* box) {
    if (!region || !box) {
        return FALSE;
    }
    QRect r = region->region.boundingRect();
    *box = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return TRUE;
}
