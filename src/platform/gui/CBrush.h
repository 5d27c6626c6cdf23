#pragma once

// A brush: the fill of FillRect, FrameRect, Rectangle and Ellipse. Solid or null (hollow).

#include "platform/gui/CGdiObject.h"
#include "platform/gui/GdiTypes.h"

class CBrush : public CGdiObject {
public:
    CBrush() : CGdiObject(Kind::Brush) {}
    explicit CBrush(COLORREF color);

    BOOL CreateSolidBrush(COLORREF color);
    // A solid brush of the system colour's current value (GetSysColor).
    BOOL CreateSysColorBrush(int index);
    HBRUSH GetSafeHandle() const { return reinterpret_cast<HBRUSH>(CGdiObject::GetSafeHandle()); }
    operator HBRUSH() const { return GetSafeHandle(); }
    // The object of a handle, null when the handle names no living brush.
    static CBrush* FromHandle(HBRUSH handle);
    bool IsCreated() const override { return m_created; }
    BOOL DeleteObject() override;

    // Fills *logBrush; returns the size written, 0 for an empty brush.
    int GetLogBrush(LOGBRUSH* logBrush) const;
    bool IsNull() const { return m_style == BS_NULL; }
    COLORREF GetColor() const { return m_color; }

    // The process-wide stock brushes (WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH); null for any other id.
    static CBrush* FromStock(int stockId);

private:
    friend CBrush* GetSysColorBrush(int index);
    CBrush(UINT style, COLORREF color);

    bool m_created = false;
    UINT m_style = BS_SOLID;
    COLORREF m_color = 0;
};
