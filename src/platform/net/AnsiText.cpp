#include "platform/net/AnsiText.h"

#include <cstdint>

namespace {

// Windows-1252 for 0x80..0x9F; the five bytes the code page leaves undefined map to the C1
// control of the same value, as the platform's own converter does.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t Windows1252(std::uint8_t byte) {
    if (byte >= 0x80 && byte < 0xA0)
        return kWindows1252High[byte - 0x80];
    return byte;
}

// Decodes one valid UTF-8 sequence at bytes[pos]; returns its length, or 0 when the bytes there
// are not a valid, shortest-form sequence of a scalar value.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t pos, char32_t& out) {
    const auto b0 = static_cast<std::uint8_t>(bytes[pos]);
    if (b0 < 0x80) {
        out = b0;
        return 1;
    }
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        value = b0 & 0x1F;
        minimum = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        value = b0 & 0x0F;
        minimum = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        value = b0 & 0x07;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > bytes.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[pos + i]);
        if ((b & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    out = value;
    return length;
}

// Appends one code point as UTF-16 when it fits in room units; returns the units used (0 when
// it does not fit, so a pair is never split).
template <typename Sink> std::size_t PutUtf16(char32_t cp, std::size_t room, Sink&& put) {
    if (cp < 0x10000) {
        if (room < 1)
            return 0;
        put(static_cast<char16_t>(cp));
        return 1;
    }
    if (room < 2)
        return 0;
    cp -= 0x10000;
    put(static_cast<char16_t>(0xD800 + (cp >> 10)));
    put(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    return 2;
}

template <typename Sink> void DecodeAnsi(std::string_view bytes, std::size_t room, Sink&& put) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        char32_t cp = 0;
        std::size_t used = DecodeUtf8(bytes, pos, cp);
        if (used == 0) {
            cp = Windows1252(static_cast<std::uint8_t>(bytes[pos]));
            used = 1;
        }
        const std::size_t units = PutUtf16(cp, room, put);
        if (units == 0)
            return;
        room -= units;
        pos += used;
    }
}

// Reads one code point from UTF-16 at text[pos]; unpaired surrogates become '?'.
std::size_t ReadUtf16(std::u16string_view text, std::size_t pos, char32_t& out) {
    const char16_t u = text[pos];
    if (u >= 0xD800 && u <= 0xDBFF && pos + 1 < text.size()) {
        const char16_t low = text[pos + 1];
        if (low >= 0xDC00 && low <= 0xDFFF) {
            out = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00);
            return 2;
        }
    }
    out = (u >= 0xD800 && u <= 0xDFFF) ? U'?' : static_cast<char32_t>(u);
    return 1;
}

std::size_t EncodeUtf8(char32_t cp, char (&out)[4]) {
    if (cp < 0x80) {
        out[0] = static_cast<char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<char>(0xC0 | (cp >> 6));
        out[1] = static_cast<char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (cp >> 12));
        out[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (cp >> 18));
    out[1] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (cp & 0x3F));
    return 4;
}

template <typename Sink> void EncodeAnsi(std::u16string_view text, std::size_t room, Sink&& put) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = 0;
        const std::size_t used = ReadUtf16(text, pos, cp);
        char bytes[4];
        const std::size_t length = EncodeUtf8(cp, bytes);
        if (length > room)
            return;
        for (std::size_t i = 0; i < length; ++i)
            put(bytes[i]);
        room -= length;
        pos += used;
    }
}

} // namespace

std::size_t AnsiToUtf16(std::string_view bytes, char16_t* dest, std::size_t capacity) {
    if (capacity == 0)
        return 0;
    std::size_t written = 0;
    DecodeAnsi(bytes, capacity - 1, [&](char16_t u) { dest[written++] = u; });
    dest[written] = 0;
    return written;
}

std::u16string AnsiToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    DecodeAnsi(bytes, static_cast<std::size_t>(-1), [&](char16_t u) { out.push_back(u); });
    return out;
}

std::size_t Utf16ToAnsi(std::u16string_view text, char* dest, std::size_t capacity) {
    if (capacity == 0)
        return 0;
    std::size_t written = 0;
    EncodeAnsi(text, capacity - 1, [&](char c) { dest[written++] = c; });
    dest[written] = 0;
    return written;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    EncodeAnsi(text, static_cast<std::size_t>(-1), [&](char c) { out.push_back(c); });
    return out;
}

std::size_t FixedTextLength(const char16_t* text, std::size_t capacity) {
    std::size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return length;
}
