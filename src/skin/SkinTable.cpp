#include "skin/SkinTable.h"

#include "platform/gui/MessageBox.h"
#include "platform/gui/Resources.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Reads one decimal number as the C library's "%d" conversion does: white space, one optional
// sign, at least one digit. The value saturates at the 32-bit range instead of wrapping, so an
// absurdly long number can never come out as a small, plausible one.
std::optional<LONG> ScanInt(std::u16string_view text, std::size_t& pos) {
    while (pos < text.size() && IsSpace(text[pos])) {
        ++pos;
    }
    std::size_t i = pos;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size() || !IsDigit(text[i])) {
        return std::nullopt;
    }
    constexpr std::int64_t kMax = std::numeric_limits<LONG>::max();
    constexpr std::int64_t kMin = std::numeric_limits<LONG>::min();
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude <= kMax + 1) {
            magnitude = magnitude * 10 + (text[i] - u'0');
        }
    }
    pos = i;
    if (negative) {
        return static_cast<LONG>(-magnitude < kMin ? kMin : -magnitude);
    }
    return static_cast<LONG>(magnitude > kMax ? kMax : magnitude);
}

// Reads "%d,%d,...": each comma must follow its number directly, white space may only stand
// before a number. Stops at the first mismatch; returns how many numbers were read.
template <std::size_t N> std::size_t ScanInts(std::u16string_view text, std::array<LONG, N>& values) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < N; ++n) {
        if (n > 0) {
            if (pos == text.size() || text[pos] != u',') {
                return n;
            }
            ++pos;
        }
        const std::optional<LONG> value = ScanInt(text, pos);
        if (!value) {
            return n;
        }
        values[n] = *value;
    }
    return N;
}

std::u16string ToU16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

struct FontRow {
    UINT key;
    UINT sizeEntry;
    LONG weight;
    bool italic;
};

// Keys not listed use the size entry 1005, weight 400, upright.
constexpr std::array<FontRow, 8> kFontTable{{
    {1003, 1001, FW_BOLD, false},
    {1004, 1002, FW_NORMAL, false},
    {1006, 1031, FW_NORMAL, false},
    {1022, 1023, FW_BOLD, false},
    {1024, 1029, FW_NORMAL, false},
    {1025, 1030, FW_BOLD, false},
    {1026, 1032, FW_NORMAL, true},
    {1027, 1032, FW_NORMAL, false},
}};
constexpr FontRow kDefaultFont{0, 1005, FW_NORMAL, false};

const FontRow& FindFont(UINT key) {
    for (const FontRow& row : kFontTable) {
        if (row.key == key) {
            return row;
        }
    }
    return kDefaultFont;
}

} // namespace

std::u16string LoadSkinText(UINT id) {
    std::u16string text = LoadStringResource(id);
    if (!text.empty()) {
        return text;
    }
    // A window without its captions would be unusable, so a missing one ends the program.
    MessageBoxW(nullptr, ToU16("Load String (" + std::to_string(id) + ") Failed!"), u"Error", 0);
    std::exit(1);
}

LONG LoadSkinInt(UINT id) {
    const std::u16string text = LoadStringResource(id);
    std::size_t pos = 0;
    return ScanInt(text, pos).value_or(0);
}

RECT LoadSkinRect(UINT id, const RECT& fallback) {
    const std::u16string text = LoadStringResource(id);
    std::array<LONG, 4> v{};
    if (ScanInts(text, v) != v.size()) {
        return fallback;
    }
    for (const LONG value : v) {
        if (value < 1 || value > 10000) {
            return fallback;
        }
    }
    const auto [x, y, w, h] = v;
    return RECT{x, y, x + w, y + h};
}

COLORREF LoadSkinColor(UINT id) {
    const std::u16string text = LoadStringResource(id);
    std::array<LONG, 3> rgb{};
    ScanInts(text, rgb);
    // Two's complement low byte: 256 gives 0, -1 gives 255.
    const auto low8 = [](LONG v) { return static_cast<BYTE>(static_cast<std::uint32_t>(v) & 0xFF); };
    return RGB(low8(rgb[0]), low8(rgb[1]), low8(rgb[2]));
}

LOGFONT MakeSkinFont(UINT key) {
    const FontRow& row = FindFont(key);
    const LONG points = LoadSkinInt(row.sizeEntry);
    LOGFONT font;
    // A positive height is matched against the cell height; 96 / 72 turns points into pixels.
    font.lfHeight = (points >= 1 && points <= 100) ? points * 96 / 72 : 8;
    font.lfWeight = row.weight;
    font.lfItalic = row.italic ? 1 : 0;
    font.lfCharSet = ANSI_CHARSET;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    return font;
}
