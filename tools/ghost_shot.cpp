// A lap raced against the ghost of the lap before, rendered by the real frame
// from a fixed seed for the screenshots in docs/ (scripts/screenshots.sh):
// the ghost craft ahead and the split of the last gate on screen.
//
//   vorel_ghost_shot DATA_DIR OUT.png
#include "app/loop/display_frame.h"
#include "app/loop/display_mode.h"
#include "app/loop/game.h"
#include "app/race/ghost_race.h"
#include "app/loop/pause.h"
#include "replay/headless_frame.h"
#include "sim/camera.h"
#include "sim/course.h"
#include "sim/flight.h"
#include "tools/frame_shot_gl.h"

#include <cstdio>
#include <memory>
#include <string>


namespace {

// Units per frame: the ghost's lap at the craft's top speed, then a slower
// lap raced against it.
constexpr float GHOST_LAP_SPEED = 0.6f;
constexpr float RACED_LAP_SPEED = 0.57f;
// The shot is taken this many frames after the pass of SHOT_GATE.
constexpr int SHOT_GATE = 3;
constexpr int FRAMES_AFTER_GATE = 45;
constexpr int FRAME_LIMIT = 20000;

// One frame of flying straight at the active gate. The craft's own flight has
// no direction, so only this steering moves it; its speed is for the readout.
void flyFrame(Game& game, float speed, bool displayed)
{
    World& world = game.world;
    Camera& camera = world.camera;
    Vec3 toGate{camera.target.x - camera.position.x, camera.target.y - camera.position.y,
                camera.target.z - camera.position.z};
    const double distance = toGate.length();
    if (distance > speed) {
        toGate.scale(speed / distance);
    }
    camera.position = vec3Add(camera.position, toGate);
    aimCameraAt(camera, camera.target);
    world.flightSpeed = speed;
    world.flightDirection = Vec3{};
    shotNow += SHOT_FRAME_MS;
    if (displayed) {
        displayFrame(game);
    } else {
        headlessFrame(game, playClock(game));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    std::string out;
    const auto game = std::make_unique<Game>();
    const int opened = openShot(*game, argc, argv, out);
    if (opened != 0) {
        return opened;
    }
    World& world = game->world;
    GhostRace& race = game->ghost;
    // G, as the player presses it; the shot races the lap it flies first,
    // whatever ghost the directory holds.
    toggleGhost(*game);
    race.storedStatus = GHOST_FILE_MISSING;

    int frame = 0;
    for (; frame < FRAME_LIMIT && !race.hasCandidate; ++frame) {
        flyFrame(*game, GHOST_LAP_SPEED, false);
    }
    for (; frame < FRAME_LIMIT && world.gates[SHOT_GATE + 1].active != 1; ++frame) {
        flyFrame(*game, RACED_LAP_SPEED, false);
    }
    for (int k = 0; k < FRAMES_AFTER_GATE; ++k) {
        flyFrame(*game, RACED_LAP_SPEED, k + 1 == FRAMES_AFTER_GATE);
    }

    // The last frame again, seen from behind and beside the ghost.
    GhostPose ghost;
    float split = 0.0f;
    const float next = shotNow + SHOT_FRAME_MS;
    const bool showing = game->view.showGhost != 0;
    if (!race.ghostPose(next, world.lapStartTime, showing, ghost) || !race.splitShowing(next, showing, split)) {
        std::fprintf(stderr, "ghost shot: no ghost or no split after %d frames\n", frame);
        return 1;
    }
    Vec3 side;
    side.setCross(ghost.up, ghost.view);
    Vec3 behind = ghost.view;
    behind.scale(-13.0);
    side.scale(5.0);
    Vec3 above = ghost.up;
    above.scale(2.5);
    world.camera.position = vec3Add(ghost.position, vec3Add(behind, vec3Add(side, above)));
    aimCameraAt(world.camera, ghost.position);
    world.flightDirection = Vec3{};
    shotNow += SHOT_FRAME_MS;
    displayFrame(*game);

    return finishShot(out);
}
