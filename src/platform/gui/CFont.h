#pragma once

// A font made from a logical font description. Heights are pixels: a positive height is the cell
// height (ascent + descent), a negative one the character height (the em size). An empty face
// name picks the desktop's face of the requested family; for the Swiss family that is
// "Liberation Sans" when installed, whose metrics match the face the skin's layout was made for.

#include "platform/gui/CGdiObject.h"
#include "platform/gui/GdiTypes.h"

#include <memory>
#include <string_view>

class CDC;
class QFont;

class CFont : public CGdiObject {
public:
    CFont() : CGdiObject(Kind::Font) {}

    BOOL CreateFontIndirect(const LOGFONT* logFont);
    // pointTenths: the size in tenths of a point, converted at the context's vertical resolution
    // (the display's when dc is null): height = -MulDiv(pointTenths, LOGPIXELSY, 720).
    BOOL CreatePointFont(int pointTenths, std::u16string_view faceName, CDC* dc = nullptr);
    // As CreatePointFont, with the description's lfHeight read as tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc = nullptr);
    // SYSTEM_FONT and DEFAULT_GUI_FONT: the system font (the desktop's sans-serif at 8 points).
    BOOL CreateStockObject(int stockId);
    HFONT GetSafeHandle() const { return reinterpret_cast<HFONT>(CGdiObject::GetSafeHandle()); }
    operator HFONT() const { return GetSafeHandle(); }
    // The object of a handle, null when the handle names no living font.
    static CFont* FromHandle(HFONT handle);
    bool IsCreated() const override { return m_font != nullptr; }
    BOOL DeleteObject() override;

    // Writes the description the font was made from; returns its size, 0 for an empty font.
    int GetLogFont(LOGFONT* logFont) const;

    // The process-wide system font (SYSTEM_FONT, DEFAULT_GUI_FONT); null for any other id.
    static CFont* FromStock(int stockId);

    // For the platform layer's drawing code: the Qt font this one resolved to.
    std::shared_ptr<const QFont> qfont() const { return m_font; }

private:
    LOGFONT m_logFont{};
    std::shared_ptr<const QFont> m_font;
};
