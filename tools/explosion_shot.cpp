// A rocket hitting an asteroid, rendered by the real frame from a fixed seed,
// for the screenshots in docs/ (scripts/screenshots.sh). Where a played run
// depends on where the field drifted, this shot always catches the blast.
//
//   vorel_explosion_shot DATA_DIR OUT.png
#include "app/loop/display_frame.h"
#include "app/loop/display_mode.h"
#include "app/loop/game.h"
#include "sim/asteroid.h"
#include "sim/camera.h"
#include "sim/rocket.h"
#include "tools/frame_shot_gl.h"

#include <cstdio>
#include <memory>
#include <string>


namespace {

constexpr double SHOT_DISTANCE = 36.0;
// The explosion image shown when the picture is taken: past the white flash,
// a full fireball.
constexpr int SHOWN_EXPLOSION_SLOT = 10;
constexpr int FRAME_LIMIT = 400;

Vec3 toVec3(const Vertex& v)
{
    return Vec3{v.x, v.y, v.z};
}

Vec3 difference(const Vec3& a, const Vec3& b)
{
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

// SHOT_DISTANCE before the asteroid, on its side away from the middle of the field.
Vec3 shotPosition(const Vec3& target)
{
    Vec3 out = target;
    out.normalize();
    out.scale(SHOT_DISTANCE);
    return vec3Add(target, out);
}

// No asteroid near the craft, none but the target within reach of the
// rocket's path, so the rocket meets the target and the craft stays at rest.
bool lineOfFireClear(const Asteroid* asteroids, int target, const Vec3& from)
{
    const Vec3 to = toVec3(asteroids[target].position);
    Vec3 path = difference(to, from);
    const double length = path.length();
    path.normalize();
    for (int j = 0; j < ASTEROID_COUNT; ++j) {
        const Vec3 p = toVec3(asteroids[j].position);
        if (difference(p, from).length() < 30.0) {
            return false;
        }
        if (j == target) {
            continue;
        }
        const double along = difference(p, from).dot(path);
        if (along > 0.0 && along < length + 8.0) {
            Vec3 across = path;
            across.scale(along);
            if (difference(difference(p, from), across).length() < 20.0) {
                return false;
            }
        }
    }
    return true;
}

// Puts the craft at rest at the shot position, looking at the asteroid.
void aimAt(Camera& camera, const Asteroid& asteroid)
{
    camera.position = shotPosition(toVec3(asteroid.position));
    aimCameraAt(camera, toVec3(asteroid.position));
}

bool explosionShown(const World& world)
{
    for (const Rocket& rocket : world.rockets) {
        if (rocket.explosionActive == 1 && rocket.explosionFrame >= SHOWN_EXPLOSION_SLOT) {
            return true;
        }
    }
    return false;
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
    const Asteroid* asteroids = world.asteroids;
    Camera& camera = world.camera;

    // The asteroid nearest the middle whose line of fire is clear: nothing
    // near the craft, nothing else on the rocket's way.
    int nearest = -1;
    double nearestDistance = 0.0;
    for (int i = 0; i < ASTEROID_COUNT; ++i) {
        const Vec3 target = toVec3(asteroids[i].position);
        const double distance = target.length();
        if (distance == 0.0 || (nearest >= 0 && distance >= nearestDistance)) {
            continue;
        }
        if (lineOfFireClear(asteroids, i, shotPosition(target))) {
            nearest = i;
            nearestDistance = distance;
        }
    }
    if (nearest < 0) {
        std::fprintf(stderr, "explosion shot: no asteroid with a clear line of fire\n");
        return 1;
    }
    aimAt(camera, asteroids[nearest]);
    // Launched at once, from the shot position: the first frame's step sees
    // the camera already moved aside. Its cue plays with that frame's events.
    launchRocket(world, game->events);
    // Watch from a little aside, so the smoke trail runs across the picture
    // instead of stacking up in front of the blast.
    Vec3 aside = camera.side;
    aside.scale(14.0);
    Vec3 above = camera.up;
    above.scale(6.0);
    camera.position = vec3Add(camera.position, vec3Add(aside, above));
    aimCameraAt(camera, toVec3(asteroids[nearest].position));

    for (int frame = 0; frame < FRAME_LIMIT && !explosionShown(world); ++frame) {
        shotNow += SHOT_FRAME_MS;
        displayFrame(*game);
    }
    if (!explosionShown(world)) {
        std::fprintf(stderr, "explosion shot: the rocket hit nothing within %d frames\n", FRAME_LIMIT);
        return 1;
    }

    return finishShot(out);
}
