// The arena cube cut into a fixed three-level subdivision whose 512 leaf cubes
// list the asteroids inside them, so a frame can skip whole cubes outside the
// view. The filing lives in the core (the world owns it); the drawing is the
// renderer's. Entries name asteroids by their index in the world's array, so
// a copy of the tree files the copy of the world's asteroids.
#pragma once

#include "geometry/model.h"

struct Asteroid;
struct Frustum;

constexpr int OCTREE_CHILD_COUNT = 8;
constexpr int OCTREE_ROOT_HALF_EXTENT = 256;
constexpr int OCTREE_DEPTH = 3;

struct OctreeEntry {
    int object = -1;  // the asteroid's index
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
    // A copy owns a tree of its own with the same filing, in the same order.
    Octree(const Octree& other);
    Octree& operator=(const Octree& other);
    ~Octree();

    // Subdivides the root into depth further levels (depth 3: 585 nodes, 512
    // leaves of edge 64). A tree built before is released first.
    void build(int depth);
    // Files the asteroid at the tail of the leaf that holds its position. A
    // position outside the root cube goes to the leaf nearest to it.
    void insert(const Asteroid& asteroid);
    // True when the asteroid's position lies in the node's closed cube.
    static bool contains(const OctreeNode* node, const Asteroid* asteroid);
    static bool isLeaf(const OctreeNode* node);
    // Moves every asteroid of field that has left its leaf to pending.
    void refresh(OctreeNode* node, const Asteroid* field);
    // Files the pending asteroids of field again and empties pending.
    void reinsertPending(const Asteroid* field);
    // Frees every node and entry below the root; the root itself is a value.
    void release();

    // With the renderer: the asteroids of the leaves that pass the frustum, in
    // immediate mode or through the display lists starting at listBase; and
    // the outlines of every leaf cube.
    void drawVisible(const OctreeNode* node, const Frustum& view, const Asteroid* field) const;
    void drawVisibleWithLists(const OctreeNode* node, const Frustum& view, const Asteroid* field,
                              unsigned int listBase) const;
    void drawBoxes(const OctreeNode* node) const;
};
