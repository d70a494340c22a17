#include "geometry/octree.h"
#include "sim/asteroid.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/world_state.h"
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
void pushPairAgainstAWall()
{
    if (pushFrame % 37 != 0) {
        return;
    }
    const int i = pushIndex;
    const float sign = (pushFrame / 37) % 2 ? 1.0f : -1.0f;
    asteroids[i].position = Vertex(sign * 244.0f, 60.0f - i, 10.0f);
    asteroids[i + 1].position = Vertex(sign * 248.0f, 60.0f - i, 10.0f);
}

class OctreeFramesTest : public SimWorld {
protected:
    void TearDown() override
    {
        octree.release();
        SimWorld::TearDown();
    }
};

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
    randomSeed(20240607);
    setUpWorld();
    octree.build(OCTREE_DEPTH);
    for (Asteroid& asteroid : asteroids) {
        octree.insert(&asteroid);
    }

    std::vector<const OctreeNode*> leaves;
    collectLeaves(&octree, leaves);
    ASSERT_EQ(leaves.size(), 512u);

    std::mt19937 generator(11);
    std::uniform_real_distribution<float> frameMs(1.0f, 100.0f);
    std::uniform_int_distribution<int> input(-1, 1);
    int outsideFrames = 0;
    int refreshedFrames = 0;
    for (int frame = 0; frame < 10000; ++frame) {
        pushFrame = frame;
        pushIndex = 2 * (frame % 90);
        if (frame % 50 == 0) {
            thrustInput = input(generator);
            rollInput = input(generator);
        }
        if (frame % 200 == 0) {
            launchRocket();
        }
        // Culling goes off for a while now and then; the filing goes stale
        // and the next culled frame repairs it.
        const bool culled = (frame / 300) % 4 != 3;
        // A pair pressed together against a wall: the collision pass pushes
        // one of them past the arena's edge.
        pushPairAgainstAWall();
        this->frame(frameMs(generator));

        bool outside = false;
        for (const Asteroid& asteroid : asteroids) {
            outside = outside || std::abs(asteroid.position.x) > 256.0f || std::abs(asteroid.position.y) > 256.0f ||
                      std::abs(asteroid.position.z) > 256.0f;
        }
        outsideFrames += outside;

        if (culled) {
            octree.refresh(&octree);
            octree.reinsertPending();
            ++refreshedFrames;
        }
        ASSERT_EQ(octree.pending, nullptr) << frame;

        std::vector<int> filed(ASTEROID_COUNT, 0);
        for (const OctreeNode* leaf : leaves) {
            for (const OctreeEntry* entry = leaf->objects; entry != nullptr; entry = entry->next) {
                const Asteroid* asteroid = entry->object;
                ++filed[asteroid->index];
                if (!culled) {
                    continue;
                }
                // Freshly filed: the leaf holds the asteroid, or, outside the
                // arena, the point of the arena nearest to it.
                const float h = static_cast<float>(leaf->halfExtent);
                const float x = std::clamp(asteroid->position.x, -256.0f, 256.0f);
                const float y = std::clamp(asteroid->position.y, -256.0f, 256.0f);
                const float z = std::clamp(asteroid->position.z, -256.0f, 256.0f);
                ASSERT_TRUE(std::abs(x - leaf->center.x) <= h && std::abs(y - leaf->center.y) <= h &&
                            std::abs(z - leaf->center.z) <= h)
                    << "frame " << frame << " asteroid " << asteroid->index;
            }
        }
        for (int i = 0; i < ASTEROID_COUNT; ++i) {
            ASSERT_EQ(filed[i], 1) << "frame " << frame << " asteroid " << i;
        }
    }
    // The run did meet positions past the arena cube, and refreshed through them.
    EXPECT_GT(outsideFrames, 100);
    EXPECT_GT(refreshedFrames, 7000);
}

}  // namespace
