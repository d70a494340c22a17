#include "render/camera_view.h"

#include "sim/camera.h"

#include <GL/glu.h>

void lookThroughCamera(const Camera& camera)
{
    gluLookAt(camera.position.x, camera.position.y, camera.position.z, camera.position.x + camera.view.x,
              camera.position.y + camera.view.y, camera.position.z + camera.view.z, camera.up.x, camera.up.y,
              camera.up.z);
}
