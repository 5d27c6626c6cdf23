#include "platform/gui/CPen.h"

CPen::CPen(int style, int width, COLORREF color) : CGdiObject(Kind::Pen) {
    CreatePen(style, width, color);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    if (m_created) {
        return FALSE;
    }
    if (style != PS_SOLID && style != PS_DASH && style != PS_DOT && style != PS_NULL) {
        return FALSE;
    }
    m_style = style;
    m_width = width < 0 ? 0 : width;
    m_color = color & 0x00FFFFFF;
    m_created = true;
    return TRUE;
}

BOOL CPen::DeleteObject() {
    if (!m_created) {
        return FALSE;
    }
    m_created = false;
    return TRUE;
}

CPen* CPen::FromStock(int stockId) {
    static CPen blackPen(PS_SOLID, 0, RGB(0, 0, 0));
    static CPen whitePen(PS_SOLID, 0, RGB(255, 255, 255));
    static CPen nullPen(PS_NULL, 0, 0);
    switch (stockId) {
    case BLACK_PEN:
        return &blackPen;
    case WHITE_PEN:
        return &whitePen;
    case NULL_PEN:
        return &nullPen;
    default:
        return nullptr;
    }
}

CPen* CPen::FromHandle(HPEN handle) {
    CGdiObject* object = CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(handle));
    return object != nullptr && object->GetKind() == Kind::Pen ? static_cast<CPen*>(object) : nullptr;
}
