#include "sim/rocket.h"

#include "sim/frame_events.h"
#include "sim/world.h"

namespace {

constexpr float ROCKET_SPEED = 2.5f;
constexpr float ROCKET_ARENA_LIMIT = 256.0f;
// Spacing of the smoke particles behind a flying rocket (single-precision 0.7, widened).
constexpr double TRAIL_SPACING = 0.699999988079071;
// Opacity a fading particle loses per displayed frame (single-precision 0.002, widened).
constexpr double TRAIL_FADE = 0.0020000000949949026;

bool outsideArena(float coordinate)
{
    return coordinate > ROCKET_ARENA_LIMIT || coordinate < -ROCKET_ARENA_LIMIT;
}

}  // namespace

void Rocket::launch(float px, float py, float pz, float dx, float dy, float dz)
{
    position.x = px;
    position.y = py;
    position.z = pz;
    direction = Vec3{dx, dy, dz};
    direction.normalize();
    speed = ROCKET_SPEED;
    state = ROCKET_FLYING;
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        trail[i].x = parkedCoordinate;
        trail[i].y = parkedCoordinate;
        trail[i].z = parkedCoordinate;
        trailLife[i] = 1.0f;
        trailSpare[i] = -1.0f;
    }
    trailCount = TRAIL_LENGTH;
}

void Rocket::move(float step)
{
    const float s = speed * step;
    position.x = position.x + static_cast<float>(direction.x * s);
    position.y = position.y + static_cast<float>(direction.y * s);
    position.z = position.z + static_cast<float>(direction.z * s);
    if (outsideArena(position.x) || outsideArena(position.y) || outsideArena(position.z)) {
        // Left the arena: the flight ends without an explosion or a sound.
        state = ROCKET_FADING;
    }
}

void Rocket::explode(const Vertex& point)
{
    explosionTimer = 0.0f;
    state = ROCKET_FADING;
    explosionActive = 1;
    explosionPoint.x = point.x;
    explosionPoint.y = point.y;
    explosionPoint.z = point.z;
}

void Rocket::updateTrail()
{
    if (state == ROCKET_FLYING) {
        for (int i = 0; i < TRAIL_LENGTH; ++i) {
            const double n = i;
            trail[i].x = static_cast<float>(position.x - direction.x * n * TRAIL_SPACING);
            trail[i].y = static_cast<float>(position.y - direction.y * n * TRAIL_SPACING);
            trail[i].z = static_cast<float>(position.z - direction.z * n * TRAIL_SPACING);
            const float life = static_cast<float>(1.0 - static_cast<double>(i) / TRAIL_LENGTH);
            trailLife[i] = life > 0.0f ? life : 0.0f;
        }
    } else if (state == ROCKET_FADING) {
        bool smoking = false;
        for (int i = 0; i < TRAIL_LENGTH; ++i) {
            if (trailLife[i] > 0.0f) {
                trailLife[i] = static_cast<float>(trailLife[i] - TRAIL_FADE);
                if (trail[i].x != parkedCoordinate) {
                    smoking = true;
                }
            } else {
                trail[i].x = parkedCoordinate;
                trail[i].y = parkedCoordinate;
                trail[i].z = parkedCoordinate;
            }
        }
        if (!smoking) {
            state = ROCKET_FREE;
        }
    }
}

int advanceExplosion(Rocket& rocket, float elapsedMs)
{
    rocket.explosionTimer += elapsedMs;
    const int shown = rocket.explosionFrame;
    if (rocket.explosionTimer >= EXPLOSION_FRAME_MS) {
        rocket.explosionFrame += 1;
        rocket.explosionTimer = 0.0f;
    }
    if (rocket.explosionFrame >= EXPLOSION_IMAGE_END) {
        rocket.explosionFrame = EXPLOSION_IMAGE_FIRST;
        rocket.explosionActive = 0;
    }
    return shown;
}

void launchRocket(World& world, FrameEvents& events)
{
    if (world.rocketCooldown > 0) {
        return;
    }
    const Camera& camera = world.camera;
    for (Rocket& rocket : world.rockets) {
        if (rocket.state != ROCKET_FREE) {
            continue;
        }
        FrameEvent launch;
        launch.kind = EVENT_ROCKET_LAUNCHED;
        launch.rocket = static_cast<int>(&rocket - world.rockets);
        events.push(launch);
        rocket.state = ROCKET_FLYING;
        rocket.launch(static_cast<float>(camera.position.x), static_cast<float>(camera.position.y),
                      static_cast<float>(camera.position.z), static_cast<float>(camera.view.x),
                      static_cast<float>(camera.view.y), static_cast<float>(camera.view.z));
        world.rocketCooldown = ROCKET_COOLDOWN_MS;
        return;
    }
}
