#include "platform/gui/Image.h"

std::unique_ptr<Image> Image::FromPng(std::span<const std::uint8_t> bytes) {
    // Only PNG is a picture here: naming the format keeps other decoders from guessing.
    const QImage decoded = QImage::fromData(
        QByteArrayView(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
        "PNG");
    if (decoded.isNull()) {
        return std::unique_ptr<Image>(new Image(QImage()));
    }
    return std::unique_ptr<Image>(new Image(decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied)));
}
