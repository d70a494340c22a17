// The pause menu as drawn, on the screen sizes players have. On a screen of
// a given size (started for it in tests/CMakeLists.txt) it also checks the
// text factor that screen must get, VOREL_HUD_SCALE_EXPECTED.
#include "app/hud/hud_scale.h"
#include "app/menu/menu_draw.h"
#include "app/files/options.h"
#include "app/hud/overlay.h"
#include "support/gl_window.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// The lowest and highest rows, and the leftmost and rightmost columns, of
// the pixels in the selected row's colour (y counted up, as GL reads).
std::vector<int> selectedInk(int width, int height)
{
    std::vector<GLubyte> rgb(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    std::vector<int> box = {height, -1, width, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const GLubyte* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            if (p[0] > 240 && p[1] > 200 && p[1] < 230 && p[2] < 70) {
                box = {std::min(box[0], y), std::max(box[1], y), std::min(box[2], x), std::max(box[3], x)};
            }
        }
    }
    return box;
}

}  // namespace

// Each item is drawn where the pointer finds it, at the screen's text factor,
// and every line of every page fits the window.
TEST(MenuDrawing, RowsLieWhereThePointerFindsThemAndEveryLineFits)
{
    ensureGlWindow();
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    glViewport(0, 0, width, height);
    resetOptions();
    const int scale = hudScale(width, height, 0);
    if (const char* expected = std::getenv("VOREL_HUD_SCALE_EXPECTED")) {
        EXPECT_EQ(scale, std::atoi(expected)) << width << "x" << height;
    }

    PauseMenu menu;
    menu.open();
    for (int item = 0; item < PAUSE_ITEM_COUNT; ++item) {
        menu.selected = item;
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawMenu(menu);
        const std::vector<int> ink = selectedInk(width, height);
        ASSERT_GE(ink[1], 0) << "item " << item;
        // Capital letters of the 18-point font are 13 pixels high, grown by the factor.
        EXPECT_GE(ink[1] - ink[0] + 1, 12 * scale) << "item " << item;
        EXPECT_EQ(menu.layout.rowAt((ink[2] + ink[3]) / 2, height - 1 - (ink[0] + ink[1]) / 2), item);
    }

    // The options screen, scrolled from its first row to its last.
    menu.selected = PAUSE_OPTIONS;
    menu.input(MenuInput::TAKE);
    for (std::size_t row = 0; row < menu.options.rows.size(); ++row) {
        OverlayLines lines;
        composeMenu(menu.view(), menu.layout, lines);
        for (int i = 0; i < lines.count; ++i) {
            const OverlayLine& line = lines.lines[static_cast<std::size_t>(i)];
            const int advance =
                glutBitmapLength(overlayBitmapFont(line.font), reinterpret_cast<const unsigned char*>(line.text));
            const float left = line.anchor == ANCHOR_CENTRE ? line.x * width - 0.5f * scale * advance : line.x * width;
            EXPECT_LE(left + scale * advance, static_cast<float>(width)) << line.text;
            EXPECT_GT(line.y * height, 0.0f) << line.text;
        }
        menu.input(MenuInput::DOWN);
    }
    menu.options.capturing = controlActionNamed("texture_filter");  // the longest prompt
    menu.options.note = "Press a key, mouse button or pad button for texture filter (Escape cancels)";
    OverlayLines lines;
    composeMenu(menu.view(), menu.layout, lines);
    EXPECT_EQ(std::string(lines.lines[static_cast<std::size_t>(lines.count) - 1].text), "texture filter (Escape cancels)");
}
