#include "platform/gui/CBitmap.h"

#include <QImage>

BOOL CBitmap::CreateCompatibleBitmap(CDC* /*dc*/, int width, int height) {
    // Every surface of this layer is premultiplied ARGB, whatever context it is meant for.
    if (m_image != nullptr || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return FALSE;
    }
    auto image = std::make_shared<QImage>(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image->isNull()) {
        return FALSE;
    }
    image->fill(Qt::transparent);
    m_image = std::move(image);
    return TRUE;
}

BOOL CBitmap::DeleteObject() {
    if (m_image == nullptr) {
        return FALSE;
    }
    m_image.reset();
    return TRUE;
}

SIZE CBitmap::GetSize() const {
    if (m_image == nullptr) {
        return {};
    }
    return {m_image->width(), m_image->height()};
}

CBitmap* CBitmap::FromHandle(HBITMAP handle) {
    CGdiObject* object = CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(handle));
    return object != nullptr && object->GetKind() == Kind::Bitmap ? static_cast<CBitmap*>(object) : nullptr;
}
