#include "app/input/pads_sdl.h"

#include "app/input/pad_input.h"
#include "app/files/player_text.h"
#include "sim/update_frame.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

// The table numbers pad buttons and axes as SDL does.
static_assert(static_cast<int>(PAD_BUTTON_COUNT) == static_cast<int>(SDL_CONTROLLER_BUTTON_MAX), "buttons");
static_assert(static_cast<int>(PAD_START) == static_cast<int>(SDL_CONTROLLER_BUTTON_START), "buttons");
static_assert(static_cast<int>(PAD_DPAD_UP) == static_cast<int>(SDL_CONTROLLER_BUTTON_DPAD_UP), "buttons");
static_assert(static_cast<int>(PAD_AXIS_COUNT) == static_cast<int>(SDL_CONTROLLER_AXIS_MAX), "axes");
static_assert(static_cast<int>(PAD_TRIGGER_LEFT) == static_cast<int>(SDL_CONTROLLER_AXIS_TRIGGERLEFT), "axes");

const char* const PAD_MAPPINGS_FILE = "gamecontrollerdb.txt";

namespace {

// Room for a database of every pad known on every platform, many times over.
constexpr std::size_t PAD_MAPPINGS_MAX_BYTES = 4u << 20;
struct Pads {
    bool started = false;
    bool available = false;  // SDL's game controllers are running
    SDL_GameController* open[PAD_CAPACITY] = {};
    SDL_JoystickID ids[PAD_CAPACITY] = {};
    int count = 0;
};
// The pads SDL has open: read by every frame and by the paused idle turn,
// both toolkit callbacks.
Pads pads;

// Refused lines named one by one; a file of many is only counted beyond these.
constexpr int REFUSED_LINES_NAMED = 3;

// A line that names another system's platform is for that system alone, as
// SDL's own reader of the file has it.
bool forThisPlatform(const std::string& line)
{
    const std::string field = "platform:";
    const std::size_t at = line.find(field);
    if (at == std::string::npos) {
        return true;
    }
    const std::size_t from = at + field.size();
    const std::string named = line.substr(from, line.find(',', from) - from);
    return SDL_strcasecmp(named.c_str(), SDL_GetPlatform()) == 0;
}

// Hands SDL the file's mappings line by line, so that a line it refuses can
// be named with its number.
void readMappings()
{
    std::string text;
    if (!readPlayerText(PAD_MAPPINGS_FILE, PAD_MAPPINGS_MAX_BYTES, text)) {
        return;
    }
    int taken = 0;
    int refused = 0;
    int lineNumber = 0;
    for (std::size_t start = 0; start < text.size();) {
        ++lineNumber;
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::size_t first = text.find_first_not_of(" \t", start);
        const std::size_t last = text.find_last_not_of(" \t\r", end - 1);
        const std::string line = first < end && last != std::string::npos && last >= first
                                     ? text.substr(first, last - first + 1)
                                     : std::string();
        start = end + 1;
        if (line.empty() || line[0] == '#' || !forThisPlatform(line)) {
            continue;
        }
        if (SDL_GameControllerAddMapping(line.c_str()) >= 0) {
            ++taken;
        } else if (++refused <= REFUSED_LINES_NAMED) {
            std::printf("Error in %s line %d: not a mapping SDL takes\n", PAD_MAPPINGS_FILE, lineNumber);
        }
    }
    if (refused > REFUSED_LINES_NAMED) {
        std::printf("Error in %s: %d lines refused in all\n", PAD_MAPPINGS_FILE, refused);
    }
    if (taken == 0) {
        std::printf("%s: no mapping SDL can use\n", PAD_MAPPINGS_FILE);
    }
    std::fflush(stdout);
}

void openPad(int deviceIndex)
{
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (int p = 0; p < pads.count; ++p) {
        if (pads.ids[p] == id) {
            return;
        }
    }
    if (pads.count == PAD_CAPACITY) {
        return;
    }
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (pad) {
        pads.open[pads.count] = pad;
        pads.ids[pads.count] = id;
        ++pads.count;
    }
}

void closePad(SDL_JoystickID id)
{
    for (int p = 0; p < pads.count; ++p) {
        if (pads.ids[p] == id) {
            SDL_GameControllerClose(pads.open[p]);
            --pads.count;
            pads.open[p] = pads.open[pads.count];
            pads.ids[p] = pads.ids[pads.count];
            return;
        }
    }
}

PadState padState(SDL_GameController* pad)
{
    PadState state;
    for (int a = 0; a < PAD_AXIS_COUNT; ++a) {
        state.axes[a] = SDL_GameControllerGetAxis(pad, static_cast<SDL_GameControllerAxis>(a));
    }
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        state.buttons[b] = SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(b)) != 0;
    }
    return state;
}

}  // namespace

void startPads()
{
    if (pads.started) {
        return;
    }
    pads.started = true;
    // SDL would turn SIGINT and SIGTERM into quit events that nothing reads,
    // so Ctrl+C or a plain kill could no longer end the game.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "No game controllers: %s\n", SDL_GetError());
        return;
    }
    pads.available = true;
    // Pads present now, and those a new mapping makes pads, arrive as
    // plug-in events at the next read.
    readMappings();
}

int readPadStates(PadState* states)
{
    if (!pads.available) {
        return 0;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_CONTROLLERDEVICEADDED) {
            openPad(event.cdevice.which);
        } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
            closePad(event.cdevice.which);
        }
    }
    for (int p = 0; p < pads.count; ++p) {
        states[p] = padState(pads.open[p]);
    }
    return pads.count;
}

void readPads(Game& game, float elapsedMs)
{
    if (!pads.available) {
        return;
    }
    PadState states[PAD_CAPACITY];
    const int count = readPadStates(states);
    applyPads(game, states, count, elapsedMs);
}

void stopPads(Game* game)
{
    while (pads.count > 0) {
        closePad(pads.ids[0]);
    }
    if (pads.available) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    pads = Pads{};
    if (game) {
        resetPadInput(*game);
    }
}

int padCount()
{
    return pads.count;
}
