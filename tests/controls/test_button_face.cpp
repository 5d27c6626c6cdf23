// The image button's face rules without a window: image choice, placement, caption colour.
#include "ui/controls/ButtonFace.h"

#include <gtest/gtest.h>

namespace {

using ButtonFace::StateImage;

struct ChoiceCase {
    const char* name;
    ButtonFace::ImageChoiceInput in;
    StateImage expected;
};

class ImageChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ImageChoice, PicksTheStateImage) {
    EXPECT_EQ(ButtonFace::ChooseImage(GetParam().in), GetParam().expected);
}

ButtonFace::ImageChoiceInput States(int state, int previous, int mode = ImageOnly) {
    ButtonFace::ImageChoiceInput in;
    in.drawMode = mode;
    in.state = state;
    in.previousState = previous;
    return in;
}

ButtonFace::ImageChoiceInput Disabled(int mode, int state, bool latch = false, int selector = 0) {
    auto in = States(state, Pressed, mode);
    in.enabled = false;
    in.clickedLatch = latch;
    in.imageSelector = selector;
    return in;
}

ButtonFace::ImageChoiceInput Latch(bool latched, int state) {
    auto in = States(state, Normal, Latching);
    in.clickedLatch = latched;
    return in;
}

ButtonFace::ImageChoiceInput Selector(int selector, int state) {
    auto in = States(state, Pressed, OwnerSelected);
    in.imageSelector = selector;
    return in;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImageChoice,
    ::testing::Values(
        // The state and previous-state table, in every mode but the two special ones.
        ChoiceCase{"HoverAfterPressed", States(Hover, Pressed), StateImage::Pressed},
        ChoiceCase{"HoverAfterNormal", States(Hover, Normal), StateImage::Hover},
        ChoiceCase{"HoverAfterReleased", States(Hover, Released), StateImage::Hover},
        ChoiceCase{"NormalAfterPressed", States(Normal, Pressed), StateImage::Pressed},
        ChoiceCase{"NormalAfterHover", States(Normal, Hover), StateImage::Normal},
        ChoiceCase{"NormalAfterReleased", States(Normal, Released), StateImage::Normal},
        ChoiceCase{"ReleasedAfterNormal", States(Released, Normal), StateImage::Normal},
        ChoiceCase{"ReleasedAfterPressed", States(Released, Pressed), StateImage::Hover},
        ChoiceCase{"ReleasedAfterHover", States(Released, Hover), StateImage::Hover},
        ChoiceCase{"PressedAfterNormal", States(Pressed, Normal), StateImage::Normal},
        ChoiceCase{"PressedAfterHover", States(Pressed, Hover), StateImage::Pressed},
        ChoiceCase{"PressedAfterPressed", States(Pressed, Pressed), StateImage::Pressed},
        ChoiceCase{"UnknownState", States(7, Pressed), StateImage::Normal},
        ChoiceCase{"TextModesUseTheTable", States(Hover, Normal, ImageAndText), StateImage::Hover},
        ChoiceCase{"UnknownModeUsesTheTable", States(Pressed, Hover, 3), StateImage::Pressed},
        // Disabled wins over every mode, latch and selector.
        ChoiceCase{"DisabledImageOnly", Disabled(ImageOnly, Hover), StateImage::Disabled},
        ChoiceCase{"DisabledLatched", Disabled(Latching, Pressed, true), StateImage::Disabled},
        ChoiceCase{"DisabledSelected", Disabled(OwnerSelected, Normal, false, 2), StateImage::Disabled},
        ChoiceCase{"DisabledTextOnly", Disabled(TextOnly, Released), StateImage::Disabled},
        // Latching: pressed once clicked, otherwise hover only in Hover.
        ChoiceCase{"LatchedHover", Latch(true, Hover), StateImage::Pressed},
        ChoiceCase{"LatchedNormal", Latch(true, Normal), StateImage::Pressed},
        ChoiceCase{"UnlatchedHover", Latch(false, Hover), StateImage::Hover},
        ChoiceCase{"UnlatchedPressed", Latch(false, Pressed), StateImage::Normal},
        ChoiceCase{"UnlatchedReleased", Latch(false, Released), StateImage::Normal},
        // OwnerSelected: the selector alone, whatever the state.
        ChoiceCase{"SelectorHover", Selector(1, Normal), StateImage::Hover},
        ChoiceCase{"SelectorPressed", Selector(2, Hover), StateImage::Pressed},
        ChoiceCase{"SelectorZero", Selector(0, Pressed), StateImage::Normal},
        ChoiceCase{"SelectorOther", Selector(9, Hover), StateImage::Normal}),
    [](const auto& info) { return std::string(info.param.name); });

struct PlacementCase {
    const char* name;
    ButtonFace::ImagePlacementInput in;
    bool drawn;
    POINT at;
};

class ImagePlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(ImagePlacement, PlacesTheImage) {
    const auto at = ButtonFace::PlaceImage(GetParam().in);
    ASSERT_EQ(at.has_value(), GetParam().drawn);
    if (at) {
        EXPECT_EQ(*at, GetParam().at);
    }
}

