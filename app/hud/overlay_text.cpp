#include "app/hud/overlay_text.h"
#include "app/files/options.h"

#include "app/files/high_scores.h"
#include "app/input/key_names.h"
#include "app/loop/game.h"
#include "app/loop/pause.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <string>

namespace {
int64_t monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Taken while the program's globals are initialised, before main.
const int64_t PROGRAM_START_MS = monotonicMs();

constexpr float WHITE[3] = {1.0f, 1.0f, 1.0f};
constexpr float OPTION_ON[3] = {0.0f, 1.0f, 0.0f};
constexpr float OPTION_OFF[3] = {1.0f, 0.0f, 0.0f};
constexpr float STATUS_YELLOW[3] = {0.7f, 0.7f, 0.0f};
constexpr float SPEED_YELLOW[3] = {0.8f, 0.8f, 0.0f};
constexpr float ROCKET_BUSY[3] = {1.0f, 0.2f, 0.2f};
constexpr float ROCKET_READY[3] = {0.2f, 1.0f, 0.2f};

constexpr float SPEED_X = 0.48f;
constexpr float SPEED_Y = 0.12f;

struct PanelOption {
    const char* label;
    int ViewSettings::*flag;
    float y;
};

const PanelOption PANEL_OPTIONS[] = {
    {"Texturfilter", &ViewSettings::textureFilter, 0.92f}, {"MipMapping", &ViewSettings::mipMapping, 0.88f},
    // The octree culling of F8, not the face culling of F10.
    {"Culling", &ViewSettings::frustumCulling, 0.84f},
    {"Transparenz", &ViewSettings::transparency, 0.8f},
    {"Display Lists", &ViewSettings::displayLists, 0.76f},
};

// The radio's keys as the hint shows them, "[+][-]" with the defaults: a
// character key as its character, in capitals, any other by its name.
std::string radioKeysHint()
{
    std::string hint;
    for (const char* action : {"radio_up", "radio_down"}) {
        const int row = controlActionNamed(action);
        for (const InputKey& key : playerOptions.keys.keys[row]) {
            if (!key.bound()) {
                continue;
            }
            const bool printable = key.source == KeySource::CHARACTER && key.code > ' ' && key.code < 0x7F;
            hint += "[";
            hint += printable ? std::string(1, static_cast<char>(std::toupper(key.code))) : keyName(key);
            hint += "]";
        }
    }
    return hint;
}

const char* shownName(const HighScoreEntry& entry)
{
    return entry.name[0] != '\0' ? entry.name : PLACEHOLDER_NAME;
}
}  // namespace

int64_t wallClockSinceStart()
{
    return monotonicMs() - PROGRAM_START_MS;
}

OverlayLine& OverlayLines::add(OverlayFont font, float red, float green, float blue, float x, float y,
                               const char* format, ...)
{
    if (count == static_cast<int>(lines.size())) {
        lines.emplace_back();
    }
    OverlayLine& line = lines[static_cast<std::size_t>(count++)];
    line = OverlayLine{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.text, sizeof line.text, format, args);
    va_end(args);
    line.font = font;
    line.red = red;
    line.green = green;
    line.blue = blue;
    line.x = x;
    line.y = y;
    return line;
}

void FrameRateCounter::tick(int64_t nowMs)
{
    calls += 1.0f;
    const int64_t seconds = nowMs / 1000;
    if (seconds - lastSecond >= 1) {
        lastSecond = seconds;
        std::snprintf(text, sizeof text, "FPS: %d", static_cast<int>(calls));
        calls = 0.0f;
    }
}

void composeOverlay(OverlayLines& out, const Game& game, float nowMs)
{
    const World& world = game.world;
    const ViewSettings& view = game.view;
    const float lapStartTime = world.lapStartTime;
    out.count = 0;

    if (view.showFps) {
        out.add(FONT_LARGE, WHITE[0], WHITE[1], WHITE[2], 0.5f, 0.5f, "%s", game.frameRate.text);
    }

    const float running = lapStartTime == 0.0f ? 0.0f : (nowMs - lapStartTime) / 1000.0f;
    out.add(FONT_LARGE, WHITE[0], WHITE[1], WHITE[2], 0.45f, 0.95f, "Time: %07.2f ", running);
    out.add(FONT_LARGE, WHITE[0], WHITE[1], WHITE[2], 0.05f, 0.95f, "Last Lap: %07.2f ", world.lastLapTime / 1000.0f);
    out.add(FONT_LARGE, WHITE[0], WHITE[1], WHITE[2], 0.78f, 0.95f, "Best Lap: %07.2f ", world.bestLapTime / 1000.0f);

    if (view.showHighScores) {
        int row = 0;
        for (const HighScoreEntry* entry = highScoreList.first; entry && row < HIGH_SCORE_ROWS;
             entry = entry->next, ++row) {
            const float y = static_cast<float>(0.8 - 0.03f * row);
            out.add(FONT_LARGE, WHITE[0], WHITE[1], WHITE[2], 0.35f, y, "%d. %s ", row + 1, shownName(*entry));
            out.add(FONT_LARGE, WHITE[0], WHITE[1], WHITE[2], 0.6f, y, "%07.2f", entry->time / 1000.0f);
        }
    }

    if (view.optionsOverlayTimer > 0.0f) {
        for (const PanelOption& option : PANEL_OPTIONS) {
            const float* colour = view.*option.flag == 1 ? OPTION_ON : OPTION_OFF;
            out.add(FONT_LARGE, colour[0], colour[1], colour[2], 0.05f, option.y, "%s", option.label);
        }
    }

    out.add(FONT_SMALL, STATUS_YELLOW[0], STATUS_YELLOW[1], STATUS_YELLOW[2], 0.36f, 0.2f, "Volume Radio: %d %s ",
            game.radioVolume, radioKeysHint().c_str());

    // The time a lap has to beat to enter the visible part of the table.
    const HighScoreEntry* last = highScoreList.first;
    int number = 1;
    while (last && last->next && number < HIGH_SCORE_ROWS) {
        last = last->next;
        ++number;
    }
    out.add(FONT_SMALL, STATUS_YELLOW[0], STATUS_YELLOW[1], STATUS_YELLOW[2], 0.56f, 0.2f, "%dth Time: %07.2f", number,
            last ? last->time / 1000.0f : 0.0f);

    out.add(FONT_LARGE, SPEED_YELLOW[0], SPEED_YELLOW[1], SPEED_YELLOW[2], SPEED_X, SPEED_Y, "%s", "Speed: ").anchor =
        ANCHOR_RIGHT;
    out.add(FONT_LARGE, SPEED_YELLOW[0], SPEED_YELLOW[1], SPEED_YELLOW[2], SPEED_X, SPEED_Y, "%06.2f ",
            world.flightSpeed * 1000.0f);

    if (world.rocketCooldown > 0) {
        out.add(FONT_LARGE, ROCKET_BUSY[0], ROCKET_BUSY[1], ROCKET_BUSY[2], 0.42f, 0.04f, "PREPARING ROCKET");
    } else {
        out.add(FONT_LARGE, ROCKET_READY[0], ROCKET_READY[1], ROCKET_READY[2], 0.44f, 0.04f, "ROCKET READY");
    }
}
