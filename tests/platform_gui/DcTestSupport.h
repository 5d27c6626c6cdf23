#pragma once

// Helpers shared by the drawing-context tests: an off-screen context over a bitmap, pixel reads
// and the box of pixels a drawing changed.

#include "platform/gui/CBitmap.h"
#include "platform/gui/CDC.h"
#include "platform/gui/Image.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <memory>
#include <vector>

namespace dctest {

// A memory context with a width x height bitmap, filled with an opaque background colour.
struct OffscreenDC {
    OffscreenDC(int width, int height, COLORREF background = RGB(255, 255, 255)) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, background);
    }

    // Unpremultiplied ARGB of one pixel.
    QRgb At(int x, int y) const { return dc.Surface()->pixelColor(x, y).rgba(); }
    const QImage& Pixels() const { return *dc.Surface(); }

    CDC dc;
    CBitmap bitmap;
};

inline QRgb Opaque(COLORREF color) {
    return qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
}

// The bounding box of the pixels that differ from the colour background; empty if none do.
inline QRect InkBox(const QImage& image, QRgb background) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgba() != background) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

inline std::vector<std::uint8_t> EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

inline std::unique_ptr<Image> MakeImage(const QImage& image) {
    const std::vector<std::uint8_t> png = EncodePng(image);
    return Image::FromPng(png);
}

} // namespace dctest
