#pragma once

// 8-bit text at the platform and wire boundaries. Linux has no ANSI code page, so the system's
// 8-bit character set is UTF-8, and any byte that does not start a valid UTF-8 sequence is read
// as Windows-1252: every byte string decodes to something displayable and nothing here throws.
//
// Fixed-capacity fields count their terminator, as the tables that hold them do: a capacity of
// 20 stores at most 19 units and a NUL. A cut never splits a surrogate pair (UTF-16) or a
// multi-byte sequence (UTF-8).

#include <cstddef>
#include <string>
#include <string_view>

// Converts bytes to UTF-16 into dest (capacity units including the terminator, capacity >= 1).
// Returns the number of units written before the terminator.
std::size_t AnsiToUtf16(std::string_view bytes, char16_t* dest, std::size_t capacity);

// Converts bytes to UTF-16 without a bound.
std::u16string AnsiToUtf16(std::string_view bytes);

// Converts UTF-16 to 8-bit text (UTF-8) into dest (capacity bytes including the terminator,
// capacity >= 1). An unpaired surrogate becomes '?': there is no best-fit mapping. Returns the
// number of bytes written before the terminator.
std::size_t Utf16ToAnsi(std::u16string_view text, char* dest, std::size_t capacity);

// Converts UTF-16 to 8-bit text without a bound.
std::string Utf16ToAnsi(std::u16string_view text);

// Length of a NUL-terminated UTF-16 text held in a field of capacity units; a field without a
// terminator counts whole.
std::size_t FixedTextLength(const char16_t* text, std::size_t capacity);

template <std::size_t N> std::size_t AnsiToUtf16(std::string_view bytes, char16_t (&dest)[N]) {
    return AnsiToUtf16(bytes, dest, N);
}

template <std::size_t N> std::size_t Utf16ToAnsi(std::u16string_view text, char (&dest)[N]) {
    return Utf16ToAnsi(text, dest, N);
}

template <std::size_t N> std::u16string_view FixedText(const char16_t (&text)[N]) {
    return std::u16string_view(text, FixedTextLength(text, N));
}
