#include "geometry/octree.h"

#include "sim/asteroid.h"

#include <cmath>

namespace {

// Child centres are offset by ±h per axis in this fixed order, which is also
// the order of every traversal and the tie-break between children that share
// a face, edge or corner.
const int CHILD_SIGN[OCTREE_CHILD_COUNT][3] = {
    {-1, +1, +1}, {-1, +1, -1}, {+1, +1, -1}, {+1, +1, +1},
    {-1, -1, +1}, {-1, -1, -1}, {+1, -1, -1}, {+1, -1, +1},
};

void subdivide(OctreeNode* node, int levels, int childHalfExtent)
{
    node->objects = nullptr;
    if (levels < 0) {
        for (OctreeNode*& child : node->children) {
            child = nullptr;
        }
        return;
    }
    const float h = static_cast<float>(childHalfExtent);
    for (int i = 0; i < OCTREE_CHILD_COUNT; ++i) {
        OctreeNode* child = new OctreeNode;
        child->center = Vertex(node->center.x + CHILD_SIGN[i][0] * h, node->center.y + CHILD_SIGN[i][1] * h,
                               node->center.z + CHILD_SIGN[i][2] * h);
        child->halfExtent = childHalfExtent;
        node->children[i] = child;
        subdivide(child, levels - 1, childHalfExtent / 2);
    }
}

bool cubeHolds(const OctreeNode* node, float x, float y, float z)
{
    const float h = static_cast<float>(node->halfExtent);
    return node->center.x - h <= x && x <= node->center.x + h && node->center.y - h <= y &&
           y <= node->center.y + h && node->center.z - h <= z && z <= node->center.z + h;
}

// Clamps one coordinate into [low, high]; NaN, which no cube holds, is taken as
// the middle.
float clampInto(float value, float low, float high)
{
    if (std::isnan(value)) {
        return (low + high) * 0.5f;
    }
    return value < low ? low : (value > high ? high : value);
}

void freeList(OctreeEntry* entry)
{
    while (entry != nullptr) {
        OctreeEntry* next = entry->next;
        delete entry;
        entry = next;
    }
}

void appendTo(OctreeEntry*& head, int asteroid)
{
    OctreeEntry* entry = new OctreeEntry;
    entry->object = asteroid;
    OctreeEntry** tail = &head;
    while (*tail != nullptr) {
        tail = &(*tail)->next;
    }
    *tail = entry;
}

void releaseChildren(OctreeNode* node)
{
    for (OctreeNode*& child : node->children) {
        if (child != nullptr) {
            releaseChildren(child);
            freeList(child->objects);
            delete child;
            child = nullptr;
        }
    }
}

OctreeEntry* copyList(const OctreeEntry* entry)
{
    OctreeEntry* head = nullptr;
    OctreeEntry** tail = &head;
    for (; entry != nullptr; entry = entry->next) {
        *tail = new OctreeEntry{entry->object, nullptr};
        tail = &(*tail)->next;
    }
    return head;
}

// The children of from, with their filing, below to.
void copyChildren(OctreeNode* to, const OctreeNode* from)
{
    for (int i = 0; i < OCTREE_CHILD_COUNT; ++i) {
        const OctreeNode* child = from->children[i];
        if (child == nullptr) {
            to->children[i] = nullptr;
            continue;
        }
        OctreeNode* copy = new OctreeNode;
        copy->center = child->center;
        copy->halfExtent = child->halfExtent;
        copy->objects = copyList(child->objects);
        copyChildren(copy, child);
        to->children[i] = copy;
    }
}

}  // namespace

Octree::Octree()
{
    center = Vertex(0.0f, 0.0f, 0.0f);
    halfExtent = OCTREE_ROOT_HALF_EXTENT;
}

Octree::Octree(const Octree& other) : OctreeNode()
{
    *this = other;
}

Octree& Octree::operator=(const Octree& other)
{
    if (this == &other) {
        return *this;
    }
    release();
    center = other.center;
    halfExtent = other.halfExtent;
    objects = copyList(other.objects);
    pending = copyList(other.pending);
    copyChildren(this, &other);
    return *this;
}

Octree::~Octree()
{
    release();
}

void Octree::build(int depth)
{
    release();
    subdivide(this, depth - 1, halfExtent / 2);
}

bool Octree::contains(const OctreeNode* node, const Asteroid* asteroid)
{
    return cubeHolds(node, asteroid->position.x, asteroid->position.y, asteroid->position.z);
}

bool Octree::isLeaf(const OctreeNode* node)
{
    return node->children[0] == nullptr;
}

// The collision pass can push an asteroid a little past the root cube before
// the next drift step brings it back; such a position is looked up as the
// nearest point of the root cube, so it is filed in the nearest leaf and stays
// there until it moves back in.
static void lookupPoint(const Octree& root, const Asteroid* asteroid, float& x, float& y, float& z)
{
    const float h = static_cast<float>(root.halfExtent);
    x = clampInto(asteroid->position.x, root.center.x - h, root.center.x + h);
    y = clampInto(asteroid->position.y, root.center.y - h, root.center.y + h);
    z = clampInto(asteroid->position.z, root.center.z - h, root.center.z + h);
}

void Octree::insert(const Asteroid& asteroid)
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    lookupPoint(*this, &asteroid, x, y, z);
    OctreeNode* node = this;
    while (!isLeaf(node)) {
        OctreeNode* next = nullptr;
        for (OctreeNode* child : node->children) {
            if (cubeHolds(child, x, y, z)) {
                next = child;
                break;
            }
        }
        if (next == nullptr) {
            // Cannot happen for a point of the root cube, whose children tile
            // it exactly; the nearest child centre keeps the walk on the tree.
            next = node->children[0];
            float best = INFINITY;
            for (OctreeNode* child : node->children) {
                const float dx = child->center.x - x;
                const float dy = child->center.y - y;
                const float dz = child->center.z - z;
                const float distance = dx * dx + dy * dy + dz * dz;
                if (distance < best) {
                    best = distance;
                    next = child;
                }
            }
        }
        node = next;
    }
    appendTo(node->objects, asteroid.index);
}

void Octree::refresh(OctreeNode* node, const Asteroid* field)
{
    if (!isLeaf(node)) {
        for (OctreeNode* child : node->children) {
            refresh(child, field);
        }
        return;
    }
    OctreeEntry** link = &node->objects;
    while (*link != nullptr) {
        OctreeEntry* entry = *link;
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        lookupPoint(*this, &field[entry->object], x, y, z);
        if (cubeHolds(node, x, y, z)) {
            link = &entry->next;
            continue;
        }
        appendTo(pending, entry->object);
        *link = entry->next;
        delete entry;
    }
}

void Octree::reinsertPending(const Asteroid* field)
{
    if (pending == nullptr) {
        return;
    }
    for (OctreeEntry* entry = pending; entry != nullptr; entry = entry->next) {
        insert(field[entry->object]);
    }
    freeList(pending);
    pending = nullptr;
}

void Octree::release()
{
    releaseChildren(this);
    freeList(objects);
    objects = nullptr;
    freeList(pending);
    pending = nullptr;
}
