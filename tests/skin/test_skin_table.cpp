// The string-table readers against the test table in data/test_strings.txt.
#include "platform/gui/Resources.h"
#include "skin/SkinTable.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <string>

namespace {

constexpr RECT kFallback{-7, -8, 9, 10};

struct RectCase {
    UINT id;
    const char* text;
    RECT expected;
};

void PrintTo(const RectCase& c, std::ostream* os) {
    *os << c.id << " \"" << c.text << "\"";
}

class LoadSkinRectTest : public ::testing::TestWithParam<RectCase> {};

TEST_P(LoadSkinRectTest, ReadsPositionAndSizeOrKeepsTheFallback) {
    const RectCase& c = GetParam();
    EXPECT_EQ(LoadSkinRect(c.id, kFallback), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LoadSkinRectTest,
    ::testing::Values(
        RectCase{3001, "630,3,27,18", {630, 3, 657, 21}}, RectCase{3002, "zero x", kFallback},
        RectCase{3003, "width 10001", kFallback}, RectCase{3004, "all 10000", {10000, 10000, 20000, 20000}},
        RectCase{3005, "three numbers", kFallback}, RectCase{3006, "space before a comma", kFallback},
        RectCase{3007, "spaces before numbers", {5, 10, 155, 34}}, RectCase{3008, "negative x", kFallback},
        RectCase{3009, "text after the fourth number", {5, 10, 155, 34}},
        RectCase{3010, "x beyond 32 bits", kFallback},
        RectCase{3011, "tab and line break before numbers", {5, 10, 155, 34}},
        RectCase{3012, "x that would wrap to 1", kFallback}, RectCase{3999, "absent", kFallback}));

struct IntCase {
    UINT id;
    const char* text;
    LONG expected;
};

void PrintTo(const IntCase& c, std::ostream* os) {
    *os << c.id << " \"" << c.text << "\"";
}

class LoadSkinIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(LoadSkinIntTest, ConvertsLikeAtoiWithSaturation) {
    const IntCase& c = GetParam();
    EXPECT_EQ(LoadSkinInt(c.id), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Entries, LoadSkinIntTest,
                         ::testing::Values(IntCase{3101, "43", 43}, IntCase{3102, "12px", 12},
                                           IntCase{3103, "Arial", 0}, IntCase{3104, "  -17", -17},
                                           IntCase{3105, "+8", 8},
                                           IntCase{3106, "99999999999", std::numeric_limits<LONG>::max()},
                                           IntCase{3107, "-99999999999", std::numeric_limits<LONG>::min()},
                                           IntCase{3108, "- 5", 0}, IntCase{3999, "absent", 0}));

struct ColorCase {
    UINT id;
    const char* text;
    COLORREF expected;
};

void PrintTo(const ColorCase& c, std::ostream* os) {
    *os << c.id << " \"" << c.text << "\"";
}

class LoadSkinColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(LoadSkinColorTest, PacksLowBytesAsBgr) {
    const ColorCase& c = GetParam();
    EXPECT_EQ(LoadSkinColor(c.id), c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Entries, LoadSkinColorTest,
                         ::testing::Values(ColorCase{3201, "0,0,0", 0x00000000},
                                           ColorCase{3202, "93,143,202", 0x00CA8F5D},
                                           ColorCase{3203, "256,0,-1", 0x00FF0000},
                                           ColorCase{3204, "10,20 (blue unread)", 0x0000140A},
                                           ColorCase{3205, "red (nothing read)", 0},
                                           ColorCase{3999, "absent", 0}));

struct FontCase {
    UINT key;
    LONG height;
    LONG weight;
    BYTE italic;
};

void PrintTo(const FontCase& c, std::ostream* os) {
    *os << "key " << c.key;
}

class MakeSkinFontTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(MakeSkinFontTest, FollowsTheFontTable) {
    const FontCase& c = GetParam();
    const LOGFONT font = MakeSkinFont(c.key);
    EXPECT_EQ(font.lfHeight, c.height);
    EXPECT_EQ(font.lfWeight, c.weight);
    EXPECT_EQ(font.lfItalic, c.italic);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfOrientation, 0);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    EXPECT_EQ(font.lfOutPrecision, 0);
    EXPECT_EQ(font.lfClipPrecision, 0);
    EXPECT_EQ(font.lfQuality, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0x20);
    EXPECT_EQ(font.lfFaceName[0], u'\0');
}

// Sizes in the test table: 1001 "0", 1002 "101", 1005 "10", 1023 "14", 1029 "22", 1030 "12",
// 1032 "11"; 1031 is absent.
INSTANTIATE_TEST_SUITE_P(Keys, MakeSkinFontTest,
                         ::testing::Values(FontCase{1025, 16, 700, 0}, // 12 pt
                                           FontCase{1003, 8, 700, 0},  // size 0
                                           FontCase{1004, 8, 400, 0},  // size 101
                                           FontCase{1006, 8, 400, 0},  // size entry absent
                                           FontCase{1022, 18, 700, 0}, // 14 pt
                                           FontCase{1024, 29, 400, 0}, // 22 pt
                                           FontCase{1026, 14, 400, 1}, // 11 pt, italic
                                           FontCase{1027, 14, 400, 0}, // same size, upright
                                           FontCase{9999, 13, 400, 0}  // not listed: entry 1005
                                           ));

TEST(LoadSkinText, ReturnsTheTextWithItsEscapesUndone) {
    EXPECT_EQ(LoadSkinText(3301), u"Tab\there, line\nbreak, back\\slash");
    EXPECT_EQ(LoadSkinText(3303), u"Unknown \\q escape");
}

TEST(LoadStringResource, TreatsEmptyAndMissingEntriesAsAbsent) {
    EXPECT_EQ(LoadStringResource(3302), u"");
    EXPECT_EQ(LoadStringResource(3999), u"");
    EXPECT_EQ(LoadStringResource(3101), u"43");
}

class LoadSkinTextDeathTest : public ::testing::Test {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        setenv("QUELLMARK_MESSAGE_BOX_LOG", "1", 1);
    }
};

TEST_F(LoadSkinTextDeathTest, AbsentEntryShowsTheErrorBoxAndExitsWithOne) {
    EXPECT_EXIT(LoadSkinText(250), ::testing::ExitedWithCode(1),
                "Error\\|Load String \\(250\\) Failed!\\|0\n");
}

TEST_F(LoadSkinTextDeathTest, EmptyEntryIsAbsentToo) {
    EXPECT_EXIT(LoadSkinText(3302), ::testing::ExitedWithCode(1),
                "Error\\|Load String \\(3302\\) Failed!\\|0\n");
}

} // namespace
