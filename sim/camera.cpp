#include "sim/camera.h"

Camera camera;

void Camera::setTarget(float x, float y, float z)
{
    target = Vec3{x, y, z};
}

void Camera::placeAt(float x, float y, float z)
{
    position = Vec3{x, y, z};
    view = Vec3{target.x - position.x, target.y - position.y, target.z - position.z};
    view.normalize();
    up = Vec3{0.0, 0.0, 1.0};
    side.setCross(up, view);
    side.normalize();
}
