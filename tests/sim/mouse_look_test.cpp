#include "app/input/input.h"
#include "sim/camera.h"
#include "sim/flight.h"
#include "support/sim_world.h"

#include <cmath>
#include <initializer_list>

namespace {

class MouseLook : public SimWorld {
protected:
    void SetUp() override
    {
        SimWorld::SetUp();
        world.camera.view = Vec3{1.0, 0.0, 0.0};
        world.camera.up = Vec3{0.0, 0.0, 1.0};
        world.camera.side = Vec3{0.0, 1.0, 0.0};
    }

    // Events already queued are handled first; the toolkit then reports one
    // passive motion at each warp target, in warp order, and so on while
    // handling those warps again.
    void deliver(std::initializer_list<std::pair<int, int>> queued)
    {
        for (const auto& e : queued) {
            onMouseMove(game, e.first, e.second);
        }
        for (int guard = 0; guard < 32 && !pointerQueue().empty(); ++guard) {
            const auto echo = pointerQueue().front();
            pointerQueue().pop_front();
            onMouseMove(game, echo.first, echo.second);
        }
        ASSERT_TRUE(pointerQueue().empty()) << "warps keep producing warps";
    }

    // The turns the handlers queued take effect in the next frame step; one
    // of no time moves nothing else. world.shown.camera is the view as the
    // turns left it, before the step's renormalisation.
    void step() { frame(0.0f); }

    void startFrom(int x, int y)
    {
        game.hands.lastMouseX = x;
        game.hands.lastMouseY = y;
    }

    static double angleBetween(const Vec3& a, const Vec3& b)
    {
        const double c = a.dot(b);
        return std::acos(c > 1.0 ? 1.0 : c);
    }
};

// Yaw or pitch of n pixels, as the handler forms it in single precision.
float turnFor(int pixels)
{
    return 0.025f * static_cast<float>(std::abs(pixels)) / 10.0f * (pixels > 0 ? -1.0f : 1.0f);
}

}  // namespace

TEST_F(MouseLook, MovingRightTurnsRightByHalfTheYaw)
{
    startFrom(200, 200);
    onMouseMove(game, 210, 200);
    step();
    EXPECT_EQ(world.camera.yawAngle, -0.025f);
    EXPECT_EQ(world.camera.pitchAngle, 0.0f);
    EXPECT_NEAR(world.camera.view.y, std::sin(-0.0125), 1e-9);
    EXPECT_TRUE(warpLog().empty());

    onMouseMove(game, 210, 190);  // up the screen: view turns down
    step();
    EXPECT_EQ(world.camera.yawAngle, 0.0f);
    EXPECT_EQ(world.camera.pitchAngle, 0.025f);
    EXPECT_LT(world.camera.view.z, 0.0);
}

TEST_F(MouseLook, FirstEventMeasuresFromTheStartReference)
{
    onMouseMove(game, 410, 290);
    step();
    EXPECT_EQ(world.camera.yawAngle, turnFor(10));
    EXPECT_EQ(world.camera.pitchAngle, turnFor(-10));
}

TEST_F(MouseLook, BandEdgesWarpBackToTheCentreLine)
{
    for (int x : {300, 100, 350}) {
        startFrom(200, 200);
        warpLog().clear();
        onMouseMove(game, x, 150);
        EXPECT_EQ(game.hands.lastMouseX, 200) << x;
        EXPECT_EQ(game.hands.lastMouseY, 150) << x;
        ASSERT_EQ(warpLog().size(), 1u) << x;
        EXPECT_EQ(warpLog()[0], std::make_pair(200, 150));
        deliver({});
    }
    for (int x : {299, 101}) {
        startFrom(200, 200);
        warpLog().clear();
        onMouseMove(game, x, 150);
        EXPECT_EQ(game.hands.lastMouseX, x);
        EXPECT_TRUE(warpLog().empty()) << x;
    }
    startFrom(200, 200);
    warpLog().clear();
    onMouseMove(game, 150, 300);
    ASSERT_EQ(warpLog().size(), 1u);
    EXPECT_EQ(warpLog()[0], std::make_pair(150, 200));
    EXPECT_EQ(game.hands.lastMouseY, 200);
}

