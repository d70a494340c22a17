#include "sim/flight.h"

#include "sim/world.h"

#include <cmath>

namespace {

// Upper bounds of the speed bands: 27, 54, 76 and 85 hundredths of the top
// speed, formed in single precision and compared in double.
constexpr double BAND_1 = 0.16200001287460353;
constexpr double BAND_2 = 0.32400002574920705;
constexpr double BAND_3 = 0.4560000123977659;
constexpr double BAND_4 = 0.5100000345706945;
constexpr double BRAKE_RATE = 0.003000000026077032;  // single-precision 0.003, widened

}  // namespace

void applyThrust(World& world, int accelerate, float step)
{
    const float v = world.flightSpeed;
    const double vd = v;
    float increment = 0.000005f;
    if (vd <= BAND_1) {
        increment = 0.002f;
    } else if (vd <= BAND_2) {
        increment = 0.0005f;
    } else if (vd <= BAND_3) {
        increment = 0.0001f;
    } else if (vd <= BAND_4) {
        increment = 0.00005f;
    }
    increment = increment * step;

    Vec3 pull = world.camera.view;
    pull.scale(static_cast<double>(step) * (5.0 * vd + 5.0) / 1500.0);

    Vec3 velocity = world.flightDirection;
    velocity.scale(vd);

    float newSpeed = 0.0f;
    if (accelerate == 1) {
        velocity = vec3Add(velocity, pull);
        const float reached = velocity.length();
        const float allowed = v + increment;
        newSpeed = reached < allowed ? reached : allowed;
    } else {
        newSpeed = static_cast<float>(vd - static_cast<double>(step) * BRAKE_RATE);
    }

    velocity.normalize();
    world.flightDirection = velocity;

    if (newSpeed <= 0.0f) {
        newSpeed = 0.0f;
    }
    if (newSpeed >= TOP_SPEED) {
        newSpeed = TOP_SPEED;
    }
    world.flightSpeed = newSpeed;
}

void moveCraft(World& world, float step)
{
    const double speed = world.flightSpeed;
    const double dt = step;
    Vec3& position = world.camera.position;
    double* const axes[3] = {&position.x, &position.y, &position.z};
    const double along[3] = {world.flightDirection.x, world.flightDirection.y, world.flightDirection.z};
    for (int k = 0; k < 3; ++k) {
        *axes[k] += along[k] * speed * dt;
    }
    for (double* axis : axes) {
        if (*axis > ARENA_LIMIT) {
            *axis = ARENA_LIMIT;
        }
        if (*axis < -ARENA_LIMIT) {
            *axis = -ARENA_LIMIT;
        }
    }
}

