// The player's craft is the camera: its position is the eye, its view the line
// of sight. The craft flies along its own flightDirection at flightSpeed, which
// thrust pulls toward the view, so it turns gradually and drifts.
#pragma once

#include "sim/record_fields.h"
#include "sim/vec3.h"

#define VOREL_CAMERA_FIELDS(ROW)                                                              \
    ROW(Vec3, position, Vec3()) /* the eye and the craft; kept within ±256 by the update */ \
    ROW(Vec3, view, Vec3())     /* unit line of sight */                                     \
    ROW(Vec3, up, Vec3())       /* unit up, perpendicular to view after every pitch */       \
    ROW(Vec3, side, Vec3())     /* up × view: points to the viewer's left */                 \
    ROW(Vec3, target, Vec3())   /* position of the active gate */                            \
    ROW(float, yawAngle, 0.0f)  /* radians, consumed by the next yaw */                      \
    ROW(float, pitchAngle, 0.0f)

struct Camera {
    VOREL_CAMERA_FIELDS(VOREL_RECORD_MEMBER)

    void setTarget(float x, float y, float z);
    // Places the camera and aims it at target, with up = +z.
    void placeAt(float x, float y, float z);
    void yaw();
    void pitch();
    void roll(int input, float step);
    // A look turn: yaw by yawRadians, then pitch by pitchRadians, each kept
    // in its angle field as the turn leaves it.
    void look(float yawRadians, float pitchRadians);
    // The cockpit's renormalisation of side, up and view, in that order.
    void normalizeAxes();
};

