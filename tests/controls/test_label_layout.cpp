// The label's layout rules without a window: style flags, gradient bands, point sizes.
#include "ui/controls/LabelLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(LabelTextFormat, FromStyleAndText) {
    struct Case {
        DWORD style;
        std::u16string_view text;
        UINT expected;
    };
    const Case cases[] = {
        {SS_LEFT, u"Model", DT_WORDBREAK},
        {SS_CENTER, u"Model", DT_CENTER | DT_WORDBREAK},
        {SS_RIGHT, u"Model", DT_RIGHT | DT_WORDBREAK},
        {SS_LEFTNOWORDWRAP, u"Model", 0},
        {WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_RIGHT, u"Model", 0x12},
        {0x0B, u"Model", DT_WORDBREAK}, // another static type: left with wrap
        {SS_LEFT, u"a\tb", DT_WORDBREAK | DT_EXPANDTABS},
        {SS_LEFTNOWORDWRAP, u"a\tb", DT_EXPANDTABS},
        {SS_CENTER, u"", DT_CENTER | DT_WORDBREAK},
        // Centre-image replaces everything, tab expansion included.
        {SS_CENTERIMAGE, u"one line", DT_CENTER | DT_VCENTER | DT_SINGLELINE},
        {SS_CENTERIMAGE | SS_RIGHT, u"a\tb", 0x25},
        {SS_CENTERIMAGE, u"one\r\ntwo", DT_CENTER},
        {SS_CENTERIMAGE, u"one\ntwo", 0x25}, // a lone line feed is no line pair
        {SS_CENTERIMAGE, u"one\r\n\ttwo", DT_CENTER},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LabelLayout::TextFormat(c.style, c.text), c.expected) << "style " << std::hex << c.style;
    }
}

TEST(GradientBands, FortyPixelsGiveFortyOnePixelBands) {
    const auto bands = LabelLayout::GradientBands({10, 0, 50, 8}, RGB(0, 0, 0), RGB(200, 100, 40));
    ASSERT_EQ(bands.size(), 40u);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        EXPECT_EQ(bands[i].rect, (RECT{10 + LONG(i), 0, 11 + LONG(i), 8})) << i;
    }
    EXPECT_EQ(bands.front().colour, RGB(0, 0, 0));
    // 200 * 256 / 40 = 1280 per band: exactly 5 levels of red per band.
    EXPECT_EQ(bands[1].colour, RGB(5, 2, 1));
    EXPECT_EQ(bands.back().colour, RGB(195, 97, 39));
}

TEST(GradientBands, WideLabelsGetAHundredBandsReachingTheRightEdge) {
    const auto bands = LabelLayout::GradientBands({0, 0, 250, 20}, RGB(255, 0, 0), RGB(0, 0, 255));
    ASSERT_EQ(bands.size(), 100u);
    for (std::size_t i = 0; i + 1 < bands.size(); ++i) {
        EXPECT_EQ(bands[i].rect.Width(), 2) << i;
        EXPECT_EQ(bands[i].rect.right, bands[i + 1].rect.left) << i;
    }
    EXPECT_EQ(bands.back().rect, (RECT{198, 0, 250, 20}));
    EXPECT_EQ(bands.front().colour, RGB(255, 0, 0));
    // Steps of 652/256 per band: the last band is 99 steps on, short of the end colour by a step.
    EXPECT_EQ(bands.back().colour, RGB(2, 0, 252));
}

TEST(GradientBands, EmptyAreasPaintNothing) {
    EXPECT_TRUE(LabelLayout::GradientBands({5, 0, 5, 10}, 0, 0xFFFFFF).empty());
    EXPECT_TRUE(LabelLayout::GradientBands({9, 0, 5, 10}, 0, 0xFFFFFF).empty());
    EXPECT_TRUE(LabelLayout::GradientBands({0, 4, 10, 4}, 0, 0xFFFFFF).empty());
    const auto one = LabelLayout::GradientBands({3, 0, 4, 1}, RGB(9, 9, 9), 0);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].colour, RGB(9, 9, 9));
}

TEST(PointSize, SameHeightAtEveryResolution) {
    struct Case {
        int points;
        LONG expected;
    };
    const Case cases[] = {{10, -13}, {12, -16}, {14, -19}, {9, -12}, {8, -11}};
    for (int dpi : {96, 120, 144, 192}) {
        for (const auto& c : cases) {
            EXPECT_EQ(LabelLayout::PointSizeToHeight(c.points, dpi, dpi), c.expected)
                << c.points << " pt at " << dpi << " dpi";
        }
    }
    EXPECT_EQ(LabelLayout::PointSizeToTenths(10, 120), 80);
    EXPECT_EQ(LabelLayout::PointSizeToTenths(10, 0), 100); // a context without a resolution
}

} // namespace
