#pragma once

// A pen: the outline of Rectangle and Ellipse and the stroke of LineTo. Width 0 draws one pixel.

#include "platform/gui/CGdiObject.h"
#include "platform/gui/GdiTypes.h"

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int style, int width, COLORREF color);

    BOOL CreatePen(int style, int width, COLORREF color);
    HPEN GetSafeHandle() const { return reinterpret_cast<HPEN>(CGdiObject::GetSafeHandle()); }
    operator HPEN() const { return GetSafeHandle(); }
    // The object of a handle, null when the handle names no living pen.
    static CPen* FromHandle(HPEN handle);
    bool IsCreated() const override { return m_created; }
    BOOL DeleteObject() override;

    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }
    COLORREF GetColor() const { return m_color; }

    // The process-wide stock pens (BLACK_PEN, WHITE_PEN, NULL_PEN); null for any other id.
    static CPen* FromStock(int stockId);

private:
    bool m_created = false;
    int m_style = PS_SOLID;
    int m_width = 0;
    COLORREF m_color = 0;
};
