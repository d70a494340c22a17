#include "sim/asteroid.h"
#include "sim/random.h"
#include "support/sim_world.h"

#include <cmath>

namespace {

class AsteroidDrift : public SimWorld {
protected:
    Asteroid& rock = world.asteroids[0];

    void place(float x, float y, float z, Vec3 direction, float speed)
    {
        rock.position = Vertex(x, y, z);
        rock.direction = direction;
        rock.speed = speed;
    }
};

// The speed a bounce draws from a fresh r: between 0.15 and 0.30.
float bounceSpeed(int r)
{
    return static_cast<float>(r / 32767.0 * 0.15000000596046448 + 0.15000000596046448);
}

}  // namespace

TEST_F(AsteroidDrift, MovesInFloatStepsAlongItsDirection)
{
    place(1.0f, 2.0f, 3.0f, Vec3{0.6, 0.0, -0.8}, 0.25f);
    rock.move(2.0f, world.random);
    const float a = 2.0f * 0.25f;
    EXPECT_EQ(rock.position.x, 1.0f + static_cast<float>(0.6 * a));
    EXPECT_EQ(rock.position.y, 2.0f);
    EXPECT_EQ(rock.position.z, 3.0f + static_cast<float>(-0.8 * a));
}

TEST_F(AsteroidDrift, FastBounceDrawsAFreshSpeedSlowOneKeepsIt)
{
    world.random.seed(77);
    const int r = world.random.next();
    const int after = world.random.next();
    world.random.seed(77);

    place(249.9f, 0.0f, 0.0f, Vec3{1.0, 0.0, 0.0}, 0.31f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.position.x, 250.0f);
    EXPECT_EQ(rock.direction.x, -1.0);
    EXPECT_EQ(rock.speed, bounceSpeed(r));
    EXPECT_GE(rock.speed, 0.15f);
    EXPECT_LE(rock.speed, 0.30f);
    EXPECT_EQ(world.random.next(), after);  // exactly one draw

    world.random.seed(77);
    place(-249.9f, 0.0f, 0.0f, Vec3{-1.0, 0.0, 0.0}, 0.2f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.position.x, -250.0f);
    EXPECT_EQ(rock.direction.x, 1.0);
    EXPECT_EQ(rock.speed, 0.2f);
    EXPECT_EQ(world.random.next(), r);  // no draw

    // Exactly 0.3 is not above 0.3.
    place(0.0f, 0.0f, 249.9f, Vec3{0.0, 0.0, 1.0}, 0.3f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.position.z, 250.0f);
    EXPECT_EQ(rock.speed, 0.3f);
}

TEST_F(AsteroidDrift, WallIsExclusive)
{
    place(250.0f, -250.0f, 0.0f, Vec3{0.0, 0.0, 1.0}, 0.0f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.direction.z, 1.0);
    EXPECT_EQ(rock.position.x, 250.0f);

    place(250.0001f, 0.0f, 0.0f, Vec3{0.0, 0.0, 1.0}, 0.0f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.position.x, 250.0f);
    EXPECT_EQ(rock.direction.z, -1.0);

    place(0.0f, -250.0001f, 0.0f, Vec3{0.0, 0.0, 1.0}, 0.0f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.position.y, -250.0f);
    EXPECT_EQ(rock.direction.z, -1.0);
}

TEST_F(AsteroidDrift, TwoWallsInOneStepSlideAlongTheEdge)
{
    world.random.seed(5);
    const int r = world.random.next();
    const int after = world.random.next();
    world.random.seed(5);

    const double d = std::sqrt(0.5);
    place(249.9f, 249.9f, 0.0f, Vec3{d, d, 0.0}, 1.5f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.position.x, 250.0f);
    EXPECT_EQ(rock.position.y, 250.0f);
    EXPECT_EQ(rock.direction.x, d);  // negated twice
    EXPECT_EQ(rock.direction.y, d);
    EXPECT_EQ(rock.speed, bounceSpeed(r));
    EXPECT_EQ(world.random.next(), after);  // one draw for the whole step

    // Three walls at once reverse it.
    const double t = 1.0 / std::sqrt(3.0);
    place(249.9f, 249.9f, 249.9f, Vec3{t, t, t}, 0.2f);
    rock.move(1.0f, world.random);
    EXPECT_EQ(rock.direction.x, -t);
    EXPECT_EQ(rock.direction.z, -t);
}

TEST_F(AsteroidDrift, SpinWrapsOnceAndARestingAsteroidStillSpins)
{
    place(10.0f, 20.0f, 30.0f, Vec3{}, 0.3f);
    rock.spinRate = 0.35f;
    rock.spinAngle = 359.9f;
    rock.move(1.0f, world.random);
    EXPECT_NEAR(rock.spinAngle, 0.25f, 1e-4);
    EXPECT_EQ(rock.position.x, 10.0f);
    EXPECT_EQ(rock.position.z, 30.0f);

    // A very long step is brought back by a single 360.
    rock.spinAngle = 0.0f;
    rock.move(2000.0f, world.random);
    EXPECT_EQ(rock.spinAngle, 0.35f * 2000.0f - 360.0f);
}