ButtonFace::ImagePlacementInput Place(int mode, SIZE client, SIZE image, int state = Normal,
                                      int previous = Normal, int textPlacement = 0, bool textEmpty = true) {
    ButtonFace::ImagePlacementInput in;
    in.drawMode = mode;
    in.client = client;
    in.image = image;
    in.state = state;
    in.previousState = previous;
    in.textPlacement = textPlacement;
    in.textEmpty = textEmpty;
    return in;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImagePlacement,
    ::testing::Values(
        PlacementCase{"Centred", Place(ImageOnly, {29, 20}, {20, 10}), true, {4, 5}},
        PlacementCase{"CentredLatching", Place(Latching, {30, 20}, {20, 10}), true, {5, 5}},
        PlacementCase{"CentredOwnerSelected", Place(OwnerSelected, {30, 20}, {20, 10}), true, {5, 5}},
        PlacementCase{"PressedOffset", Place(ImageOnly, {30, 20}, {20, 10}, Pressed, Hover), true, {6, 6}},
        PlacementCase{"NormalAfterPressedKeepsOffset",
                      Place(ImageOnly, {30, 20}, {20, 10}, Normal, Pressed),
                      true,
                      {6, 6}},
        PlacementCase{
            "HoverAfterPressedNoOffset", Place(ImageOnly, {30, 20}, {20, 10}, Hover, Pressed), true, {5, 5}},
        // Integer division truncates toward zero, also for images larger than the button.
        PlacementCase{"LargerImageNegative", Place(ImageOnly, {20, 10}, {25, 17}), true, {-2, -3}},
        PlacementCase{
            "LargerImagePressed", Place(ImageOnly, {20, 10}, {25, 17}, Pressed, Normal), true, {-1, -2}},
        PlacementCase{"ImageLeftOfText",
                      Place(ImageAndText, {80, 20}, {16, 10}, Normal, Normal, 0, false),
                      true,
                      {1, 5}},
        PlacementCase{"ImageAboveText",
                      Place(ImageAndText, {80, 40}, {16, 10}, Normal, Normal, 1, false),
                      true,
                      {32, 1}},
        PlacementCase{"ImageAndTextWithoutText", Place(ImageAndText, {80, 20}, {16, 10}), false, {}},
        PlacementCase{"TextOnlyNoImage", Place(TextOnly, {80, 20}, {16, 10}), false, {}},
        PlacementCase{"ModeThreeNoImage", Place(3, {80, 20}, {16, 10}), false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct TextCase {
    const char* name;
    ButtonFace::TextPlacementInput in;
    bool drawn;
    POINT at;
};

class TextPlacement : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextPlacement, PlacesTheCaption) {
    const auto at = ButtonFace::PlaceText(GetParam().in);
    ASSERT_EQ(at.has_value(), GetParam().drawn);
    if (at) {
        EXPECT_EQ(*at, GetParam().at);
    }
}

ButtonFace::TextPlacementInput Text(int mode, int alignment, int placement, int state = Normal,
                                    bool enabled = true) {
    ButtonFace::TextPlacementInput in;
    in.drawMode = mode;
    in.alignment = alignment;
    in.textPlacement = placement;
    in.client = {100, 30};
    in.textExtent = {40, 13};
    in.normalImage = {20, 12};
    in.state = state;
    in.enabled = enabled;
    return in;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextPlacement,
    ::testing::Values(TextCase{"Left", Text(TextOnly, 0, 0), true, {1, 8}},
                      TextCase{"OtherAlignmentIsLeft", Text(TextOnly, 7, 0), true, {1, 8}},
                      TextCase{"Centred", Text(TextOnly, 1, 0), true, {30, 8}},
                      TextCase{"Right", Text(TextOnly, 2, 0), true, {59, 8}},
                      TextCase{"PressedMoves", Text(TextOnly, 1, 0, Pressed), true, {31, 9}},
                      TextCase{"DisabledPressedStays", Text(TextOnly, 1, 0, Pressed, false), true, {30, 8}},
                      TextCase{"RightOfImage", Text(ImageAndText, 0, 0), true, {40, 8}},
                      TextCase{"BelowImage", Text(ImageAndText, 0, 1), true, {30, 14}},
                      TextCase{"ImageOnlyNoText", Text(ImageOnly, 0, 0), false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextColour, FollowsStateAndEnabled) {
    const ButtonFace::TextColours colours{RGB(1, 1, 1), RGB(0, 0, 255), RGB(0, 0, 0)};
    struct Case {
        bool enabled;
        int state;
        COLORREF expected;
    };
    const Case cases[] = {
        {true, Hover, colours.hover},     {true, Pressed, colours.hover}, {true, Normal, colours.normal},
        {true, Released, colours.normal}, {true, 9, colours.current},     {false, Hover, colours.normal},
        {false, Pressed, colours.normal},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ButtonFace::ChooseTextColour(c.enabled, c.state, colours), c.expected)
            << "enabled " << c.enabled << " state " << c.state;
    }
}

} // namespace
