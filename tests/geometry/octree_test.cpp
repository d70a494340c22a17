#include "geometry/octree.h"
#include "sim/asteroid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <set>
#include <vector>

namespace {

void collectLeaves(const OctreeNode* node, std::vector<const OctreeNode*>& leaves, int& nodeCount)
{
    ++nodeCount;
    if (Octree::isLeaf(node)) {
        leaves.push_back(node);
        return;
    }
    for (const OctreeNode* child : node->children) {
        collectLeaves(child, leaves, nodeCount);
    }
}

// The asteroid indices a list files, in order.
std::vector<int> listOf(const OctreeEntry* entry)
{
    std::vector<int> out;
    for (; entry != nullptr; entry = entry->next) {
        out.push_back(entry->object);
    }
    return out;
}

// How often each asteroid appears in a leaf list (pending counted apart).
std::map<int, int> filingCounts(const Octree& tree)
{
    std::vector<const OctreeNode*> leaves;
    int nodeCount = 0;
    collectLeaves(&tree, leaves, nodeCount);
    std::map<int, int> counts;
    for (const OctreeNode* leaf : leaves) {
        for (int asteroid : listOf(leaf->objects)) {
            ++counts[asteroid];
        }
    }
    return counts;
}

const OctreeNode* leafHolding(const Octree& tree, int asteroid)
{
    std::vector<const OctreeNode*> leaves;
    int nodeCount = 0;
    collectLeaves(&tree, leaves, nodeCount);
    for (const OctreeNode* leaf : leaves) {
        for (int filed : listOf(leaf->objects)) {
            if (filed == asteroid) {
                return leaf;
            }
        }
    }
    return nullptr;
}

class OctreeTest : public ::testing::Test {
protected:
    void SetUp() override { tree.build(OCTREE_DEPTH); }
    void TearDown() override { tree.release(); }

    Asteroid& at(int i, float x, float y, float z)
    {
        rocks[i].position = Vertex(x, y, z);
        rocks[i].index = i;
        return rocks[i];
    }

    void frame()
    {
        tree.refresh(&tree, rocks);
        tree.reinsertPending(rocks);
    }

    Octree tree;
    Asteroid rocks[8];
};

TEST_F(OctreeTest, DepthThreeGivesFiveHundredTwelveLeavesOnTheSixtyFourGrid)
{
    std::vector<const OctreeNode*> leaves;
    int nodeCount = 0;
    collectLeaves(&tree, leaves, nodeCount);
    EXPECT_EQ(nodeCount, 585);
    ASSERT_EQ(leaves.size(), 512u);
    const std::set<float> grid = {-224, -160, -96, -32, 32, 96, 160, 224};
    std::set<std::vector<float>> centres;
    for (const OctreeNode* leaf : leaves) {
        EXPECT_EQ(leaf->halfExtent, 32);
        EXPECT_TRUE(grid.count(leaf->center.x) && grid.count(leaf->center.y) && grid.count(leaf->center.z));
        centres.insert({leaf->center.x, leaf->center.y, leaf->center.z});
    }
    EXPECT_EQ(centres.size(), 512u);  // every cell of the grid exactly once
    EXPECT_EQ(tree.children[0]->halfExtent, 128);
    EXPECT_EQ(tree.children[0]->children[0]->halfExtent, 64);
}

TEST_F(OctreeTest, SharedFacesGoToTheFirstChildInOrder)
{
    tree.insert(at(0, 0.0f, 0.0f, 0.0f));
    tree.insert(at(1, 250.0f, 250.0f, 250.0f));

    const OctreeNode* origin = tree.children[0]->children[6]->children[6];
    EXPECT_EQ(origin->center.x, -32.0f);
    EXPECT_EQ(origin->center.y, 32.0f);
    EXPECT_EQ(origin->center.z, 32.0f);
    EXPECT_EQ(listOf(origin->objects), std::vector<int>{0});

    const OctreeNode* corner = tree.children[3]->children[3]->children[3];
    EXPECT_EQ(corner->center.x, 224.0f);
    EXPECT_EQ(corner->center.y, 224.0f);
    EXPECT_EQ(corner->center.z, 224.0f);
    EXPECT_EQ(listOf(corner->objects), std::vector<int>{1});
}

TEST_F(OctreeTest, RefreshMovesOnlyLeaversAndKeepsTheOrderOfTheRest)
{
    // Three asteroids in the leaf around (32, 32, 32), filed in this order.
    tree.insert(at(0, 10.0f, 10.0f, 10.0f));
    tree.insert(at(1, 20.0f, 20.0f, 20.0f));
    tree.insert(at(2, 30.0f, 30.0f, 30.0f));
    const OctreeNode* leaf = leafHolding(tree, 0);
    ASSERT_NE(leaf, nullptr);

    // The middle one crosses into the leaf around (96, 32, 32).
    rocks[1].position.x = 70.0f;
    tree.refresh(&tree, rocks);
    EXPECT_EQ(listOf(leaf->objects), (std::vector<int>{0, 2}));
    EXPECT_EQ(listOf(tree.pending), std::vector<int>{1});
    EXPECT_EQ(leafHolding(tree, 1), nullptr);

    tree.reinsertPending(rocks);
    EXPECT_EQ(tree.pending, nullptr);
    const OctreeNode* moved = leafHolding(tree, 1);
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->center.x, 96.0f);
    EXPECT_EQ(moved->center.y, 32.0f);
}

