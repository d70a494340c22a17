// The arena cube cut into a fixed three-level subdivision whose 512 leaf cubes
// list the asteroids inside them, so a frame can skip whole cubes outside the
// view. The filing lives in the core; the drawing is the renderer's.
#pragma once

#include "geometry/model.h"

struct Asteroid;
struct Frustum;

constexpr int OCTREE_CHILD_COUNT = 8;
constexpr int OCTREE_ROOT_HALF_EXTENT = 256;
constexpr int OCTREE_DEPTH = 3;

struct OctreeEntry {
    Asteroid* object = nullptr;  // not owned
    OctreeEntry* next = nullptr;
};

struct OctreeNode {
    OctreeNode* children[OCTREE_CHILD_COUNT] = {};  // owned; all null in a leaf
    Vertex center;                                   // only x, y, z are used
    int halfExtent = 0;
    OctreeEntry* objects = nullptr;                  // leaves only, in filing order
};

struct Octree : OctreeNode {
    OctreeEntry* pending = nullptr;  // asteroids that left their leaf this frame

    Octree();

    // Subdivides the root into depth further levels (depth 3: 585 nodes, 512
    // leaves of edge 64). A tree built before is released first.
    void build(int depth);
    // Files the asteroid at the tail of the leaf that holds its position. A
    // position outside the root cube goes to the leaf nearest to it.
    void insert(Asteroid* asteroid);
    // True when the asteroid's position lies in the node's closed cube.
    static bool contains(const OctreeNode* node, const Asteroid* asteroid);
    static bool isLeaf(const OctreeNode* node);
    // Moves every asteroid that has left its leaf to pending.
    void refresh(OctreeNode* node);
    // Files the pending asteroids again and empties pending.
    void reinsertPending();
    // Frees every node and entry below the root; the root itself is static.
    void release();

    // With the renderer: the asteroids of the leaves that pass the frustum, in
    // immediate mode or through the display lists starting at listBase; and
    // the outlines of every leaf cube.
    void drawVisible(const OctreeNode* node, const Frustum& view) const;
    void drawVisibleWithLists(const OctreeNode* node, const Frustum& view, unsigned int listBase) const;
    void drawBoxes(const OctreeNode* node) const;
};

// The one tree over the asteroid field, built at start-up.
extern Octree octree;
