#include "platform/net/AnsiText.h"

#include <gtest/gtest.h>

namespace {

struct DecodeCase {
    const char* name;
    std::string bytes;
    std::u16string expected;
};

class AnsiDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(AnsiDecode, GivesTheExpectedUtf16) {
    EXPECT_EQ(AnsiToUtf16(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnsiDecode,
    testing::Values(DecodeCase{"Ascii", "Model A Wireless", u"Model A Wireless"},
                    DecodeCase{"Utf8",
                               "K\xC3\xBC"
                               "che \xE2\x82\xAC",
                               u"K\u00FCche \u20AC"},
                    DecodeCase{"Utf8Astral", "\xF0\x9F\x94\x8C", u"\U0001F50C"},
                    // Bytes that are no UTF-8 read as Windows-1252, also in the middle of UTF-8.
                    DecodeCase{"Latin1Byte",
                               "K\xFC"
                               "che",
                               u"K\u00FCche"},
                    DecodeCase{"Windows1252High", "\x80\x93\x9F", u"\u20AC\u201C\u0178"},
                    DecodeCase{"UndefinedWindows1252", "\x81\x8D", u"\u0081\u008D"},
                    DecodeCase{"Mixed", "\xC3\xA9\xE9", u"\u00E9\u00E9"},
                    DecodeCase{"TruncatedSequence", "a\xE2\x82", u"a\u00E2\u201A"},
                    DecodeCase{"OverlongSlash", "\xC0\xAF", u"\u00C0\u00AF"},
                    DecodeCase{"EncodedSurrogate", "\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},
                    DecodeCase{"Empty", "", u""}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(AnsiText, EveryByteStringDecodesWithoutThrowing) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string text = AnsiToUtf16(all);
    EXPECT_EQ(text.size(), 255u); // every byte is one character of its own here
}

TEST(AnsiText, FixedFieldIsCutToCapacityMinusTerminator) {
    char16_t field[20];
    std::fill(std::begin(field), std::end(field), u'#');
    EXPECT_EQ(AnsiToUtf16(std::string(30, 'x'), field), 19u);
    EXPECT_EQ(FixedText(field), std::u16string(19, u'x'));
    EXPECT_EQ(field[19], 0);
}

TEST(AnsiText, CutNeverSplitsASurrogatePair) {
    char16_t field[4];
    // "ab" then an astral character needing two units: only one unit is left, so it is dropped.
    EXPECT_EQ(AnsiToUtf16("ab\xF0\x9F\x94\x8C", field), 2u);
    EXPECT_EQ(FixedText(field), u"ab");
    EXPECT_EQ(AnsiToUtf16("a\xF0\x9F\x94\x8C", field), 3u);
    EXPECT_EQ(FixedText(field), u"a\U0001F50C");
}

TEST(AnsiText, EncodesUtf16AsUtf8WithinCapacity) {
    char bytes[16];
    EXPECT_EQ(Utf16ToAnsi(u"192.168.1.10", bytes), 12u);
    EXPECT_STREQ(bytes, "192.168.1.10");
    EXPECT_EQ(Utf16ToAnsi(u"255.255.255.255!", bytes), 15u); // 16 units do not fit 16 bytes
    EXPECT_STREQ(bytes, "255.255.255.255");
    // No best-fit mapping: a lone surrogate becomes '?', and a cut does not split a sequence.
    EXPECT_EQ(Utf16ToAnsi(std::u16string(1, char16_t(0xD800)) + u"x"), "?x");
    char small[4];
    EXPECT_EQ(Utf16ToAnsi(u"a\u20AC", small), 1u);
    EXPECT_STREQ(small, "a");
}

TEST(AnsiText, FixedTextStopsAtTerminatorOrCapacity) {
    const char16_t full[3] = {u'a', u'b', u'c'};
    EXPECT_EQ(FixedText(full), u"abc");
    const char16_t shortText[3] = {u'a', 0, u'c'};
    EXPECT_EQ(FixedText(shortText), u"a");
}

} // namespace
