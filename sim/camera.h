// The player's craft is the camera: its position is the eye, its view the line
// of sight. The craft flies along its own flightDirection at flightSpeed, which
// thrust pulls toward the view, so it turns gradually and drifts.
#pragma once

#include "sim/vec3.h"

struct Camera {
    Vec3 position;          // the eye and the craft; kept within ±256 by the frame update
    Vec3 view;              // unit line of sight
    Vec3 up;                // unit up, perpendicular to view after every pitch
    Vec3 side;              // up × view: points to the viewer's left
    Vec3 target;            // position of the active gate
    float yawAngle = 0.0f;  // radians, consumed by the next yaw
    float pitchAngle = 0.0f;

    void setTarget(float x, float y, float z);
    // Places the camera and aims it at target, with up = +z.
    void placeAt(float x, float y, float z);
    void yaw();
    void pitch();
    void roll(int input, float step);
};

extern Camera camera;
