#include "render/effect_timing.h"
#include "render/radar.h"
#include "render/texture_table.h"
#include "sim/camera.h"
#include "sim/rocket.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Slots shown by successive frames of elapsedMs until the explosion ends.
std::vector<int> explosionSlots(float elapsedMs)
{
    Rocket rocket;
    rocket.explosionActive = 1;
    std::vector<int> shown;
    while (rocket.explosionActive == 1 && shown.size() < 1000) {
        shown.push_back(advanceExplosion(rocket, elapsedMs));
    }
    EXPECT_EQ(rocket.explosionFrame, TEX_EXPLOSION_FIRST);  // ready for the next explosion
    return shown;
}

void expectNear(const Vec3& a, const Vec3& b)
{
    EXPECT_NEAR(a.x, b.x, 1e-12);
    EXPECT_NEAR(a.y, b.y, 1e-12);
    EXPECT_NEAR(a.z, b.z, 1e-12);
}

Vec3 plus(const Vec3& a, const Vec3& b, double s)
{
    return Vec3{a.x + b.x * s, a.y + b.y * s, a.z + b.z * s};
}
}  // namespace

TEST(Explosion, ShortFramesShowEachImageTwiceLongFramesOnce)
{
    std::vector<int> expectedShort;
    std::vector<int> expectedLong;
    for (int slot = TEX_EXPLOSION_FIRST; slot < TEX_EXPLOSION_END; ++slot) {
        expectedShort.push_back(slot);
        expectedShort.push_back(slot);
        expectedLong.push_back(slot);
    }
    EXPECT_EQ(explosionSlots(10.0f), expectedShort);
    EXPECT_EQ(explosionSlots(40.0f), expectedLong);  // the 24 ms past 16 are dropped
    // Exactly 16 ms is enough to move on.
    EXPECT_EQ(explosionSlots(16.0f), expectedLong);
    EXPECT_EQ(explosionSlots(15.9f).size(), 48u);
}

TEST(Smoke, ParticleAtTwoAndAHalfIsSkippedJustBeyondIsDrawn)
{
    const Vec3 eye{10.0, -20.0, 5.0};
    EXPECT_FALSE(smokeParticleShown(Vertex(12.5f, -20.0f, 5.0f), eye));
    EXPECT_TRUE(smokeParticleShown(Vertex(12.51f, -20.0f, 5.0f), eye));
    // 1.5, 2, 0: also exactly 2.5 away.
    EXPECT_FALSE(smokeParticleShown(Vertex(11.5f, -18.0f, 5.0f), eye));
    EXPECT_FALSE(smokeParticleShown(Vertex(10.0f, -20.0f, 5.0f), eye));
}

class Radar : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Eye at (10, 20, 30) looking along +x, up +z: side is +y.
        camera.setTarget(100.0f, 20.0f, 30.0f);
        camera.placeAt(10.0f, 20.0f, 30.0f);
        axes = cockpitAxes(camera);
    }
    RadarDots dotsFor(double x, double y, double z)
    {
        camera.target = Vec3{x, y, z};
        return radarDots(axes, camera);
    }
    Camera camera;
    CockpitAxes axes;
};

TEST_F(Radar, ScopesSitLowLeftAndLowRightOfThePanel)
{
    const RadarDots dots = dotsFor(100.0, 20.0, 30.0);
    EXPECT_NEAR(dots.front.x, 3.6, 1e-6);
    EXPECT_NEAR(dots.front.y, 2.0 * 0.517, 1e-6);  // +y is the viewer's left
    EXPECT_NEAR(dots.front.z, -1.5 * 0.725, 1e-6);
    EXPECT_NEAR(dots.rear.y, -2.0 * 0.564, 1e-6);
    EXPECT_EQ(dots.rear.z, dots.front.z);
    EXPECT_NEAR(dots.halfSide.y, 0.01, 1e-9);
    EXPECT_NEAR(dots.halfUp.z, 0.0075, 1e-9);
}

TEST_F(Radar, BlipPicksTheScopeByWhetherTheTargetIsBehind)
{
    RadarDots dots = dotsFor(200.0, 20.0, 30.0);  // straight ahead
    EXPECT_FALSE(dots.blipInRear);
    expectNear(dots.blip, dots.front);

    dots = dotsFor(-50.0, 20.0, 30.0);  // straight behind
    EXPECT_TRUE(dots.blipInRear);
    expectNear(dots.blip, dots.rear);

    dots = dotsFor(10.0, 20.0, 30.0);  // at the eye: no direction at all
    EXPECT_FALSE(dots.blipInRear);
    expectNear(dots.blip, dots.front);

    // Level with the eye plane, to the left: front scope, pushed fully to the side.
    dots = dotsFor(10.0, 80.0, 30.0);
    EXPECT_FALSE(dots.blipInRear);
    expectNear(dots.blip, plus(dots.front, axes.side, 0.135f));

    // Behind and above: rear scope, pushed up by the vertical share.
    dots = dotsFor(7.0, 20.0, 34.0);  // direction (-0.6, 0, 0.8)
    EXPECT_TRUE(dots.blipInRear);
    expectNear(dots.blip, plus(dots.rear, axes.up, 0.8 * static_cast<double>(0.175f)));
}
