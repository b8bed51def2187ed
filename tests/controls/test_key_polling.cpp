// test_key_polling.cpp -- the arrow keys held through whole steps: the step's inputs, the
// craft's steps and the camera's goal; both keys of a pair act, the later one decides.
#include "game_fixture.h"
#include "platform/key_state.h"

namespace {
void hold(std::initializer_list<PolledKey> keys) {
    releaseAllKeys();
    for (PolledKey key : keys) {
        pressKey(key);
    }
    playSteps(1);
}
} // namespace

TEST_F(GameTest, ArrowKeysSetTheStepInputsAndTheCameraGoal) {
    hold({KEY_UP});
    EXPECT_TRUE(game.moved && game.thrustInput == 1);
    EXPECT_NEAR(game.ship.getPosition().x, -5.0f + 0.12f * 0.70711f, 1e-5f); // 12 units/s
    const Vector3 goal = game.ship.cameraPoint();
    EXPECT_TRUE(game.camera.getGoal().equals(goal.x, goal.y, goal.z));

    hold({KEY_UP, KEY_DOWN}); // forward, then back again
    EXPECT_EQ(game.thrustInput, 2);
    EXPECT_NEAR(game.ship.getPosition().x, -5.0f + 0.12f * 0.70711f, 1e-5f);

    hold({KEY_LEFT});
    EXPECT_TRUE(game.turnInput == 1 && game.thrustInput == 0);
    hold({KEY_LEFT, KEY_RIGHT});
    EXPECT_EQ(game.turnInput, 2);
    hold({});
    EXPECT_TRUE(game.turnInput + game.thrustInput == 0 && !game.moved);
}

TEST_F(GameTest, SpinAngleWrapsOnlyPast360AndTheCraftSpinsPerStep) {
    game.spinAngle = 359.6f; // 40 degrees a second: 0.4 a step
    playSteps(1);
    EXPECT_EQ(game.spinAngle, 360.0f); // exactly 360 stays for the step
    playSteps(1);                      // 360.4: back to 0
    EXPECT_TRUE(game.spinAngle == 0.0f && game.ship.getSpin().z == 8.0f); // 4 degrees a step
}
