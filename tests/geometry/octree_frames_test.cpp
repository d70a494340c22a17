#include "geometry/octree.h"
#include "sim/asteroid.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/world.h"
#include "support/sim_world.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// Every 37th frame, right after the drift, two asteroids are set touching at
// a wall, so the collision pass pushes the higher one past the arena cube.
int pushFrame = 0;
int pushIndex = 0;
void pushPairAgainstAWall(World& world)
{
    if (pushFrame % 37 != 0) {
        return;
    }
    const int i = pushIndex;
    const float sign = (pushFrame / 37) % 2 ? 1.0f : -1.0f;
    world.asteroids[i].position = Vertex(sign * 244.0f, 60.0f - i, 10.0f);
    world.asteroids[i + 1].position = Vertex(sign * 248.0f, 60.0f - i, 10.0f);
}

class OctreeFramesTest : public SimWorld {};

void collectLeaves(const OctreeNode* node, std::vector<const OctreeNode*>& leaves)
{
    if (Octree::isLeaf(node)) {
        leaves.push_back(node);
        return;
    }
    for (const OctreeNode* child : node->children) {
        collectLeaves(child, leaves);
    }
}

TEST_F(OctreeFramesTest, EveryAsteroidStaysFiledOnceThroughTenThousandFrames)
{
    setUpWorld(world, 20240607);
    const Octree& octree = world.octree;

    std::vector<const OctreeNode*> leaves;
    collectLeaves(&octree, leaves);
    ASSERT_EQ(leaves.size(), 512u);

    std::mt19937 generator(11);
    std::uniform_real_distribution<float> frameMs(1.0f, 100.0f);
    std::uniform_int_distribution<int> input(-1, 1);
    int outsideFrames = 0;
    Vertex filedAt[ASTEROID_COUNT];
    for (int frame = 0; frame < 10000; ++frame) {
        pushFrame = frame;
        pushIndex = 2 * (frame % 90);
        if (frame % 50 == 0) {
            game.hands.thrustInput = input(generator);
            game.hands.rollInput = input(generator);
        }
        if (frame % 200 == 0) {
            game.input.fire();
        }
        // A pair pressed together against a wall: the collision pass pushes
        // one of them past the arena's edge.
        pushPairAgainstAWall(world);
        // The step files the asteroids where they are as it starts, before
        // anything moves.
        bool outside = false;
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            const Vertex& p = world.asteroids[i].position;
            filedAt[i] = p;
            outside = outside || std::abs(p.x) > 256.0f || std::abs(p.y) > 256.0f || std::abs(p.z) > 256.0f;
        }
        outsideFrames += outside;
        this->frame(frameMs(generator));
        ASSERT_EQ(octree.pending, nullptr) << frame;

        std::vector<int> filed(ASTEROID_COUNT, 0);
        for (const OctreeNode* leaf : leaves) {
            for (const OctreeEntry* entry = leaf->objects; entry != nullptr; entry = entry->next) {
                const int asteroid = entry->object;
                ASSERT_TRUE(asteroid >= 0 && asteroid < ASTEROID_COUNT) << "frame " << frame;
                ++filed[asteroid];
                // Freshly filed: the leaf holds the asteroid, or, outside the
                // arena, the point of the arena nearest to it.
                const float h = static_cast<float>(leaf->halfExtent);
                const float x = std::clamp(filedAt[asteroid].x, -256.0f, 256.0f);
                const float y = std::clamp(filedAt[asteroid].y, -256.0f, 256.0f);
                const float z = std::clamp(filedAt[asteroid].z, -256.0f, 256.0f);
                ASSERT_TRUE(std::abs(x - leaf->center.x) <= h && std::abs(y - leaf->center.y) <= h &&
                            std::abs(z - leaf->center.z) <= h)
                    << "frame " << frame << " asteroid " << asteroid;
            }
        }
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            ASSERT_EQ(filed[i], 1) << "frame " << frame << " asteroid " << i;
        }
    }
    // The run did meet positions past the arena cube, and refiled through them.
    EXPECT_GT(outsideFrames, 100);
}

}  // namespace
