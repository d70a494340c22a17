// The asteroid octree's invariants, checked by the soak run between frames.
#pragma once

struct Asteroid;
struct Octree;

struct OctreeCensus {
    int nodes = 0;
    int leaves = 0;
    int entries = 0;  // leaf entries, over the whole tree
    // The first broken invariant, or null; asteroid is its asteroid's index
    // where one is concerned, otherwise -1.
    const char* fault = nullptr;
    int asteroid = -1;
};

// Walks the tree. The structure must be the depth-3 subdivision of the arena
// cube (each interior node's eight children tiling its cube, 512 leaves of
// half edge 32, entries only in leaves), every asteroid must be filed in
// exactly one leaf and pending must be empty. With fresh set (the tree was
// just refreshed and re-filed for field as it is) each asteroid's leaf must
// also hold its position in field, taken as the nearest point of the arena
// cube when outside it.
OctreeCensus checkOctree(const Octree& tree, const Asteroid* field, bool fresh);
