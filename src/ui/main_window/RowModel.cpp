#include "ui/main_window/RowModel.h"

#include <algorithm>

int ClampFocusIndex(int focus, int rowCount) {
    if (focus >= rowCount)
        return rowCount - 1;
    if (focus < 0)
        return 0;
    return focus;
}

bool IsRowVisible(int index, int firstVisible, int rowCount) {
    const int last = firstVisible + kVisibleRowCount - 1;
    return index >= firstVisible && index <= last && index < rowCount;
}

int RowTop(int index, int firstVisible, int rowsTop, int rowHeight) {
    return rowsTop + (index - firstVisible) * rowHeight;
}

ScrollStep ComputeScrollStep(UINT code, int thumbPosition, int current, int maximum, int firstVisible) {
    // The downward bound is the device count, not the largest position the scroll bar stores:
    // at the bottom a line step still moves the list one row further while the thumb stays.
    switch (code) {
    case SB_LINEUP:
        return {std::max(current - 1, 0), true};
    case SB_LINEDOWN:
        return {std::min(current + 1, maximum), true};
    case SB_PAGEUP:
        return {std::max(current - kRowPageStep, 0), true};
    case SB_PAGEDOWN:
        return {std::min(current + kRowPageStep, maximum), true};
    case SB_THUMBTRACK:
        return {thumbPosition, true};
    default:
        // The thumb's release (SB_THUMBPOSITION) and the end of a scroll change nothing: the
        // tracking messages before it have already moved the list.
        return {firstVisible, false};
    }
}

int FirstVisibleAfterScan(int firstVisible, int rowCount) {
    const int lastFullPage = std::max(rowCount - kVisibleRowCount, 0);
    return std::clamp(firstVisible, 0, lastFullPage);
}
