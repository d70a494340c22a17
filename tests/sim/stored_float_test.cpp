// The simulation stores positions as floats and reads them back widened, and
// relies on the rounding in between (a pair contact re-measures its line of
// centres from the moved, float position). Some compilers' vectorisers
// forward the unrounded double instead; the build must keep them from it.
#include <gtest/gtest.h>

namespace {

struct FloatPoint {
    float x, y, z;
};
struct Offset {
    double x, y, z;
};

// The shape of the collision pass's "move, then measure again".
__attribute__((noinline)) Offset moveThenMeasure(const FloatPoint& from, FloatPoint& moved, const Offset& n,
                                                 double reach)
{
    moved.x = static_cast<float>(from.x + n.x * reach);
    moved.y = static_cast<float>(from.y + n.y * reach);
    moved.z = static_cast<float>(from.z + n.z * reach);
    const Offset measured{static_cast<double>(moved.x) - from.x, static_cast<double>(moved.y) - from.y,
                          static_cast<double>(moved.z) - from.z};
    return measured;
}

}  // namespace

TEST(StoredFloat, IsReadBackRoundedNotAsTheDoubleItCameFrom)
{
    // Read through volatile so that the values reach the function at run time
    // and are not folded into a copy of it.
    volatile double input[] = {1.5, 2.25, -3.0, 0.3, 0.4, 0.5, 16.0010000000474974513};
    const FloatPoint from{static_cast<float>(input[0]), static_cast<float>(input[1]), static_cast<float>(input[2])};
    FloatPoint moved{};
    const Offset n{input[3], input[4], input[5]};
    const Offset measured = moveThenMeasure(from, moved, n, input[6]);
    // Every axis must see the float it stored, whichever lanes the compiler paired.
    EXPECT_EQ(measured.x, static_cast<double>(moved.x) - from.x);
    EXPECT_EQ(measured.y, static_cast<double>(moved.y) - from.y);
    EXPECT_EQ(measured.z, static_cast<double>(moved.z) - from.z);
    EXPECT_EQ(measured.x, static_cast<double>(static_cast<float>(1.5 + 0.3 * 16.0010000000474974513)) - 1.5);
}
