#include "platform/gui/CBrush.h"

#include "platform/gui/SystemMetrics.h"

CBrush::CBrush(COLORREF color) : CGdiObject(Kind::Brush) {
    CreateSolidBrush(color);
}

CBrush::CBrush(UINT style, COLORREF color)
    : CGdiObject(Kind::Brush), m_created(true), m_style(style), m_color(color & 0x00FFFFFF) {}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    if (m_created) {
        return FALSE;
    }
    m_style = BS_SOLID;
    m_color = color & 0x00FFFFFF;
    m_created = true;
    return TRUE;
}

BOOL CBrush::CreateSysColorBrush(int index) {
    return CreateSolidBrush(GetSysColor(index));
}

BOOL CBrush::DeleteObject() {
    if (!m_created) {
        return FALSE;
    }
    m_created = false;
    return TRUE;
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const {
    if (!m_created || logBrush == nullptr) {
        return 0;
    }
    logBrush->lbStyle = m_style;
    logBrush->lbColor = m_style == BS_NULL ? 0 : m_color;
    logBrush->lbHatch = 0;
    return static_cast<int>(sizeof(LOGBRUSH));
}

CBrush* CBrush::FromStock(int stockId) {
    static CBrush whiteBrush(RGB(255, 255, 255));
    static CBrush blackBrush(RGB(0, 0, 0));
    static CBrush nullBrush(BS_NULL, 0);
    switch (stockId) {
    case WHITE_BRUSH:
        return &whiteBrush;
    case BLACK_BRUSH:
        return &blackBrush;
    case NULL_BRUSH:
        return &nullBrush;
    default:
        return nullptr;
    }
}

CBrush* CBrush::FromHandle(HBRUSH handle) {
    CGdiObject* object = CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(handle));
    return object != nullptr && object->GetKind() == Kind::Brush ? static_cast<CBrush*>(object) : nullptr;
}
