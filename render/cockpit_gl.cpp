#include "render/effects.h"

#include "render/palette.h"
#include "render/radar.h"
#include "render/texture_table.h"
#include "render/view_settings.h"
#include "sim/world.h"

#include <GL/gl.h>

namespace {
void vertexAt(const Vec3& base, const Vec3& offset)
{
    glVertex3f(static_cast<float>(base.x + offset.x), static_cast<float>(base.y + offset.y),
               static_cast<float>(base.z + offset.z));
}

Vec3 panelCorner(const CockpitAxes& axes, double side, double up)
{
    return Vec3{axes.view.x + side * axes.side.x + up * axes.up.x, axes.view.y + side * axes.side.y + up * axes.up.y,
                axes.view.z + side * axes.side.z + up * axes.up.z};
}

// A radar dot: a small square around centre, relative to the eye. It carries
// no texture coordinate, so the cockpit texel last addressed tints it.
void drawDot(const Vec3& centre, const RadarDots& dots, float red, float green, float blue)
{
    const double signSide[4] = {1.0, -1.0, -1.0, 1.0};
    const double signUp[4] = {-1.0, -1.0, 1.0, 1.0};
    glBegin(GL_POLYGON);
    for (int i = 0; i < 4; ++i) {
        glColor3f(red, green, blue);
        const Vec3 corner{centre.x + signSide[i] * dots.halfSide.x + signUp[i] * dots.halfUp.x,
                          centre.y + signSide[i] * dots.halfSide.y + signUp[i] * dots.halfUp.y,
                          centre.z + signSide[i] * dots.halfSide.z + signUp[i] * dots.halfUp.z};
        glVertex3f(static_cast<float>(corner.x), static_cast<float>(corner.y), static_cast<float>(corner.z));
    }
    glEnd();
}

}  // namespace

void drawCockpit(const World& world, const ViewSettings& view)
{
    const bool wireframe = view.wireframe != 0;
    const Camera& camera = world.shown.camera;
    const CockpitAxes axes = cockpitAxes(camera);

    // The panel is solid even in wireframe mode.
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);

    // Lower and upper corners; side points to the viewer's left.
    const Vec3 p1 = panelCorner(axes, 1.0, -1.0);
    const Vec3 p2 = panelCorner(axes, -1.0, -1.0);
    const Vec3 p3 = panelCorner(axes, -1.0, 1.0);
    const Vec3 p4 = panelCorner(axes, 1.0, 1.0);

    // The panel's see-through parts need blending whatever the transparency option says.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    bindTexture(TEX_COCKPIT);

    glBegin(GL_POLYGON);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    vertexAt(camera.position, p1);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(1.0f, 0.0f);
    vertexAt(camera.position, p2);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(1.0f, 1.0f);
    vertexAt(camera.position, p3);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    vertexAt(camera.position, p4);
    glEnd();
    glDisable(GL_BLEND);

    const float eyeX = static_cast<float>(camera.position.x);
    const float eyeY = static_cast<float>(camera.position.y);
    const float eyeZ = static_cast<float>(camera.position.z);
    glTranslatef(eyeX, eyeY, eyeZ);
    const RadarDots dots = radarDots(axes, world.camera);
    drawDot(dots.front, dots, 0.6f, 0.6f, 0.6f);
    drawDot(dots.rear, dots, 0.6f, 0.6f, 0.6f);
    const PaletteColour& blip = paletteOf(view.palette).blip;
    drawDot(dots.blip, dots, blip.red, blip.green, blip.blue);
    glTranslatef(-eyeX, -eyeY, -eyeZ);

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
}