TEST_F(OctreeTest, AnAsteroidOnALeafBoundaryStaysWhereItWasFiled)
{
    // Filed in the leaf around (32, 32, 32), then drifts onto its face at x = 0,
    // which the leaf around (-32, 32, 32) shares and would win on insertion.
    tree.insert(at(0, 10.0f, 10.0f, 10.0f));
    const OctreeNode* leaf = leafHolding(tree, 0);
    rocks[0].position.x = 0.0f;
    for (int i = 0; i < 3; ++i) {
        frame();
        EXPECT_EQ(leafHolding(tree, 0), leaf);
    }
    rocks[0].position.x = -0.001f;
    frame();
    EXPECT_EQ(leafHolding(tree, 0)->center.x, -32.0f);
}

// The collision pass can push an asteroid to about 267 units before the drift
// clamps it back: it must still be filed once, in the nearest leaf.
TEST_F(OctreeTest, PositionsOutsideTheArenaAreFiledInTheNearestLeaf)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float x, y, z;
        float leafX, leafY, leafZ;
    };
    const Case cases[] = {
        {267.0f, 0.0f, 0.0f, 224.0f, 32.0f, -32.0f},
        {-266.5f, -300.0f, 100.0f, -224.0f, -224.0f, 96.0f},
        {256.0001f, 256.0001f, -256.0001f, 224.0f, 224.0f, -224.0f},
        {-inf, 5.0f, 5.0f, -224.0f, 32.0f, 32.0f},
        {nan, 5.0f, 5.0f, -32.0f, 32.0f, 32.0f},
    };
    for (int i = 0; i < 5; ++i) {
        tree.insert(at(i, cases[i].x, cases[i].y, cases[i].z));
    }
    for (int round = 0; round < 2; ++round) {  // on insertion and after a refresh
        const auto counts = filingCounts(tree);
        EXPECT_EQ(counts.size(), 5u);
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            const OctreeNode* leaf = leafHolding(tree, i);
            ASSERT_NE(leaf, nullptr);
            EXPECT_EQ(counts.at(i), 1);
            EXPECT_EQ(leaf->center.x, cases[i].leafX);
            EXPECT_EQ(leaf->center.y, cases[i].leafY);
            EXPECT_EQ(leaf->center.z, cases[i].leafZ);
        }
        frame();
        EXPECT_EQ(tree.pending, nullptr);
    }

    // Back inside, it moves on like any other asteroid.
    rocks[0].position = Vertex(-100.0f, 0.0f, 0.0f);
    frame();
    EXPECT_EQ(leafHolding(tree, 0)->center.x, -96.0f);
}

TEST_F(OctreeTest, ReleaseEmptiesTheTreeAndABuildStartsAfresh)
{
    tree.insert(at(0, 1.0f, 2.0f, 3.0f));
    rocks[0].position.x = 100.0f;
    tree.refresh(&tree, rocks);  // leaves one entry pending
    tree.release();
    EXPECT_TRUE(Octree::isLeaf(&tree));
    EXPECT_EQ(tree.pending, nullptr);
    EXPECT_EQ(tree.objects, nullptr);
    EXPECT_EQ(tree.halfExtent, 256);

    tree.build(2);
    std::vector<const OctreeNode*> leaves;
    int nodeCount = 0;
    collectLeaves(&tree, leaves, nodeCount);
    EXPECT_EQ(nodeCount, 73);
    EXPECT_EQ(leaves.front()->halfExtent, 64);
}

TEST(OctreeContains, BoundsAreClosedAndNanFails)
{
    OctreeNode node;
    node.center = Vertex(32.0f, 32.0f, 32.0f);
    node.halfExtent = 32;
    Asteroid asteroid;
    asteroid.position = Vertex(0.0f, 64.0f, 32.0f);
    EXPECT_TRUE(Octree::contains(&node, &asteroid));
    asteroid.position.y = std::nextafter(64.0f, 100.0f);
    EXPECT_FALSE(Octree::contains(&node, &asteroid));
    asteroid.position = Vertex(32.0f, 32.0f, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FALSE(Octree::contains(&node, &asteroid));
}

}  // namespace
