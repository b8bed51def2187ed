// test_ship.cpp -- the craft at its start, moving and turning around its focus, its model
// pose and its shot, played through whole steps where the rule runs in a step.
#include "game/game_setup.h"
#include "game_fixture.h"
#include "platform/key_state.h"

#include <cmath>

TEST_F(GameTest, CraftStartsInTheCornerFacingTheFarCentrePointSilently) {
    beginGame(game);
    EXPECT_TRUE(game.events.empty()); // no crossing while placing
    EXPECT_TRUE(game.ship.getPosition().equals(-5.0f, 0.0f, 1.0f));
    EXPECT_TRUE(game.ship.getFocus().equals(45.0f, 0.0f, -49.0f));
    EXPECT_NEAR(game.ship.getTurnRate(), 0.1414f, 1e-4f);
    EXPECT_EQ(game.ship.modelHeadingDegrees(), 135);
    const Vector3 eye = game.ship.cameraPoint();
    EXPECT_TRUE(std::fabs(eye.x + 16.17f) < 0.01f && eye.y == 8.0f &&
                std::fabs(eye.z - 12.17f) < 0.01f);
    EXPECT_TRUE(game.ship.getLives() == 5 && !game.ship.hit);
}

TEST_F(GameTest, ForwardStopsOnTheBoundsAndCrossingALockedStoneIsReported) {
    pressKey(KEY_UP);
    playSteps(200); // 24 units along the diagonal: far past the far corner
    EXPECT_TRUE(game.ship.getPosition().equals(8.0f, 0.0f, -12.0f));

    // A stone 5.66 units ahead on the same diagonal, hovering out of reach.
    beginGame(game);
    addStone(3, -1.0f, -3.0f, 8.0f);
    game.ship.lockStone(game.stones, 1);
    pressKey(KEY_UP);
    EXPECT_EQ(playSteps(47).find("crossed"), std::string::npos); // 5.64 units: not yet
    EXPECT_NE(playSteps(1).find("crossed\n"), std::string::npos);
    releaseKey(KEY_UP);
    pressKey(KEY_LEFT); // circling the stone never reports
    EXPECT_EQ(playSteps(100).find("crossed"), std::string::npos);
}

// On the focus itself there is no circle: no turn, and nothing turns into NaN.
TEST_F(GameTest, TurningOnTheFocusItselfStaysPut) {
    game.ship.setFocus(game.ship.getPosition());
    pressKey(KEY_LEFT);
    playSteps(10);
    EXPECT_EQ(game.ship.getTurnRate(), 0.0f);
    EXPECT_TRUE(game.ship.getPosition().equals(-5.0f, 0.0f, 1.0f));
}

TEST(Ship, ModelHeadingInWholeDegreesAndTiltLimits) {
    Ship s;
    s.setFocusMode(true);
    const float focus[3][2] = {{0, 1}, {1, 0}, {-1, 0}};
    const int expected[3] = {0, 90, 269}; // (-1, 0, 0): just below 270, truncated
    for (int k = 0; k < 3; ++k) {
        s.setFocus(Vector3(focus[k][0], 0.0f, focus[k][1]));
        EXPECT_EQ(s.modelHeadingDegrees(), expected[k]) << k;
    }
    // Keys held: (turn, thrust) and the lean after the step. Released, it snaps back.
    const struct {
        int turn, thrust, steps, degrees;
        float axisX, axisZ;
    } leans[] = {{0, 2, 60, 40, -1, 0}, {1, 1, 1, 42, 1, -1}, {2, 0, 10, 45, 0, 1},
                 {0, 0, 1, 0, 0, 0},    {1, 1, 1, 2, 1, -1},  {0, 0, 1, 0, 0, 0},
                 {1, 0, 1, 1, 0, -1},   {0, 0, 1, 1, 0, 0}}; // a tilt of 1 is left standing
    for (const auto& l : leans) {
        for (int k = 0; k < l.steps; ++k) {
            s.advanceTilt(l.turn, l.thrust);
        }
        const ShipModelPose pose = s.modelPose();
        EXPECT_EQ(pose.tiltDegrees, l.degrees) << l.turn << l.thrust;
        EXPECT_EQ(pose.tilted, l.turn + l.thrust != 0);
        EXPECT_TRUE(pose.tiltAxis.equals(l.axisX, 0.0f, l.axisZ)) << l.turn << l.thrust;
    }
}

// 500 steps of life: the timer runs to -1 in the 501st, and the 502nd ends the shot.
TEST(Ship, ShotRisesToItsTopAndEndsAfterItsLife) {
    Ship s;
    for (int shot = 0; shot < 2; ++shot) { // the second fired anew after the first ended
        s.fireShot();
        int updates = 0;
        for (; s.isShotActive() && updates < 10000; ++updates) {
            if (updates == 100) {
                EXPECT_NEAR(s.getShotHeight(), 3.0f, 1e-4f); // 3 units a second
            }
            s.updateShot();
        }
        EXPECT_EQ(updates, 502);
        EXPECT_TRUE(s.getShotHeight() >= 9.0f && s.getShotHeight() < 9.05f); // stopped at its top
    }
}
