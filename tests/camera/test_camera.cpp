// test_camera.cpp -- the goto step, aiming at the target, and the chase camera following
// the craft in play. The orbit-mode keys are tested with the other keys.
#include "camera/camera.h"
#include "game_fixture.h"

#include <cmath>

TEST(Camera, GotoStepCoversItsShareAndAimsAtTheTargetInTargetMode) {
    Camera c;
    c.setup(Vector3(0, 0, 0), Vector3(1, 1, 1), Vector3(0, 1, 0));
    c.setGoalRate(Vector3(0.05f, 0.05f, 0.05f));
    c.setGoal(Vector3(0.1f, 0, 0));
    c.gotoStep();
    EXPECT_TRUE(c.getEye().equals(0, 0, 0)); // within a tenth: arrived
    c.setGoal(Vector3(10, 0, 0));
    c.gotoStep();
    EXPECT_TRUE(c.getEye().equals(0.5f, 0.0f, 0.0f) &&
                c.getView().equals(1.5f, 1.0f, 1.0f)); // the view moves along

    c.setTarget(Vector3(7, 8, 9));
    c.aim();
    EXPECT_TRUE(c.getView().equals(1.5f, 1.0f, 1.0f));
    c.setTargetMode(true);
    c.aim();
    EXPECT_TRUE(c.getEye().equals(0.5f, 0.0f, 0.0f) && c.getView().equals(7, 8, 9) &&
                c.getUp().equals(0, 1, 0));
}

TEST_F(GameTest, ChaseCameraStartsAboveTheFieldAndGlidesBehindTheCraft) {
    EXPECT_TRUE(game.camera.isTargetMode() && game.camera.isGotoMode() &&
                game.camera.isAroundTarget());
    EXPECT_TRUE(game.camera.getEye().equals(0.0f, 5.0f, 1.0f));
    playSteps(1);
    const Vector3 eye = game.camera.getEye(); // 5 % of the way to (-16.17, 8, 12.17)
    EXPECT_TRUE(std::fabs(eye.x + 0.8086f) + std::fabs(eye.y - 5.15f) + std::fabs(eye.z - 1.5586f) <
                1e-4f);
}
