// What a menu page shows, and where, for the drawing and for the mouse: a
// title, a vertical list and one note below it. GL-free: the platform side
// draws a MenuView at the places a MenuLayout gives and asks the layout which
// row is under the pointer.
#pragma once

#include "app/hud/overlay_text.h"

#include <string>
#include <vector>

struct MenuLine {
    std::string label;
    std::string value;       // drawn right of the label; may be empty
    std::string extra;       // a second value in a column of its own; may be empty
    bool selectable = true;  // false for a section's heading
    bool selected = false;
    bool warning = false;    // a value that needs the player's eye (an action with no key)
};

struct MenuView {
    std::string title;
    std::vector<MenuLine> lines;  // only the lines that fit, from firstLine
    int firstLine = 0;            // index of lines[0] in the page's whole list
    std::string note;             // a prompt or a message; may be empty
    bool noteWarning = false;
};

// The page's places on a window of width x height pixels whose overlay text
// grows by scale (app/hud/hud_scale.h). Pixels count from the window's top left,
// as the toolkit reports the pointer.
struct MenuLayout {
    int width = 1024;
    int height = 768;
    int scale = 1;

    // One line of the overlay's large font, with room between lines.
    int rowHeight() const { return 26 * scale; }
    int titleBaseline() const { return height / 6 + rowHeight(); }
    int rowBaseline(int row) const { return titleBaseline() + (row + 2) * rowHeight(); }
    int labelX() const { return width / 4; }
    int valueX() const { return width / 2; }
    int extraX() const { return width * 2 / 3; }
    // Rows that fit between the title and the note.
    int visibleRows() const;
    int noteBaseline() const { return rowBaseline(visibleRows()) + rowHeight() / 2; }
    // The row under the pointer (0 for the first row shown), or -1.
    int rowAt(int x, int y) const;
};

// The first line to show so that selected is in view, moved as little as
// possible from the previous first line.
int firstShownLine(int previousFirst, int selected, int lineCount, int visibleRows);

// The view as the overlay's lines, large font, placed by the layout: the
// title centred, each row's label (the selected one marked "> ", so that the
// selection does not rest on colour alone) and value, the note below, split
// into two lines when longer than one can hold.
void composeMenu(const MenuView& view, const MenuLayout& layout, OverlayLines& out);
