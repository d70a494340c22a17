#include "octree_invariant.h"

#include "geometry/octree.h"
#include "sim/asteroid.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int LEAF_COUNT = 512;
constexpr int NODE_COUNT = 585;
constexpr int LEAF_HALF_EXTENT = 32;

// The signs of each child's centre offset, in child order.
const int CHILD_SIGN[OCTREE_CHILD_COUNT][3] = {
    {-1, +1, +1}, {-1, +1, -1}, {+1, +1, -1}, {+1, +1, +1},
    {-1, -1, +1}, {-1, -1, -1}, {+1, -1, -1}, {+1, -1, +1},
};

struct Walk {
    OctreeCensus census;
    int filed[ASTEROID_COUNT] = {};
    const Asteroid* field = nullptr;
    bool fresh = false;

    bool fail(const char* what, int asteroid = -1)
    {
        if (!census.fault) {
            census.fault = what;
            census.asteroid = asteroid;
        }
        return false;
    }

    static bool leafHolds(const OctreeNode& leaf, const Vertex& p)
    {
        const float root = static_cast<float>(OCTREE_ROOT_HALF_EXTENT);
        const float h = static_cast<float>(leaf.halfExtent);
        const float c[3] = {leaf.center.x, leaf.center.y, leaf.center.z};
        const float q[3] = {p.x, p.y, p.z};
        for (int axis = 0; axis < 3; ++axis) {
            const float v = std::clamp(q[axis], -root, root);
            if (!(c[axis] - h <= v && v <= c[axis] + h)) {
                return false;
            }
        }
        return true;
    }

    bool leaf(const OctreeNode& node)
    {
        ++census.leaves;
        if (node.halfExtent != LEAF_HALF_EXTENT) {
            return fail("a leaf of the wrong size");
        }
        for (const OctreeNode* child : node.children) {
            if (child) {
                return fail("a leaf with a child");
            }
        }
        int guard = 0;
        for (const OctreeEntry* e = node.objects; e; e = e->next) {
            if (++guard > ASTEROID_COUNT) {
                return fail("a leaf list longer than the field (a loop?)");
            }
            const int a = e->object;
            if (a < 0 || a >= ASTEROID_COUNT) {
                return fail("an entry that names no asteroid of the array");
            }
            ++census.entries;
            if (++filed[a] > 1) {
                return fail("an asteroid filed twice", a);
            }
            if (fresh && !leafHolds(node, field[a].position)) {
                return fail("an asteroid filed in a leaf that does not hold it", a);
            }
        }
        return true;
    }

    bool node(const OctreeNode& n, int depth)
    {
        ++census.nodes;
        if (!n.children[0]) {
            return depth == OCTREE_DEPTH ? leaf(n) : fail("a leaf above the bottom level");
        }
        if (depth >= OCTREE_DEPTH) {
            return fail("a node below the bottom level");
        }
        if (n.objects) {
            return fail("entries in an interior node");
        }
        const int h = n.halfExtent / 2;
        for (int i = 0; i < OCTREE_CHILD_COUNT; ++i) {
            const OctreeNode* c = n.children[i];
            if (!c) {
                return fail("an interior node missing a child");
            }
            const float hf = static_cast<float>(h);
            if (c->halfExtent != h || c->center.x != n.center.x + CHILD_SIGN[i][0] * hf ||
                c->center.y != n.center.y + CHILD_SIGN[i][1] * hf ||
                c->center.z != n.center.z + CHILD_SIGN[i][2] * hf) {
                return fail("children that do not tile their parent");
            }
            if (!node(*c, depth + 1)) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace

OctreeCensus checkOctree(const Octree& tree, const Asteroid* field, bool fresh)
{
    Walk walk;
    walk.field = field;
    walk.fresh = fresh;
    if (tree.halfExtent != OCTREE_ROOT_HALF_EXTENT || tree.center.x != 0.0f || tree.center.y != 0.0f ||
        tree.center.z != 0.0f) {
        walk.fail("the root is not the arena cube");
        return walk.census;
    }
    if (!walk.node(tree, 0)) {
        return walk.census;
    }
    if (walk.census.nodes != NODE_COUNT || walk.census.leaves != LEAF_COUNT) {
        walk.fail("the tree is not the depth-3 subdivision");
    } else if (tree.pending) {
        walk.fail("pending not empty between frames", tree.pending->object);
    } else {
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            if (walk.filed[i] != 1) {
                walk.fail("an asteroid filed nowhere", i);
                break;
            }
        }
    }
    return walk.census;
}
