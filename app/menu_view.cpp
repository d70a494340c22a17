#include "app/menu_view.h"

#include <algorithm>

int MenuLayout::visibleRows() const
{
    // The note and a margin stay free below the list.
    const int free = height - rowBaseline(0) - 3 * rowHeight();
    return std::max(1, free / rowHeight() + 1);
}

int MenuLayout::rowAt(int x, int y) const
{
    if (x < width / 8 || x > width - width / 8) {
        return -1;
    }
    // A row reaches from a little below its baseline up to the previous row's.
    const int below = rowHeight() / 4;
    for (int row = 0; row < visibleRows(); ++row) {
        const int bottom = rowBaseline(row) + below;
        if (y <= bottom && y > bottom - rowHeight()) {
            return row;
        }
    }
    return -1;
}

int firstShownLine(int previousFirst, int selected, int lineCount, int visibleRows)
{
    int first = std::min(previousFirst, selected);
    if (selected >= first + visibleRows) {
        first = selected - visibleRows + 1;
    }
    return std::max(0, std::min(first, lineCount - visibleRows));
}
