#pragma once

// The arithmetic of the main window's device list, apart from the windows it moves: which of
// the 32 row panels are visible, where they stand, which one gets the focus, and how the scroll
// bar's messages move the first visible row. CMainFrame applies the results to its panels.
//
// Panel i shows device i. It is visible exactly when first <= i <= first + 9 and i < row count;
// the visible panels are stacked downward in index order without gaps.

#include "platform/gui/WinTypes.h"

inline constexpr int kRowPanelCount = 32;
inline constexpr int kVisibleRowCount = 10;
// A page step of the scroll bar moves two rows, not a page of ten.
inline constexpr int kRowPageStep = 2;

// The focus index ShowRows settles on: at most the last row, at least 0; -1 with no rows, so
// that no panel gets the focus.
int ClampFocusIndex(int focus, int rowCount);

bool IsRowVisible(int index, int firstVisible, int rowCount);

// y of a visible panel: the k-th visible one (k from 0) lies at rowsTop + k * rowHeight.
int RowTop(int index, int firstVisible, int rowsTop, int rowHeight);

// What one WM_VSCROLL does. current is the position the scroll bar holds, maximum its range's
// maximum (the device count), thumbPosition the position the message carries.
struct ScrollStep {
    int firstVisible = 0;     // the new first visible index
    bool setPosition = false; // whether the scroll bar's position is set to firstVisible
};
ScrollStep ComputeScrollStep(UINT code, int thumbPosition, int current, int maximum, int firstVisible);

// The first visible index after a scan changed the device count. The previous index is kept as
// long as it still shows a full list; a smaller count brings it back to the last full page (0
// with fewer than ten devices, where the scroll bar is disabled and could not scroll back), so
// devices are never hidden above a short or empty list.
int FirstVisibleAfterScan(int firstVisible, int rowCount);
