// The device list's arithmetic: visibility, placement, focus and scroll steps, with the shipped
// layout (rows at y 130 + 34k).
#include "ui/main_window/RowModel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kRowsTop = 130;
constexpr int kRowHeight = 34;

std::vector<int> VisibleRows(int firstVisible, int rowCount) {
    std::vector<int> rows;
    for (int i = 0; i < kRowPanelCount; ++i)
        if (IsRowVisible(i, firstVisible, rowCount))
            rows.push_back(i);
    return rows;
}

std::vector<int> Range(int from, int to) {
    std::vector<int> rows;
    for (int i = from; i <= to; ++i)
        rows.push_back(i);
    return rows;
}

} // namespace

TEST(RowModel, FocusIndexIsClampedIntoTheRows) {
    struct Case {
        int focus, count, expected;
    };
    const Case cases[] = {{0, 0, -1}, {5, 0, -1},   {-3, 0, 0},  {0, 5, 0}, {4, 5, 4},
                          {5, 5, 4},  {31, 15, 14}, {-1, 15, 0}, {7, 15, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(ClampFocusIndex(c.focus, c.count), c.expected) << c.focus << " of " << c.count;
}

TEST(RowModel, VisibleRowsAndTheirPlaces) {
    EXPECT_TRUE(VisibleRows(0, 0).empty());
    EXPECT_EQ(VisibleRows(0, 5), Range(0, 4));
    EXPECT_EQ(VisibleRows(0, 10), Range(0, 9));
    EXPECT_EQ(VisibleRows(1, 10), Range(1, 9));
    EXPECT_EQ(VisibleRows(0, 15), Range(0, 9));
    EXPECT_EQ(VisibleRows(7, 15), Range(7, 14));
    EXPECT_EQ(VisibleRows(8, 15), Range(8, 14));
    EXPECT_EQ(VisibleRows(0, 32), Range(0, 9));

    // Five devices: 130, 164, 198, 232, 266; the visible rows are stacked without gaps.
    const int expected[] = {130, 164, 198, 232, 266};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(RowTop(i, 0, kRowsTop, kRowHeight), expected[i]);
    EXPECT_EQ(RowTop(7, 7, kRowsTop, kRowHeight), 130);
    EXPECT_EQ(RowTop(16, 7, kRowsTop, kRowHeight), 130 + 9 * 34);
    // Ten rows fill y 130 to 470.
    EXPECT_EQ(RowTop(9, 0, kRowsTop, kRowHeight) + kRowHeight, 470);
}

// Each case: the scroll bar's position before, the message, the expected first visible index and
// whether the position is set. Maximum is the device count; the platform keeps positions within
// 0 .. count - 9.
TEST(RowModel, ScrollStepsFollowTheTable) {
    struct Case {
        const char* name;
        UINT code;
        int thumb, current, maximum, first;
        ScrollStep expected;
    };
    const Case cases[] = {
        {"line up at top", SB_LINEUP, 0, 0, 15, 0, {0, true}},
        {"line up", SB_LINEUP, 0, 4, 15, 4, {3, true}},
        {"line down", SB_LINEDOWN, 0, 0, 15, 0, {1, true}},
        {"10 devices: one step", SB_LINEDOWN, 0, 0, 10, 0, {1, true}},
        {"15 devices: past the last thumb position", SB_LINEDOWN, 0, 6, 15, 6, {7, true}},
        {"15 devices: again from the held thumb", SB_LINEDOWN, 0, 6, 15, 7, {7, true}},
        {"page down moves two rows", SB_PAGEDOWN, 0, 0, 15, 0, {2, true}},
        {"15 devices: page down at the bottom", SB_PAGEDOWN, 0, 6, 15, 6, {8, true}},
        {"page down bounded by the count", SB_PAGEDOWN, 0, 1, 2, 1, {2, true}},
        {"page up moves two rows", SB_PAGEUP, 0, 5, 15, 5, {3, true}},
        {"page up at least 0", SB_PAGEUP, 0, 1, 15, 1, {0, true}},
        {"thumb track", SB_THUMBTRACK, 4, 2, 15, 2, {4, true}},
        {"thumb release changes nothing", SB_THUMBPOSITION, 4, 2, 15, 3, {3, false}},
        {"end scroll changes nothing", SB_ENDSCROLL, 0, 2, 15, 3, {3, false}},
        {"top changes nothing", SB_TOP, 0, 2, 15, 3, {3, false}},
    };
    for (const Case& c : cases) {
        const ScrollStep step = ComputeScrollStep(c.code, c.thumb, c.current, c.maximum, c.first);
        EXPECT_EQ(step.firstVisible, c.expected.firstVisible) << c.name;
        EXPECT_EQ(step.setPosition, c.expected.setPosition) << c.name;
    }
}

TEST(RowModel, ASmallerScanNeverLeavesDevicesHiddenAboveTheList) {
    struct Case {
        int first, count, expected;
    };
    const Case cases[] = {
        {0, 0, 0},  {0, 15, 0}, {5, 15, 5}, {5, 20, 5}, // still a full list: kept
        {7, 15, 5}, {8, 15, 5}, {7, 12, 2},             // back to the last full page
        {7, 5, 0},  {7, 0, 0},  {3, 9, 0},  {1, 10, 0}, // fewer than ten: from the top
    };
    for (const Case& c : cases) {
        const int first = FirstVisibleAfterScan(c.first, c.count);
        EXPECT_EQ(first, c.expected) << c.first << " with " << c.count;
        if (c.count > 0) {
            EXPECT_EQ(VisibleRows(first, c.count).size(), static_cast<std::size_t>(std::min(c.count, 10)));
        }
    }
}
