#include "sim/asteroid.h"

#include "sim/random.h"

namespace {

// Speed above which a wall bounce draws a fresh drifting speed, and that
// speed's range: single-precision 0.15 widened, from 0.15 to 0.30.
constexpr float BOUNCE_SPEED_LIMIT = 0.3f;
constexpr double BOUNCE_SPEED_BASE = 0.15000000596046448;

// A wall crossing clamps the coordinate and reverses the whole direction.
bool bounce(float& coordinate, Vec3& direction)
{
    bool fired = false;
    if (coordinate > ASTEROID_WALL) {
        coordinate = ASTEROID_WALL;
        direction = vec3Negate(direction);
        fired = true;
    }
    if (coordinate < -ASTEROID_WALL) {
        coordinate = -ASTEROID_WALL;
        direction = vec3Negate(direction);
        fired = true;
    }
    return fired;
}

}  // namespace

void Asteroid::init(float px, float py, float pz, float dx, float dy, float dz, float ax, float ay, float az,
                    float initialSpeed, float initialSpinRate, int asteroidIndex)
{
    position.x = px;
    position.y = py;
    position.z = pz;
    direction = Vec3{dx, dy, dz};
    direction.normalize();
    spinAxis = Vec3{ax, ay, az};
    speed = initialSpeed;
    spinRate = initialSpinRate;
    index = asteroidIndex;
}

void Asteroid::move(float step, Random& random)
{
    const float a = step * speed;
    position.x = position.x + static_cast<float>(direction.x * a);
    position.y = position.y + static_cast<float>(direction.y * a);
    position.z = position.z + static_cast<float>(direction.z * a);

    spinAngle = step * spinRate + spinAngle;
    if (spinAngle >= 360.0f) {
        spinAngle -= 360.0f;
    }

    // All six tests run, in this order, on the already clamped coordinates:
    // crossing two walls reverses the direction twice.
    bool bounced = bounce(position.x, direction);
    bounced = bounce(position.y, direction) || bounced;
    bounced = bounce(position.z, direction) || bounced;
    if (bounced && speed > BOUNCE_SPEED_LIMIT) {
        speed = static_cast<float>(random.unit() * BOUNCE_SPEED_BASE + BOUNCE_SPEED_BASE);
    }
}
