#include "sim/camera.h"
#include "sim/collision.h"
#include "sim/flight.h"
#include "sim/random.h"
#include "sim/rocket.h"
#include "sim/world.h"
#include "support/sim_world.h"

#include <cmath>
#include <cstring>

namespace {

class Collisions : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        world.camera.position = Vec3{0.0, 0.0, 200.0};
    }

    void setAsteroid(int k, float x, float y, float z, Vec3 direction = {}, float speed = 0.0f)
    {
        world.asteroids[k].position = Vertex(x, y, z);
        world.asteroids[k].direction = direction;
        world.asteroids[k].speed = speed;
    }

    void expectAt(int k, float x, float y, float z)
    {
        EXPECT_EQ(world.asteroids[k].position.x, x) << "asteroid " << k;
        EXPECT_EQ(world.asteroids[k].position.y, y) << "asteroid " << k;
        EXPECT_EQ(world.asteroids[k].position.z, z) << "asteroid " << k;
    }

    int explosionCues()
    {
        int n = 0;
        for (const SoundCall& c : cues()) {
            n += c == played(CHANNEL_EXPLOSION, SAMPLE_EXPLOSION);
        }
        return n;
    }
};

}  // namespace

TEST_F(Collisions, AsteroidsTouchBelowSixteen)
{
    setAsteroid(3, 0.0f, 0.0f, 0.0f, Vec3{1.0, 0.0, 0.0}, 0.2f);
    setAsteroid(7, 16.0f, 0.0f, 0.0f);
    resolveCollisions(world, game.events);
    expectAt(7, 16.0f, 0.0f, 0.0f);
    EXPECT_EQ(world.asteroids[3].speed, 0.2f);

    // At 15.9 the higher-numbered one is moved to 16.001 and the two swap
    // their parts along the line of centres.
    setAsteroid(7, 15.9f, 0.0f, 0.0f);
    resolveCollisions(world, game.events);
    expectAt(7, static_cast<float>(16.0 + 0.0010000000474974513), 0.0f, 0.0f);
    EXPECT_EQ(world.asteroids[3].speed, 0.0f);
    EXPECT_EQ(world.asteroids[3].direction.x, 0.0);
    EXPECT_EQ(world.asteroids[7].speed, 0.2f);
    EXPECT_EQ(world.asteroids[7].direction.x, 1.0);

    // Whichever stands where, the higher index is the one moved.
    setAsteroid(3, 0.0f, 30.0f, 0.0f);
    setAsteroid(7, 0.0f, 20.0f, 0.0f);
    resolveCollisions(world, game.events);
    expectAt(3, 0.0f, 30.0f, 0.0f);
    expectAt(7, 0.0f, static_cast<float>(30.0 - 16.001000000047497), 0.0f);
    EXPECT_TRUE(cues().empty());
}

TEST_F(Collisions, PairKeepsTangentialPartsAndCapsAtTwo)
{
    const double d = std::sqrt(0.5);
    setAsteroid(0, 0.0f, 0.0f, 0.0f, Vec3{d, d, 0.0}, 3.0f);
    setAsteroid(1, 10.0f, 0.0f, 0.0f, Vec3{-1.0, 0.0, 0.0}, 1.0f);
    resolveCollisions(world, game.events);
    // 0 keeps its y part and takes 1's x part; 1 takes 0's x part, 2.12.
    const double part = static_cast<double>(Vec3{d * 3.0f, d * 3.0f, 0.0}.length()) * d;
    const Vec3 v0{-1.0, part, 0.0};
    EXPECT_EQ(world.asteroids[0].speed, 2.0f);
    EXPECT_NEAR(world.asteroids[0].direction.x, -1.0 / v0.length(), 1e-7);
    EXPECT_NEAR(world.asteroids[0].direction.y, part / v0.length(), 1e-7);
    EXPECT_EQ(world.asteroids[1].speed, 2.0f);
    EXPECT_EQ(world.asteroids[1].direction.x, 1.0);

    setAsteroid(0, 0.0f, 0.0f, 0.0f, Vec3{d, d, 0.0}, 1.0f);
    setAsteroid(1, 10.0f, 0.0f, 0.0f);
    resolveCollisions(world, game.events);
    EXPECT_EQ(world.asteroids[1].speed, static_cast<float>(static_cast<double>(Vec3{d, d, 0.0}.length()) * d));
    EXPECT_NEAR(world.asteroids[0].direction.y, 1.0, 1e-15);
}

TEST_F(Collisions, TwoAsteroidsAtOnePointStayAndKeepTheirVelocity)
{
    setAsteroid(4, 5.0f, 5.0f, 5.0f, Vec3{0.0, 0.0, 1.0}, 0.25f);
    setAsteroid(9, 5.0f, 5.0f, 5.0f, Vec3{0.6, 0.8, 0.0}, 0.5f);
    resolveCollisions(world, game.events);
    expectAt(4, 5.0f, 5.0f, 5.0f);
    expectAt(9, 5.0f, 5.0f, 5.0f);
    EXPECT_EQ(world.asteroids[4].speed, 0.25f);
    EXPECT_EQ(world.asteroids[4].direction.z, 1.0);
    EXPECT_EQ(world.asteroids[9].speed, 0.5f);
    EXPECT_NEAR(world.asteroids[9].direction.y, 0.8, 1e-15);
}

