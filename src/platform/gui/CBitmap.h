#pragma once

// An off-screen picture: premultiplied ARGB pixels, transparent until something is drawn. Select
// it into a memory context (CDC::CreateCompatibleDC) to draw on it or copy from it.

#include "platform/gui/CGdiObject.h"
#include "platform/gui/GdiTypes.h"

#include <memory>

class CDC;
class QImage;

class CBitmap : public CGdiObject {
public:
    // Sides above this are refused rather than allocated.
    static constexpr int kMaxSide = 16384;

    CBitmap() : CGdiObject(Kind::Bitmap) {}

    // A width x height bitmap for drawing like dc does (dc may be null: the display). Fails for
    // an empty or oversized request.
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    HBITMAP GetSafeHandle() const { return reinterpret_cast<HBITMAP>(CGdiObject::GetSafeHandle()); }
    operator HBITMAP() const { return GetSafeHandle(); }
    // The object of a handle, null when the handle names no living bitmap.
    static CBitmap* FromHandle(HBITMAP handle);
    bool IsCreated() const override { return m_image != nullptr; }
    BOOL DeleteObject() override;

    SIZE GetSize() const;

    // For the platform layer's drawing code: the pixels, shared with the contexts that select it.
    std::shared_ptr<QImage> qimage() const { return m_image; }

private:
    std::shared_ptr<QImage> m_image;
};
