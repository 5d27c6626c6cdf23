#pragma once

// A decoded picture of the skin. It owns its pixels, independent of the bytes it was decoded from.

#include "platform/gui/WinTypes.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <span>

class Image {
public:
    // Never null: bytes that are not a decodable PNG give an image of 0 x 0 pixels, which reports
    // that size and draws nothing.
    static std::unique_ptr<Image> FromPng(std::span<const std::uint8_t> bytes);

    UINT GetWidth() const { return static_cast<UINT>(m_image.width()); }
    UINT GetHeight() const { return static_cast<UINT>(m_image.height()); }

    // Premultiplied ARGB, the format the drawing code blends fastest. For the platform layer only.
    const QImage& qimage() const { return m_image; }

private:
    explicit Image(QImage image) : m_image(std::move(image)) {}

    QImage m_image;
};
