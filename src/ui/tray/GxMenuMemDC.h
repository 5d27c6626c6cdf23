#pragma once

// An off-screen drawing context for one rectangle of another context. Drawing uses the target's
// coordinates; when the object goes, the rectangle is copied onto the target in one operation,
// so a composed item never shows half drawn.

#include "platform/gui/CBitmap.h"
#include "platform/gui/CDC.h"

class GxMenuMemDC : public CDC {
public:
    GxMenuMemDC(CDC* target, const RECT& rect);
    ~GxMenuMemDC() override;
    GxMenuMemDC(const GxMenuMemDC&) = delete;
    GxMenuMemDC& operator=(const GxMenuMemDC&) = delete;

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_target = nullptr;
    RECT m_rect;
    // There are no printer contexts here, so the context is always off screen when it could be
    // made; false only when the bitmap could not be (then drawing goes nowhere).
    bool m_isOffScreen = false;
};
