#include "sim/flight.h"

#include "sim/camera.h"
#include "sim/platform_hooks.h"

#include <cmath>

MouseFeel mouseFeel;

namespace {

// Upper bounds of the speed bands: 27, 54, 76 and 85 hundredths of the top
// speed, formed in single precision and compared in double.
constexpr double BAND_1 = 0.16200001287460353;
constexpr double BAND_2 = 0.32400002574920705;
constexpr double BAND_3 = 0.4560000123977659;
constexpr double BAND_4 = 0.5100000345706945;
constexpr double BRAKE_RATE = 0.003000000026077032;  // single-precision 0.003, widened

constexpr float MOUSE_TURN = 0.025f;   // radians of yaw or pitch per 10 pixels
constexpr float MOUSE_PIXELS = 10.0f;

// Warp targets whose motion events are still to come, oldest first. A warp
// adds one; the event at its target removes it. Events that arrive while a
// warp is outstanding were generated before the warp moved the pointer.
constexpr int ECHO_CAPACITY = 8;
struct PointerEchoes {
    int x[ECHO_CAPACITY] = {};
    int y[ECHO_CAPACITY] = {};
    int count = 0;
};
PointerEchoes echoes;
// Where the pointer was at the previous event of either kind, before any warp it caused.
int previousX = MOUSE_START_X;
int previousY = MOUSE_START_Y;

void warpPointer(int x, int y)
{
    if (echoes.count == ECHO_CAPACITY) {
        // Echoes that never came (the toolkit can drop them); forget the oldest.
        for (int k = 1; k < ECHO_CAPACITY; ++k) {
            echoes.x[k - 1] = echoes.x[k];
            echoes.y[k - 1] = echoes.y[k];
        }
        --echoes.count;
    }
    echoes.x[echoes.count] = x;
    echoes.y[echoes.count] = y;
    ++echoes.count;
    if (platformHooks.warpPointer) {
        platformHooks.warpPointer(x, y);
    }
}

// When (x, y) is the target of an outstanding warp, the event is that warp's
// own: the pointer now sits there. Earlier outstanding warps whose events
// never came are dropped with it.
bool consumeEcho(int x, int y)
{
    for (int k = 0; k < echoes.count; ++k) {
        if (echoes.x[k] == x && echoes.y[k] == y) {
            const int dropped = k + 1;
            for (int m = dropped; m < echoes.count; ++m) {
                echoes.x[m - dropped] = echoes.x[m];
                echoes.y[m - dropped] = echoes.y[m];
            }
            echoes.count -= dropped;
            lastMouseX = x;
            lastMouseY = y;
            previousX = x;
            previousY = y;
            return true;
        }
    }
    return false;
}

}  // namespace

void applyThrust(int accelerate, float step)
{
    const float v = flightSpeed;
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

    Vec3 pull = camera.view;
    pull.scale(static_cast<double>(step) * (5.0 * vd + 5.0) / 1500.0);

    Vec3 velocity = flightDirection;
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
    flightDirection = velocity;

    if (newSpeed <= 0.0f) {
        newSpeed = 0.0f;
    }
    if (newSpeed >= TOP_SPEED) {
        newSpeed = TOP_SPEED;
    }
    flightSpeed = newSpeed;
}

void moveCraft(float step)
{
    const double speed = flightSpeed;
    const double dt = step;
    double* const axes[3] = {&camera.position.x, &camera.position.y, &camera.position.z};
    const double along[3] = {flightDirection.x, flightDirection.y, flightDirection.z};
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

void steerByMouse(int x, int y)
{
    if (consumeEcho(x, y)) {
        return;
    }
    if (echoes.count > 0) {
        // Queued before the outstanding warp moved the pointer: its movement
        // counts from the event before it, not from the warp target.
        lastMouseX = previousX;
        lastMouseY = previousY;
    }
    previousX = x;
    previousY = y;

    camera.yawAngle = 0.0f;
    camera.pitchAngle = 0.0f;
    if (x > lastMouseX) {
        camera.yawAngle = -MOUSE_TURN;
    } else if (x < lastMouseX) {
        camera.yawAngle = MOUSE_TURN;
    }
    if (y > lastMouseY) {
        camera.pitchAngle = -MOUSE_TURN;
    } else if (y < lastMouseY) {
        camera.pitchAngle = MOUSE_TURN;
    }
    const float dx = static_cast<float>(lastMouseX - x);
    if (dx != 0.0f) {
        camera.yawAngle = camera.yawAngle * std::fabs(dx) / MOUSE_PIXELS;
    }
    const float dy = static_cast<float>(lastMouseY - y);
    if (dy != 0.0f) {
        camera.pitchAngle = camera.pitchAngle * std::fabs(dy) / MOUSE_PIXELS;
    }
    // Multiplying by the start factor 1 leaves the angles bit for bit as they were.
    camera.yawAngle = camera.yawAngle * mouseFeel.sensitivity;
    camera.pitchAngle = camera.pitchAngle * (mouseFeel.invertY ? -mouseFeel.sensitivity : mouseFeel.sensitivity);
    lastMouseX = x;
    lastMouseY = y;

    if (x <= MOUSE_BAND_LOW || x >= MOUSE_BAND_HIGH) {
        lastMouseX = MOUSE_BAND_CENTRE;
        warpPointer(MOUSE_BAND_CENTRE, y);
    }
    if (y <= MOUSE_BAND_LOW || y >= MOUSE_BAND_HIGH) {
        lastMouseY = MOUSE_BAND_CENTRE;
        warpPointer(x, MOUSE_BAND_CENTRE);
    }

    camera.yaw();
    camera.pitch();
}

void followDraggedPointer(int x, int y)
{
    if (consumeEcho(x, y)) {
        return;
    }
    lastMouseX = x;
    lastMouseY = y;
    previousX = x;
    previousY = y;
}

int pendingPointerEchoCount()
{
    return echoes.count;
}

void resetFlight()
{
    previousX = MOUSE_START_X;
    previousY = MOUSE_START_Y;
    echoes = PointerEchoes{};
}
