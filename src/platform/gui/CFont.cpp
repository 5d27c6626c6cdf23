#include "platform/gui/CFont.h"

#include "platform/gui/CDC.h"
#include "platform/gui/FontMapper.h"
#include "platform/gui/SystemMetrics.h"

#include <algorithm>

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) {
    if (m_font != nullptr || logFont == nullptr) {
        return FALSE;
    }
    m_logFont = *logFont;
    m_font = std::make_shared<const QFont>(FontMapper::ToQFont(m_logFont));
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointTenths, std::u16string_view faceName, CDC* dc) {
    LOGFONT logFont;
    logFont.lfHeight = pointTenths;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    const std::size_t length = std::min<std::size_t>(faceName.size(), LF_FACESIZE - 1);
    std::copy_n(faceName.begin(), length, logFont.lfFaceName);
    return CreatePointFontIndirect(&logFont, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc) {
    if (logFont == nullptr) {
        return FALSE;
    }
    const int dpiY = dc != nullptr ? dc->GetDeviceCaps(LOGPIXELSY) : DisplayDevice::LogPixelsY();
    LOGFONT sized = *logFont;
    const int pixels = MulDiv(logFont->lfHeight, dpiY, 720);
    sized.lfHeight = pixels < 0 ? pixels : -pixels;
    return CreateFontIndirect(&sized);
}

BOOL CFont::CreateStockObject(int stockId) {
    if (stockId != SYSTEM_FONT && stockId != DEFAULT_GUI_FONT) {
        return FALSE;
    }
    const LOGFONT system = FontMapper::SystemLogFont();
    return CreateFontIndirect(&system);
}

BOOL CFont::DeleteObject() {
    if (m_font == nullptr) {
        return FALSE;
    }
    m_font.reset();
    m_logFont = LOGFONT{};
    return TRUE;
}

int CFont::GetLogFont(LOGFONT* logFont) const {
    if (m_font == nullptr || logFont == nullptr) {
        return 0;
    }
    *logFont = m_logFont;
    return static_cast<int>(sizeof(LOGFONT));
}

CFont* CFont::FromStock(int stockId) {
    if (stockId != SYSTEM_FONT && stockId != DEFAULT_GUI_FONT) {
        return nullptr;
    }
    static CFont systemFont;
    if (!systemFont.IsCreated()) {
        systemFont.CreateStockObject(SYSTEM_FONT);
    }
    return &systemFont;
}

CFont* CFont::FromHandle(HFONT handle) {
    CGdiObject* object = CGdiObject::FromHandle(reinterpret_cast<HGDIOBJ>(handle));
    return object != nullptr && object->GetKind() == Kind::Font ? static_cast<CFont*>(object) : nullptr;
}
