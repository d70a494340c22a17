#include "render/scene.h"

#include "geometry/frustum.h"
#include "render/backdrop.h"
#include "render/camera_view.h"
#include "render/effects.h"
#include "render/ghost_draw.h"
#include "render/lighting.h"
#include "render/model_draw.h"
#include "render/palette.h"
#include "render/texture_table.h"
#include "sim/world.h"

#include <GL/gl.h>

namespace {

// Returns the frame's view planes when the asteroids were culled by them, for
// the ghost to be culled alike; null when culling is off.
const Frustum* drawAsteroids(const World& world, const ViewSettings& view, Frustum& planes)
{
    const bool lists = asteroidListsInUse(view);
    if (view.frustumCulling) {
        // The planes must come from the camera transform alone, so that they
        // are in the world coordinates of the octree cubes.
        planes.update();
        if (lists) {
            world.octree.drawVisibleWithLists(&world.octree, planes, world.asteroids, asteroidListBase);
        } else {
            world.octree.drawVisible(&world.octree, planes, world.asteroids);
        }
        return &planes;
    }
    if (lists) {
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            world.asteroids[i].pushTransform();
            glCallList(asteroidListBase + static_cast<unsigned int>(i));
            world.asteroids[i].popTransform();
        }
        return nullptr;
    }
    for (const Asteroid& asteroid : world.asteroids) {
        asteroid.draw();
    }
    return nullptr;
}

}  // namespace

void drawScene(const World& world, const ViewSettings& view, const SceneGhost& ghost)
{
    const Camera& eye = world.shown.camera;
    glPolygonMode(GL_FRONT_AND_BACK, view.wireframe ? GL_LINE : GL_FILL);
    if (view.faceCulling) {
        glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glFrontFace(GL_CW);
    glCullFace(GL_FRONT);

    glPushMatrix();
    lookThroughCamera(eye);
    placeLight();

    drawBackdrop(BACKDROP_EDGE, eye.position, view.faceCulling != 0);

    bindTexture(TEX_GATE);
    const Palette& palette = paletteOf(view.palette);
    for (const Gate& gate : world.gates) {
        gate.draw(palette);
    }
    if (view.showOctree) {
        world.octree.drawBoxes(&world.octree);
    }
    if (view.showCourseLine) {
        drawCourseLine(world.gates);
    }
    for (const Rocket& rocket : world.rockets) {
        if (rocket.state == ROCKET_FLYING) {
            rocket.draw();
        }
    }

    bindTexture(TEX_ASTEROID);
    Frustum planes;
    const Frustum* culledBy = drawAsteroids(world, view, planes);

    // The ghost is translucent: after every opaque body, before the sprites.
    if (ghost.craft != nullptr) {
        drawGhostCraft(*ghost.craft, ghost.pose, culledBy);
    }

    for (int r = 0; r < ROCKET_COUNT; ++r) {
        const Rocket& rocket = world.rockets[r];
        if (world.shown.explosionImage[r] >= 0) {
            drawExplosion(rocket, world.shown.explosionImage[r], eye, view.transparency != 0);
        }
        if (world.shown.smokeTrail[r]) {
            drawSmokeTrail(rocket, eye, view.transparency != 0);
        }
    }
    if (view.showCockpit) {
        drawCockpit(world, view);
        drawCockpitSides(world, view);
    }

    glPopMatrix();
}
