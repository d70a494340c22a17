#include "render/ghost_draw.h"

#include "geometry/frustum.h"
#include "render/model_draw.h"

#include <GL/gl.h>

namespace {
const float CRAFT_SHININESS = 38.4f;
}  // namespace

void drawGhostCraft(const Model& craft, const GhostPose& pose, const Frustum* cullWith)
{
    const float x = static_cast<float>(pose.position.x);
    const float y = static_cast<float>(pose.position.y);
    const float z = static_cast<float>(pose.position.z);
    if (cullWith != nullptr && !cullWith->boxVisible(x, y, z, GHOST_CRAFT_REACH)) {
        return;
    }
    // The model's x, y and z become the pose's side, up and view.
    Vec3 side;
    side.setCross(pose.up, pose.view);
    side.normalize();
    Vec3 up;
    up.setCross(pose.view, side);
    up.normalize();
    const Vec3& view = pose.view;
    const GLfloat place[16] = {
        static_cast<float>(side.x), static_cast<float>(side.y), static_cast<float>(side.z), 0.0f,
        static_cast<float>(up.x),   static_cast<float>(up.y),   static_cast<float>(up.z),   0.0f,
        static_cast<float>(view.x), static_cast<float>(view.y), static_cast<float>(view.z), 0.0f,
        x,                          y,                          z,                          1.0f,
    };

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT |
                 GL_POLYGON_BIT);
    glPushMatrix();
    glMultMatrixf(place);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // What lies behind the craft stays visible through it, and the smoke and
    // explosions drawn after it are not cut off by it.
    glDepthMask(GL_FALSE);
    // Only the outside: seen through, the inside faces would double the tint.
    // The models wind counter-clockwise from outside, which the frame's
    // front-face setting keeps.
    glEnable(GL_CULL_FACE);
    glBegin(GL_TRIANGLES);
    setModelMaterial(craft, CRAFT_SHININESS);
    // With colour tracking the colour's alpha becomes the diffuse alpha, which
    // lighting hands on to the fragment.
    glColor4fv(GHOST_CRAFT_COLOUR);
    sendModelTriangles(craft);
    glEnd();
    glPopMatrix();
    glPopAttrib();
}
