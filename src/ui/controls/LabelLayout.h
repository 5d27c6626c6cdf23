#pragma once

// The arithmetic of the label: text layout flags from the static control's style, the bands of the
// horizontal gradient fill, and the point-size conversion that keeps a size in points at the same
// pixel height on every screen. Kept apart from the window so that it can be checked on its own.

#include "platform/gui/WinTypes.h"

#include <string_view>
#include <vector>

namespace LabelLayout {

// DrawText flags for the label's text under the given static style.
UINT TextFormat(DWORD style, std::u16string_view text);

struct GradientBand {
    RECT rect; // the pixels the band covers (right and bottom exclusive)
    COLORREF colour = 0;
};

// At most 100 bands from `left` (colour at the left edge) towards `right`, over `area`; the last band
// reaches the right edge. An empty or inverted area gives no band.
std::vector<GradientBand> GradientBands(const RECT& area, COLORREF left, COLORREF right);

// The description height (character height in pixels, negative) of `points` points, rendered so
// that it is the height those points have at 96 dots per inch whatever the screen's resolution:
// the size is first scaled by 96 / dpiX into tenths of a point, then converted at dpiY.
LONG PointSizeToHeight(int points, int dpiX, int dpiY);
// The first step alone: tenths of a point that give `points` points' 96-dpi height at dpiX.
int PointSizeToTenths(int points, int dpiX);

} // namespace LabelLayout
