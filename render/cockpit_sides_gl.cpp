#include "render/cockpit_sides.h"

#include "render/effects.h"
#include "render/radar.h"
#include "render/texture_table.h"
#include "render/view_settings.h"
#include "sim/world.h"

#include <GL/gl.h>

namespace {
// One corner: side and up in the panel's half widths and heights, s across
// "cp_sides.tga", whose left half is the left piece and right half the right
// one, both meeting the panel at s = 0.5; t as on the panel.
void corner(const Camera& camera, const CockpitAxes& axes, double side, double up, float s, float t)
{
    glTexCoord2f(s, t);
    glVertex3f(static_cast<float>(camera.position.x + axes.view.x + side * axes.side.x + up * axes.up.x),
               static_cast<float>(camera.position.y + axes.view.y + side * axes.side.y + up * axes.up.y),
               static_cast<float>(camera.position.z + axes.view.z + side * axes.side.z + up * axes.up.z));
}
}  // namespace

void drawCockpitSides(const World& world, const ViewSettings& view)
{
    const double reach = cockpitSidesReach(view.windowAspect);
    if (reach <= 0.0) {
        return;  // the 4:3 frame stays as it is, call for call
    }
    // Placed as the panel is, by the camera the frame shows.
    const Camera& camera = world.shown.camera;
    const CockpitAxes axes = cockpitAxes(camera);
    const bool wireframe = view.wireframe != 0;
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    bindTexture(TEX_COCKPIT_SIDES);

    // Each half of the texture holds 4 of the panel's units: 2 half widths.
    const float outer = static_cast<float>((reach - 1.0) / 4.0);
    glBegin(GL_QUADS);
    glColor3f(1.0f, 1.0f, 1.0f);
    // The side axis points to the viewer's left.
    corner(camera, axes, reach, -1.0, 0.5f - outer, 0.0f);
    corner(camera, axes, 1.0, -1.0, 0.5f, 0.0f);
    corner(camera, axes, 1.0, 1.0, 0.5f, 1.0f);
    corner(camera, axes, reach, 1.0, 0.5f - outer, 1.0f);
    corner(camera, axes, -1.0, -1.0, 0.5f, 0.0f);
    corner(camera, axes, -reach, -1.0, 0.5f + outer, 0.0f);
    corner(camera, axes, -reach, 1.0, 0.5f + outer, 1.0f);
    corner(camera, axes, -1.0, 1.0, 0.5f, 1.0f);
    glEnd();
    glDisable(GL_BLEND);

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
}
