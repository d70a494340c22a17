#include "render/model_draw.h"

#include "render/palette.h"
#include "sim/course.h"

#include <GL/gl.h>

unsigned int asteroidListBase = 0;

namespace {

const float MODEL_SHININESS = 38.4f;
const float GATE_SHININESS = 16.384f;

// The file gives diffuse and specular three components; alpha does not enter
// the lighting result, so it is fixed at 1.
void setMaterial(const Model& model, float shininess)
{
    const GLfloat diffuse[4] = {model.diffuse[0], model.diffuse[1], model.diffuse[2], 1.0f};
    const GLfloat specular[4] = {model.specular[0], model.specular[1], model.specular[2], 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT, model.ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
}

template <bool WITH_TEXTURE_COORDINATES>
void sendTriangles(const Model& model)
{
    for (int m = 0; m < model.meshCount; ++m) {
        const Mesh& mesh = model.meshes[m];
        for (int t = 0; t < mesh.triangleCount; ++t) {
            for (int k : mesh.triangles[t].indices) {
                const Vertex& vertex = mesh.vertices[k];
                const Vec3& normal = mesh.normals[k];
                if (WITH_TEXTURE_COORDINATES) {
                    glTexCoord2f(vertex.u, vertex.v);
                }
                glNormal3f(static_cast<float>(normal.x), static_cast<float>(normal.y),
                           static_cast<float>(normal.z));
                glVertex3f(vertex.x, vertex.y, vertex.z);
            }
        }
    }
}

// The translation comes before the push, so the pop alone does not undo it:
// unplaceObject translates back explicitly and leaves the matrix as it found it.
void placeObject(const Vertex& position, float scale, float spinAngle, const Vec3& spinAxis)
{
    glTranslatef(position.x, position.y, position.z);
    glPushMatrix();
    glEnable(GL_NORMALIZE);
    glScalef(scale, scale, scale);
    glRotatef(spinAngle, static_cast<float>(spinAxis.x), static_cast<float>(spinAxis.y),
              static_cast<float>(spinAxis.z));
}

void unplaceObject(const Vertex& position)
{
    glPopMatrix();
    glTranslatef(-position.x, -position.y, -position.z);
}

}  // namespace

void setModelMaterial(const Model& model, float shininess)
{
    setMaterial(model, shininess);
}

void sendModelTriangles(const Model& model)
{
    sendTriangles<false>(model);
}

void Model::drawBody() const
{
    // Colour and material go inside the batch, so a display list of the body
    // carries them too.
    glBegin(GL_TRIANGLES);
    glColor3f(1.0f, 1.0f, 1.0f);
    setMaterial(*this, MODEL_SHININESS);
    sendTriangles<true>(*this);
    glEnd();
}

void Asteroid::pushTransform() const
{
    placeObject(position, ASTEROID_SCALE, spinAngle, spinAxis);
}

void Asteroid::popTransform() const
{
    unplaceObject(position);
}

void Asteroid::draw() const
{
    pushTransform();
    drawBody();
    popTransform();
}

// Gates send no texture coordinates: each takes the one current when the gate
// pass begins, so the gate texture tints it uniformly.
void Gate::draw(const Palette& palette) const
{
    placeObject(position, GATE_SCALE, spinAngle, spinAxis);

    glBegin(GL_TRIANGLES);
    const PaletteColour& colour = active != 0 ? palette.activeGate : palette.otherGate;
    glColor3f(colour.red, colour.green, colour.blue);
    setMaterial(*this, GATE_SHININESS);
    sendTriangles<false>(*this);
    glEnd();
    unplaceObject(position);
}

void toggleAsteroidLists(ViewSettings& view, const Asteroid* field)
{
    int& displayLists = view.displayLists;
    // The option decides, not whether lists happen to exist, so a build that
    // failed once cannot leave the two out of step for the rest of the run.
    if (displayLists == 0) {
        if (asteroidListBase != 0) {
            glDeleteLists(asteroidListBase, ASTEROID_LIST_COUNT);
            asteroidListBase = 0;
        }
        return;
    }
    if (asteroidListBase != 0) {
        return;
    }
    // 0 means the library could not make the lists: the option goes back off,
    // so the panel shows what the asteroid pass really does (immediate mode).
    asteroidListBase = glGenLists(ASTEROID_LIST_COUNT);
    if (asteroidListBase == 0) {
        displayLists = 0;
        return;
    }
    for (int i = 0; i < ASTEROID_LIST_COUNT; ++i) {
        glNewList(asteroidListBase + i, GL_COMPILE);
        field[i].drawBody();
        glEndList();
    }
}

bool asteroidListsInUse(const ViewSettings& view)
{
    const int displayLists = view.displayLists;
    return displayLists != 0 && asteroidListBase != 0;
}
