#include "platform/gui/Image.h"

#include <QByteArrayView>
#include <QImage>

Image::Image(std::unique_ptr<QImage> image) : m_image(std::move(image)) {}

Image::~Image() = default;

std::unique_ptr<Image> Image::FromPng(std::span<const std::uint8_t> bytes) {
    // Only PNG is a picture here: naming the format keeps other decoders from guessing.
    const QImage decoded = QImage::fromData(
        QByteArrayView(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
        "PNG");
    if (decoded.isNull()) {
        return std::unique_ptr<Image>(new Image(std::make_unique<QImage>()));
    }
    return std::unique_ptr<Image>(
        new Image(std::make_unique<QImage>(decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied))));
}

UINT Image::GetWidth() const {
    return static_cast<UINT>(m_image->width());
}

UINT Image::GetHeight() const {
    return static_cast<UINT>(m_image->height());
}
