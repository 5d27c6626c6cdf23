#pragma once

// Turns logical font descriptions into Qt fonts. Platform layer only.

#include "platform/gui/GdiTypes.h"

#include <QFont>
#include <QString>

class FontMapper {
public:
    static QFont ToQFont(const LOGFONT& logFont);
    // The family an empty or unknown face of the description's family resolves to.
    static QString FamilyFor(const LOGFONT& logFont);
    // The system font: the desktop's sans-serif face, 8 points at 96 dpi (11 pixels em size).
    static LOGFONT SystemLogFont();

private:
    static QFont Resolve(const LOGFONT& logFont);
    static int EmPixelsForCellHeight(const QFont& font, int cellHeight);
};
