#pragma once

// The common base of the drawing objects (pens, brushes, fonts, bitmaps, regions). An object is
// empty until one of its Create operations succeeds, and becomes empty again through DeleteObject.
// A drawing context copies what it needs from a selected pen, brush or font at selection time, so
// changing or deleting an object later never reaches into a context that still lists it.

#include "platform/gui/WinTypes.h"

class CGdiObject {
public:
    enum class Kind { Pen, Brush, Font, Bitmap, Region };

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() = default;

    Kind GetKind() const { return m_kind; }
    // True once a Create operation has succeeded (the object "has a handle").
    virtual bool IsCreated() const = 0;
    virtual BOOL DeleteObject() = 0;

protected:
    explicit CGdiObject(Kind kind) : m_kind(kind) {}

private:
    Kind m_kind;
};
