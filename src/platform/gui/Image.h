#pragma once

// A decoded picture of the skin. It owns its pixels, independent of the bytes it was decoded from.
// The header names QImage only by declaration, so the layers above stay free of Qt.

#include "platform/gui/WinTypes.h"

#include <cstdint>
#include <memory>
#include <span>

class QImage;

class Image {
public:
    // Never null: bytes that are not a decodable PNG give an image of 0 x 0 pixels, which reports
    // that size and draws nothing.
    static std::unique_ptr<Image> FromPng(std::span<const std::uint8_t> bytes);

    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    UINT GetWidth() const;
    UINT GetHeight() const;

    // Premultiplied ARGB, the format the drawing code blends fastest. For the platform layer only.
    const QImage& qimage() const { return *m_image; }

private:
    explicit Image(std::unique_ptr<QImage> image);

    std::unique_ptr<QImage> m_image;
};
