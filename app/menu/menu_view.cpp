#include "app/menu/menu_view.h"

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

namespace {

constexpr float TITLE[3] = {1.0f, 1.0f, 1.0f};
constexpr float ROW[3] = {0.8f, 0.8f, 0.8f};
constexpr float SELECTED[3] = {1.0f, 0.85f, 0.2f};
constexpr float HEADING[3] = {0.45f, 0.8f, 1.0f};
constexpr float WARNING[3] = {1.0f, 0.35f, 0.3f};
constexpr std::size_t LINE_ROOM = OVERLAY_TEXT_MAX - 1;

void add(OverlayLines& out, const float (&colour)[3], float x, float y, const std::string& text)
{
    out.add(FONT_LARGE, colour[0], colour[1], colour[2], x, y, "%s", text.c_str());
}

}  // namespace

void composeMenu(const MenuView& view, const MenuLayout& layout, OverlayLines& out)
{
    const float w = static_cast<float>(layout.width);
    const float h = static_cast<float>(layout.height);
    const auto up = [h](int pixelsFromTop) { return 1.0f - static_cast<float>(pixelsFromTop) / h; };
    add(out, TITLE, 0.5f, up(layout.titleBaseline()), view.title);
    out.lines[static_cast<std::size_t>(out.count) - 1].anchor = ANCHOR_CENTRE;
    for (std::size_t i = 0; i < view.lines.size(); ++i) {
        const MenuLine& line = view.lines[i];
        const float y = up(layout.rowBaseline(static_cast<int>(i)));
        const float(&colour)[3] = !line.selectable ? HEADING : (line.selected ? SELECTED : ROW);
        add(out, colour, static_cast<float>(layout.labelX()) / w, y, (line.selected ? "> " : "  ") + line.label);
        if (!line.value.empty()) {
            add(out, line.warning ? WARNING : colour, static_cast<float>(layout.valueX()) / w, y, line.value);
        }
        if (!line.extra.empty()) {
            add(out, colour, static_cast<float>(layout.extraX()) / w, y, line.extra);
        }
    }
    std::string note = view.note;
    for (int row = 0; row < 2 && !note.empty(); ++row) {
        std::size_t cut = note.size();
        std::size_t next = cut;
        if (cut > LINE_ROOM) {
            const std::size_t space = note.rfind(' ', LINE_ROOM);
            const bool atSpace = space != std::string::npos && space > 0;
            cut = atSpace ? space : LINE_ROOM;
            next = atSpace ? space + 1 : LINE_ROOM;
        }
        add(out, view.noteWarning ? WARNING : TITLE, static_cast<float>(layout.labelX()) / w,
            up(layout.noteBaseline() + row * layout.rowHeight()), note.substr(0, cut));
        note.erase(0, next);
    }
}

int firstShownLine(int previousFirst, int selected, int lineCount, int visibleRows)
{
    int first = std::min(previousFirst, selected);
    if (selected >= first + visibleRows) {
        first = selected - visibleRows + 1;
    }
    return std::max(0, std::min(first, lineCount - visibleRows));
}
