#pragma once

// The common base of the drawing objects (pens, brushes, fonts, bitmaps, regions). An object is
// empty until one of its Create operations succeeds, and becomes empty again through DeleteObject.
// A drawing context copies what it needs from a selected pen, brush or font at selection time, so
// changing or deleting an object later never reaches into a context that still lists it.

#include "platform/gui/WinTypes.h"

class CGdiObject {
public:
    // Handles: an object's handle is valid while the object lives and is created; a handle of an
    // object that was deleted or destroyed resolves to null, never to a dangling object.
    HGDIOBJ GetSafeHandle() const;
    static CGdiObject* FromHandle(HGDIOBJ handle);

    enum class Kind { Pen, Brush, Font, Bitmap, Region };

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    Kind GetKind() const { return m_kind; }
    // True once a Create operation has succeeded (the object "has a handle").
    virtual bool IsCreated() const = 0;
    virtual BOOL DeleteObject() = 0;

protected:
    explicit CGdiObject(Kind kind);

private:
    Kind m_kind;
};

// The handle of a stock object (BLACK_PEN, WHITE_PEN, NULL_PEN, WHITE_BRUSH, BLACK_BRUSH,
// NULL_BRUSH, SYSTEM_FONT, DEFAULT_GUI_FONT); null for any other id.
HGDIOBJ GetStockObject(int stockId);