TEST_F(MouseLook, OutsideOnBothAxesWarpsTwiceAndNeitherEchoTurns)
{
    startFrom(200, 200);
    onMouseMove(game, 305, 95);
    step();
    EXPECT_EQ(world.camera.yawAngle, turnFor(105));
    EXPECT_EQ(world.camera.pitchAngle, turnFor(-105));
    ASSERT_EQ(warpLog().size(), 2u);
    EXPECT_EQ(warpLog()[0], std::make_pair(200, 95));
    EXPECT_EQ(warpLog()[1], std::make_pair(305, 200));
    EXPECT_EQ(game.hands.lastMouseX, 200);
    EXPECT_EQ(game.hands.lastMouseY, 200);
    EXPECT_EQ(pendingPointerEchoCount(game), 2);

    const Vec3 turned = world.camera.view;
    deliver({});
    step();
    EXPECT_EQ(world.shown.camera.view.x, turned.x);
    EXPECT_EQ(world.shown.camera.view.y, turned.y);
    EXPECT_EQ(world.shown.camera.view.z, turned.z);
    EXPECT_EQ(warpLog().size(), 2u);
    EXPECT_EQ(pendingPointerEchoCount(game), 0);

    // The pointer now sits at (305, 200): the next pixel of motion turns by a
    // pixel, and being out of band it is warped back once more.
    deliver({{306, 201}});
    step();
    EXPECT_EQ(world.camera.yawAngle, turnFor(1));
    EXPECT_EQ(world.camera.pitchAngle, turnFor(1));
    EXPECT_LT(angleBetween(turned, world.camera.view), 0.002);
    EXPECT_EQ(pendingPointerEchoCount(game), 0);
}

TEST_F(MouseLook, EventsQueuedBeforeTheEchoCountFromThePreviousEvent)
{
    startFrom(200, 200);
    deliver({{305, 150}, {307, 150}, {309, 151}});
    step();
    EXPECT_EQ(pendingPointerEchoCount(game), 0);
    // Each event turned by its own movement: (105, -50), then (2, 0), then (2, 1).
    Vec3 expected{1.0, 0.0, 0.0};
    Camera reference;
    reference.view = expected;
    reference.up = Vec3{0.0, 0.0, 1.0};
    reference.side = Vec3{0.0, 1.0, 0.0};
    for (auto turn : {std::make_pair(105, -50), std::make_pair(2, 0), std::make_pair(2, 1)}) {
        reference.yawAngle = turnFor(turn.first);
        reference.pitchAngle = turn.second ? turnFor(turn.second) : 0.0f;
        reference.yaw();
        reference.pitch();
    }
    EXPECT_EQ(world.shown.camera.view.x, reference.view.x);
    EXPECT_EQ(world.shown.camera.view.y, reference.view.y);
    EXPECT_EQ(world.shown.camera.view.z, reference.view.z);
    EXPECT_EQ(game.hands.lastMouseX, 200);
    EXPECT_EQ(game.hands.lastMouseY, 151);
}

TEST_F(MouseLook, ALostEchoIsForgottenWhenALaterOneArrives)
{
    startFrom(200, 200);
    onMouseMove(game, 320, 150);
    pointerQueue().clear();  // its echo never comes
    onMouseMove(game, 200, 152);   // post-warp motion, taken as pre-warp
    deliver({{330, 152}});
    step();
    EXPECT_EQ(pendingPointerEchoCount(game), 0);
    const Vec3 settled = world.camera.view;
    deliver({{201, 152}});
    step();
    EXPECT_EQ(world.camera.yawAngle, turnFor(1));
    EXPECT_LT(angleBetween(settled, world.camera.view), 0.002);
}

TEST_F(MouseLook, DraggingNeitherTurnsNorLeavesAJumpBehind)
{
    startFrom(200, 200);
    onMouseMove(game, 290, 200);  // no warp
    step();
    const Vec3 before = world.camera.view;
    onMouseDrag(game, 400, 250);
    onMouseDrag(game, 600, 500);
    step();
    EXPECT_EQ(world.shown.camera.view.x, before.x);
    EXPECT_EQ(world.shown.camera.view.y, before.y);
    EXPECT_TRUE(warpLog().empty());

    deliver({{601, 500}});
    step();
    EXPECT_EQ(world.camera.yawAngle, turnFor(1));
    EXPECT_EQ(world.camera.pitchAngle, 0.0f);
    EXPECT_LT(angleBetween(before, world.camera.view), 0.002);

    // A warp's echo that arrives while a button is held goes to the drag
    // handler, and still counts as the warp's own.
    onMouseMove(game, 320, 150);
    ASSERT_EQ(pendingPointerEchoCount(game), 1);
    const auto echo = pointerQueue().front();
    pointerQueue().clear();
    onMouseDrag(game, echo.first, echo.second);
    EXPECT_EQ(pendingPointerEchoCount(game), 0);
    EXPECT_EQ(game.hands.lastMouseX, 200);
}
