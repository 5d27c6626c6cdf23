#include "ui/controls/LabelLayout.h"

#include <algorithm>
#include <cstdint>

namespace LabelLayout {

namespace {

constexpr DWORD kAlignmentMask = 0x1F;
constexpr int kMaxGradientBands = 100;
constexpr int kReferenceDpi = 96;

bool HasCrLf(std::u16string_view text) {
    return text.find(u"\r\n") != std::u16string_view::npos;
}

} // namespace

UINT TextFormat(DWORD style, std::u16string_view text) {
    if (style & SS_CENTERIMAGE) {
        // Vertical centring only works on one line; a text with explicit line breaks is centred
        // horizontally and keeps its lines.
        return HasCrLf(text) ? DT_CENTER : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    }
    UINT format = DT_WORDBREAK;
    switch (style & kAlignmentMask) {
    case SS_CENTER:
        format = DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format = DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_LEFTNOWORDWRAP:
        format = DT_LEFT;
        break;
    default:
        break;
    }
    if (!text.empty() && text.find(u'\t') != std::u16string_view::npos) {
        format |= DT_EXPANDTABS;
    }
    return format;
}

std::vector<GradientBand> GradientBands(const RECT& area, COLORREF left, COLORREF right) {
    std::vector<GradientBand> bands;
    const int width = area.right - area.left;
    const int count = std::min(width, kMaxGradientBands);
    if (count <= 0 || area.bottom <= area.top) {
        return bands;
    }
    const int bandWidth = width / count;
    // Colour channels are carried with 8 fractional bits so that small per-band steps add up.
    const int stepR = ((GetRValue(right) - GetRValue(left)) * 256) / count;
    const int stepG = ((GetGValue(right) - GetGValue(left)) * 256) / count;
    const int stepB = ((GetBValue(right) - GetBValue(left)) * 256) / count;
    int r = GetRValue(left) * 256;
    int g = GetGValue(left) * 256;
    int b = GetBValue(left) * 256;
    bands.reserve(static_cast<std::size_t>(count));
    int x = area.left;
    for (int i = 0; i < count; ++i) {
        const int xEnd = i == count - 1 ? area.right : x + bandWidth;
        bands.push_back(
            {RECT{x, area.top, xEnd, area.bottom},
             RGB(static_cast<BYTE>(r / 256), static_cast<BYTE>(g / 256), static_cast<BYTE>(b / 256))});
        r += stepR;
        g += stepG;
        b += stepB;
        x = xEnd;
    }
    return bands;
}

int PointSizeToTenths(int points, int dpiX) {
    if (dpiX <= 0) {
        dpiX = kReferenceDpi;
    }
    return static_cast<int>((static_cast<std::int64_t>(kReferenceDpi) * 10 * points) / dpiX);
}

LONG PointSizeToHeight(int points, int dpiX, int dpiY) {
    const std::int64_t tenths = PointSizeToTenths(points, dpiX);
    const std::int64_t product = tenths * dpiY;
    // Rounded to the nearest pixel, halves away from zero.
    const std::int64_t pixels = product >= 0 ? (product + 360) / 720 : -((-product + 360) / 720);
    return static_cast<LONG>(-pixels);
}

} // namespace LabelLayout
