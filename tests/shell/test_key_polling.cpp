// test_key_polling.cpp -- the arrow keys held through whole frames: the frame's inputs, the
// craft's steps and the camera's goal; both keys of a pair act, the later one decides.
#include "camera/camera.h"
#include "game/game_state.h"
#include "game_fixture.h"
#include "platform/key_state.h"
#include "player/ship.h"

namespace {
void hold(std::initializer_list<PolledKey> keys) {
    releaseAllKeys();
    for (PolledKey key : keys) {
        pressKey(key);
    }
    playFrames(1);
}
} // namespace

TEST_F(GameTest, ArrowKeysSetTheFrameInputsAndTheCameraGoal) {
    hold({});
    EXPECT_FALSE(moved);
    EXPECT_EQ(thrustInput + turnInput, 0);

    hold({KEY_UP});
    EXPECT_TRUE(moved);
    EXPECT_EQ(thrustInput, 1);
    EXPECT_NEAR(ship.getPosition().x, -5.0f + 0.12f * 0.70711f, 1e-5f); // 12 units/s
    const Vector3 goal = ship.cameraPoint();
    EXPECT_TRUE(camera.getGoal().equals(goal.x, goal.y, goal.z));

    hold({KEY_UP, KEY_DOWN}); // forward, then back again
    EXPECT_EQ(thrustInput, 2);
    EXPECT_NEAR(ship.getPosition().x, -5.0f + 0.12f * 0.70711f, 1e-5f);

    hold({KEY_LEFT});
    EXPECT_EQ(turnInput, 1);
    EXPECT_EQ(thrustInput, 0);
    hold({KEY_LEFT, KEY_RIGHT});
    EXPECT_EQ(turnInput, 2);
    hold({});
    EXPECT_EQ(turnInput, 0);
    EXPECT_FALSE(moved);
}

TEST_F(GameTest, SpinAngleWrapsOnlyPast360AndTheCraftSpinsPerFrame) {
    playFrames(1);
    playFrames(1, 25.0); // measures 0.025 s, which the next frame's spin step sees
    spinAngle = 359.0f;
    playFrames(1, 50.0);
    EXPECT_EQ(spinAngle, 360.0f); // exactly 360 stays for the frame
    spinAngle = 359.0f;
    playFrames(1, 10.0); // sees 0.05 s: 361, so back to 0
    EXPECT_EQ(spinAngle, 0.0f);
    EXPECT_EQ(ship.getSpin().z, 16.0f); // 4 degrees a frame whatever the interval
}