TEST_F(Collisions, CraftHeadOnStopsDeadAndPushesTheAsteroid)
{
    world.camera.position = Vec3{0.0, 0.0, 0.0};
    world.flightSpeed = 0.6f;
    world.flightDirection = Vec3{1.0, 0.0, 0.0};
    game.hands.thrustInput = 1;
    setAsteroid(2, 10.0f, 0.0f, 0.0f);
    resolveCollisions(world, game.events);
    EXPECT_EQ(world.flightSpeed, 0.0f);
    EXPECT_EQ(world.flightDirection.x, 0.0);
    EXPECT_EQ(world.flightDirection.y, 0.0);
    EXPECT_EQ(world.flightDirection.z, 0.0);
    expectAt(2, static_cast<float>(8.0 + 3.500999927520752), 0.0f, 0.0f);
    EXPECT_EQ(world.asteroids[2].speed, 0.6f);
    EXPECT_EQ(world.asteroids[2].direction.x, 1.0);
    EXPECT_EQ(explosionCues(), 1);
    // The app lets go of the thrust when it handles the contact.
    handleFrameEvents(game, 0.0f);
    EXPECT_EQ(game.hands.thrustInput, 0);
}

TEST_F(Collisions, CraftLeavingFasterThanHalfLeavesAt055)
{
    world.camera.position = Vec3{0.0, 0.0, 0.0};
    setAsteroid(2, 0.0f, 0.0f, -11.0f);
    for (const auto& speeds : {std::make_pair(0.52f, 0.55f), std::make_pair(0.5f, 0.5f)}) {
        world.flightSpeed = speeds.first;
        world.flightDirection = Vec3{0.0, 1.0, 0.0};  // grazing: nothing along the line of centres
        resolveCollisions(world, game.events);
        EXPECT_EQ(world.flightSpeed, speeds.second);
        EXPECT_EQ(world.flightDirection.y, 1.0);
    }
    // Outside 11.5 nothing happens.
    setAsteroid(2, 0.0f, 0.0f, -11.5f);
    world.flightSpeed = 0.3f;
    game.hands.thrustInput = 1;
    game.events.clear();
    resolveCollisions(world, game.events);
    handleFrameEvents(game, 0.0f);
    EXPECT_EQ(world.flightSpeed, 0.3f);
    EXPECT_EQ(game.hands.thrustInput, 1);
}

TEST_F(Collisions, RestingCraftTakesTheAsteroidsNormalPart)
{
    world.camera.position = Vec3{0.0, 0.0, 0.0};
    setAsteroid(2, -10.0f, 0.0f, 0.0f, Vec3{0.6, 0.8, 0.0}, 0.5f);
    resolveCollisions(world, game.events);
    EXPECT_NEAR(world.flightSpeed, 0.3f, 1e-7);
    EXPECT_NEAR(world.flightDirection.x, 1.0, 1e-15);
    EXPECT_NEAR(world.asteroids[2].speed, 0.4f, 1e-7);
    EXPECT_NEAR(world.asteroids[2].direction.y, 1.0, 1e-15);
    expectAt(2, static_cast<float>(-(8.0 + 3.500999927520752)), 0.0f, 0.0f);
}

