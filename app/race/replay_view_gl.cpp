#include "app/race/replay_view.h"

#include "app/hud/overlay.h"
#include "app/loop/game.h"
#include "render/scene.h"

#include <GL/gl.h>

namespace {

// The camera the drawing looks through for a pose: the drawing reads only
// its place, line of sight, up and side.
Camera cameraAt(const CameraPose& pose)
{
    Camera camera;
    camera.position = pose.eye;
    camera.view = vec3Add(pose.center, vec3Negate(pose.eye));
    camera.view.normalize();
    camera.up = pose.up;
    camera.side.setCross(camera.up, camera.view);
    camera.side.normalize();
    return camera;
}

void drawWatchOverlay(Game& game, const ReplayPlayer& player)
{
    OverlayLines& lines = game.overlayLines;
    composeReplayOverlay(lines, player);
    drawOverlayLines(lines, game.view.hudScale);
}

}  // namespace

void drawReplayFrame(Game& game)
{
    advanceWatch(game);
    ReplayPlayer& player = *game.replayWatch.player;

    // The drawing reads the shown camera: the replay's own world is lent the
    // view for this picture and given its craft's camera back after it, so
    // that its next step reads what the recorded lap showed.
    const Camera craftCamera = player.world.shown.camera;
    player.world.shown.camera = cameraAt(player.viewPose());
    ViewSettings view = game.view;
    SceneGhost craft;
    if (player.chaseCamera) {
        view.showCockpit = 0;
        if (game.ghost.craft.meshCount == 0 && !game.replayWatch.craftAsked) {
            game.replayWatch.craftAsked = true;  // a missing model is named once, not every frame
            game.ghost.craft.load(GHOST_CRAFT_FILE);
        }
        craft.craft = &game.ghost.craft;
        craft.pose = ghostPoseOf(craftCamera.position, craftCamera.view, craftCamera.up);
    }

    glMatrixMode(GL_MODELVIEW);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawScene(player.world, view, craft);
    player.world.shown.camera = craftCamera;
    drawWatchOverlay(game, player);
}
