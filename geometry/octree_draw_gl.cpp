#include "geometry/frustum.h"
#include "geometry/octree.h"
#include "sim/asteroid.h"

#include <GL/gl.h>

// The node given is not tested itself: from the root the first tests are
// those of its eight children. A leaf given draws its own asteroids.
void Octree::drawVisible(const OctreeNode* node, const Frustum& view, const Asteroid* field) const
{
    if (isLeaf(node)) {
        for (const OctreeEntry* entry = node->objects; entry != nullptr; entry = entry->next) {
            field[entry->object].draw();
        }
        return;
    }
    for (const OctreeNode* child : node->children) {
        if (view.boxVisible(child->center.x, child->center.y, child->center.z,
                            static_cast<float>(child->halfExtent))) {
            drawVisible(child, view, field);
        }
    }
}

void Octree::drawVisibleWithLists(const OctreeNode* node, const Frustum& view, const Asteroid* field,
                                  unsigned int listBase) const
{
    if (isLeaf(node)) {
        for (const OctreeEntry* entry = node->objects; entry != nullptr; entry = entry->next) {
            const Asteroid* asteroid = &field[entry->object];
            asteroid->pushTransform();
            glCallList(listBase + static_cast<unsigned int>(asteroid->index));
            asteroid->popTransform();
        }
        return;
    }
    for (const OctreeNode* child : node->children) {
        if (view.boxVisible(child->center.x, child->center.y, child->center.z,
                            static_cast<float>(child->halfExtent))) {
            drawVisibleWithLists(child, view, field, listBase);
        }
    }
}

namespace {

// Twelve edges of a leaf cube as signs of the half edge on x, y, z.
const float BOX_EDGES[24][3] = {
    {-1, -1, +1}, {+1, -1, +1}, {+1, -1, +1}, {+1, +1, +1}, {+1, +1, +1}, {-1, +1, +1},
    {-1, +1, +1}, {-1, -1, +1}, {-1, -1, +1}, {-1, -1, -1}, {+1, -1, +1}, {+1, -1, -1},
    {-1, +1, +1}, {-1, +1, -1}, {+1, +1, +1}, {+1, +1, -1}, {+1, +1, -1}, {-1, +1, -1},
    {-1, +1, -1}, {-1, -1, -1}, {-1, -1, -1}, {+1, -1, -1}, {+1, -1, -1}, {+1, +1, -1},
};

}  // namespace

void Octree::drawBoxes(const OctreeNode* node) const
{
    if (!isLeaf(node)) {
        for (const OctreeNode* child : node->children) {
            drawBoxes(child);
        }
        return;
    }
    const float h = static_cast<float>(node->halfExtent);
    glBegin(GL_LINES);
    glColor3f(0.0f, 1.0f, 0.0f);
    for (const float* sign : BOX_EDGES) {
        glVertex3f(node->center.x + sign[0] * h, node->center.y + sign[1] * h, node->center.z + sign[2] * h);
    }
    glEnd();
}