TEST_F(Collisions, RocketExplodesOnTheSurfaceAndPushesAtMostOne)
{
    Rocket& r = world.rockets[1];
    r.launch(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    setAsteroid(5, 10.0f, 0.0f, 0.0f);
    resolveCollisions(world, game.events);
    EXPECT_EQ(r.state, ROCKET_FADING);
    EXPECT_EQ(r.explosionActive, 1);
    EXPECT_EQ(r.explosionPoint.x, 2.0f);
    EXPECT_EQ(r.speed, 2.5f);
    EXPECT_EQ(r.direction.x, 1.0);
    EXPECT_EQ(world.asteroids[5].speed, 1.0f);  // 1.25 capped
    EXPECT_EQ(world.asteroids[5].direction.x, 1.0);
    expectAt(5, 10.0f, 0.0f, 0.0f);
    EXPECT_EQ(explosionCues(), 1);

    // Once fading it hits nothing more.
    resolveCollisions(world, game.events);
    EXPECT_EQ(explosionCues(), 1);

    // Closer than the radius: the explosion point lies behind the rocket.
    r.launch(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f);
    setAsteroid(5, 0.0f, 5.0f, 0.0f, Vec3{1.0, 0.0, 0.0}, 0.3f);
    resolveCollisions(world, game.events);
    EXPECT_EQ(r.explosionPoint.y, -3.0f);
    EXPECT_EQ(world.asteroids[5].speed, 0.3f);  // a sideways rocket adds nothing along y
}

TEST_F(Collisions, RocketHitsEveryAsteroidWithinReachInOneFrame)
{
    Rocket& r = world.rockets[0];
    r.launch(0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    setAsteroid(10, 0.0f, 10.0f, 0.0f);
    setAsteroid(20, 0.0f, -10.0f, 0.0f);
    resolveCollisions(world, game.events);
    EXPECT_EQ(explosionCues(), 2);
    EXPECT_EQ(r.explosionPoint.y, -2.0f);  // the later hit
    EXPECT_EQ(world.asteroids[10].direction.y, 1.0);
    EXPECT_EQ(world.asteroids[20].direction.y, 1.0);  // the push follows the rocket, not the side
}

// The pair pass screens four pairs at a time in float; the result must be
// exactly that of testing every ordered pair one by one.
namespace {

double exact2(float dx, float dy, float dz)
{
    return (static_cast<double>(dx) * dx + static_cast<double>(dy) * dy) + static_cast<double>(dz) * dz;
}

void referencePairPass(Asteroid* field)
{
    for (int i = 0; i < ASTEROID_COUNT; ++i) {
        for (int j = 0; j < ASTEROID_COUNT; ++j) {
            Asteroid& a = field[i];
            Asteroid& b = field[j];
            if (j == i || !(exact2(a.position.x - b.position.x, a.position.y - b.position.y,
                                   a.position.z - b.position.z) < 256.0)) {
                continue;
            }
            auto line = [&] {
                Vec3 n{double(b.position.x) - a.position.x, double(b.position.y) - a.position.y,
                       double(b.position.z) - a.position.z};
                n.normalize();
                return n;
            };
            Vec3 n = line();
            b.position = Vertex(float(a.position.x + n.x * 16.001000000047497),
                                float(a.position.y + n.y * 16.001000000047497),
                                float(a.position.z + n.z * 16.001000000047497));
            n = line();
            auto normal = [&](const Asteroid& s) {
                Vec3 v = s.direction;
                v.scale(s.speed);
                Vec3 p = n;
                p.scale(double(v.length()) * n.dot(s.direction));
                return std::make_pair(p, vec3Add(v, vec3Negate(p)));
            };
            const auto pa = normal(a);
            const auto pb = normal(b);
            Vec3 va = vec3Add(pa.second, pb.first);
            Vec3 vb = vec3Add(pb.second, pa.first);
            a.speed = std::fmin(va.length(), 2.0f);
            b.speed = std::fmin(vb.length(), 2.0f);
            va.normalize();
            vb.normalize();
            a.direction = va;
            b.direction = vb;
        }
    }
}

}  // namespace

TEST_F(Collisions, ScreenedPairPassEqualsTheOneByOnePass)
{
    world.camera.position = Vec3{1000.0, 1000.0, 1000.0};
    static Asteroid expected[ASTEROID_COUNT];
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        world.random.seed(seed);
        const double box = 40.0 + 20.0 * seed;  // crowded: many contacts and chains
        for (int k = 0; k < ASTEROID_COUNT; ++k) {
            const float x = float(world.random.unit() * box);
            const float y = float(world.random.unit() * box);
            const float z = float(world.random.unit() * box);
            Vec3 d{world.random.unit() - 0.5, world.random.unit() - 0.5, world.random.unit() - 0.5};
            d.normalize();
            setAsteroid(k, x, y, z, d, float(world.random.unit()));
        }
        // Pairs on the contact boundary, exactly and one float step either side.
        setAsteroid(10, 0.0f, 0.0f, 500.0f);
        setAsteroid(11, 16.0f, 0.0f, 500.0f);
        setAsteroid(12, 0.0f, 40.0f, 500.0f);
        setAsteroid(13, std::nextafter(16.0f, 0.0f), 40.0f, 500.0f);
        setAsteroid(14, 9.2376043f, 9.2376043f, 590.0f);
        setAsteroid(15, 0.0f, 0.0f, 599.2376f);
        for (int k = 0; k < ASTEROID_COUNT; ++k) {
            expected[k] = world.asteroids[k];
        }
        referencePairPass(expected);
        resolveCollisions(world, game.events);
        for (int k = 0; k < ASTEROID_COUNT; ++k) {
            const Asteroid& got = world.asteroids[k];
            const Asteroid& want = expected[k];
            ASSERT_EQ(std::memcmp(&got.position, &want.position, sizeof got.position), 0) << seed << ": " << k;
            ASSERT_EQ(std::memcmp(&got.direction, &want.direction, sizeof got.direction), 0) << seed << ": " << k;
            ASSERT_EQ(std::memcmp(&got.speed, &want.speed, sizeof got.speed), 0) << seed << ": " << k;
        }
    }
}
