// test_game_update.cpp -- hits, splits, scoring, combinations, walls and touches, played
// through whole steps (the first stone would only arrive on step 201).
#include "game/game_setup.h"
#include "game_fixture.h"

#include <limits>

namespace {
// Fires from (x, z) and steps the craft back to its start, so only the beam is there.
void fireFrom(float x, float z) {
    game.ship.moveTo(Vector3(x, 0.0f, z));
    game.ship.fireShot();
    game.ship.moveTo(Vector3(-5.0f, 0.0f, 1.0f));
}

// A stone hovering just under the beam's tip of the next step (0.03), at (0, -3).
GameObject& stoneUnderBeam(int size) {
    fireFrom(0.0f, -3.0f);
    return addStone(size, 0.0f, -3.0f, 0.02f);
}

void hitOnce(int size) {
    stoneUnderBeam(size);
    playSteps(1);
}
} // namespace

TEST_F(GameTest, LargeStoneSplitsIntoTwoMediumStonesWithTurnedVelocities) {
    GameObject& large = stoneUnderBeam(3);
    large.vx = 0.5f;
    large.vy = -0.25f;
    large.gravity = 4.0f;
    playSteps(1);
    EXPECT_EQ(lastStepEvents(), "stone-hit stone 1 size 3 at 0.005 0.020 -3.003\n"
                                "stone-split size 3\n"
                                "debris-thrown count 6 at 0.005 0.020 -3.003\n");
    ASSERT_EQ(game.stones.count(true), 2);
    const GameObject& a = *game.stones.at(1);
    const GameObject& b = *game.stones.at(2);
    EXPECT_TRUE(a.size == 2 && a.vx == -0.25f && a.vy == -0.5f && a.z == 5.0f);
    EXPECT_TRUE(b.size == 2 && b.vx == 0.25f && b.vy == 0.5f && b.gravity == 8.0f);
    EXPECT_NEAR(b.x, 0.005f, 1e-6f); // where the parent was hit
    EXPECT_NEAR(b.y, -3.0025f, 1e-6f);
    // The first child takes the parent's place in the walk and so moves in the hit's step.
    EXPECT_NEAR(a.x, 0.0025f, 1e-6f);
    EXPECT_NEAR(a.y, -3.0075f, 1e-6f);
    ASSERT_EQ(game.debris.count(true), 6);
    EXPECT_TRUE(game.debris.at(6)->x == b.x && game.debris.at(6)->z == 0.02f);
    EXPECT_TRUE(game.ship.getScore() == 100 && !game.ship.isShotActive());

    hitOnce(3); // two large in a row: the bonus
    EXPECT_TRUE(game.ship.getScore() == 1200 && game.largeStreak == 0);
    EXPECT_NE(lastStepEvents().find("\ncombo-paid size 3\n"), std::string::npos);
    EXPECT_EQ(game.comboTimer, 99); // 100 steps, one counted off in the hit's step
    playSteps(100);
    EXPECT_EQ(game.comboTimer, 0); // and stops at 0
}

TEST_F(GameTest, SixSmallInARowPayTheBonusAndAMediumHitRestartsTheCount) {
    for (int k = 0; k < 5; ++k) {
        hitOnce(1);
    }
    EXPECT_EQ(game.smallStreak, 5);
    hitOnce(2); // its two small children hover out of the beam's reach
    EXPECT_TRUE(game.smallStreak == 0 && game.mediumStreak == 1);
    EXPECT_EQ(game.debris.count(true), 4); // the earlier pieces sank in the meantime
    for (int k = 0; k < 6; ++k) {
        hitOnce(1);
    }
    EXPECT_TRUE(game.ship.getScore() == 2200 && game.smallStreak == 0 && game.comboTimer == 99);
}

TEST_F(GameTest, OneStonePerShotAndNothingLevelWithTheTip) {
    stoneUnderBeam(1);
    addStone(1, 0.1f, -3.1f, 0.01f);
    playSteps(2);
    EXPECT_EQ(game.stones.count(true), 1);

    beginGame(game);
    game.spawnTimer = 100000; // no new stone wandering into the beam
    fireFrom(0.0f, -3.0f);
    playSteps(320); // the tip has stopped at its top
    const float tip = game.ship.getShotHeight();
    addStone(1, 0.0f, -3.0f, tip);
    addStone(1, 0.5f, -3.5f, tip - 0.01f);
    playSteps(1);
    ASSERT_EQ(game.stones.count(true), 1);
    EXPECT_EQ(game.stones.at(1)->z, tip); // the level one is left
}

TEST_F(GameTest, WallsReverseOnTheBoundAndNotJustInside) {
    // Half a unit a second moves 0.005 a step: these land exactly on the bounds.
    GameObject& onBound = addStone(3, 8.0f - 0.005f, -5.0f, 5.0f);
    GameObject& inside = addStone(3, 7.99f - 0.005f, -5.0f, 5.0f);
    GameObject& onZMin = addStone(3, 0.0f, -12.0f + 0.005f, 5.0f);
    GameObject& outside = addStone(3, 8.5f, -5.0f, 5.0f);
    onBound.vx = inside.vx = 0.5f;
    onZMin.vy = -0.5f;
    outside.vx = 0.25f;
    playSteps(1);
    EXPECT_TRUE(onBound.x == 8.0f && onBound.vx == -0.5f && inside.vx == 0.5f);
    EXPECT_TRUE(onZMin.vy == 0.5f && outside.vx == -0.25f);
    // Those that came from inside bounced; the one outside only turned.
    EXPECT_EQ(lastStepEvents(), "wall-bounce stone 1 size 3 speed 0.500 at 8.000 5.000 -5.000\n"
                                "wall-bounce stone 3 size 3 speed 0.500 at 0.000 5.000 -12.000\n");
    playSteps(1); // still outside: reversed again, nothing pushes it back in
    EXPECT_EQ(outside.vx, 0.25f);
    EXPECT_EQ(lastStepEvents(), "");
}

TEST_F(GameTest, TouchCostsALifeAndPausesWithTheStrikerLocked) {
    // Both stones hover low over the start corner, so they touch the craft there too.
    game.ship.moveTo(Vector3(-4.6f, 0.0f, 0.6f));
    addStone(3, -4.5f, 0.5f, 0.5f);
    addStone(3, -4.8f, 0.8f, 0.5f);
    const std::string printed = playSteps(1);
    EXPECT_EQ(printed, "nlock 1, Index 1"); // one touch per step
    EXPECT_EQ(lastStepEvents(), "craft-struck stone 1 count 4 at -4.600 0.000 0.600\n"
                                "lock-taken stone 1 at -4.500 0.500 0.500\n");
    EXPECT_TRUE(game.ship.getLives() == 4 && game.getReadyCountdown == 200);
    EXPECT_TRUE(game.ship.getPosition().equals(-5.0f, 0.0f, 1.0f));
    EXPECT_TRUE(game.ship.getFocus().equals(45.0f, 0.0f, -49.0f));

    playSteps(199);
    EXPECT_TRUE(game.camera.getTarget().equals(-4.5f, 0.0f, 0.5f)); // watching the striker
    EXPECT_EQ(game.ship.getLives(), 4);                             // no touches during the pause
    EXPECT_TRUE(game.ship.hit);
    playSteps(1); // the 200th step ends the pause, thinning the stones
    EXPECT_FALSE(game.ship.hit);
    EXPECT_EQ(lastStepEvents(), "get-ready-over\nlock-released\n");
    EXPECT_EQ(game.spawnTimer, 99); // the next stone comes sooner than the regular 1000
}

TEST_F(GameTest, LastLifeEndsTheGameForGood) {
    game.ship.setLives(1);
    addStone(3, -4.5f, 0.5f, 0.5f);
    playSteps(1);
    EXPECT_EQ(lastStepEvents(), "craft-struck stone 1 count 0 at -5.000 0.000 1.000\n"
                                "game-over\nlock-taken stone 1 at -4.500 0.500 0.500\n");
    playSteps(999);
    EXPECT_TRUE(game.gameOver && game.ship.hit && game.ship.getLives() == 0);
    EXPECT_EQ(game.getReadyCountdown, -999);                      // no pause to count down
    game.getReadyCountdown = std::numeric_limits<int>::min() + 1; // an endless game over
    playSteps(2);
    EXPECT_EQ(game.getReadyCountdown, std::numeric_limits<int>::min());
}

// The shot destroys the very stone that touches the craft: the touch still counts, from the
// stone's last values, and with nothing left to lock the camera keeps watching the craft.
TEST_F(GameTest, StrikerDestroyedInTheSameStepLeavesTheCameraOnTheCraft) {
    game.ship.fireShot();
    addStone(1, -4.8f, 0.8f, 0.02f);
    playSteps(1);
    EXPECT_TRUE(game.ship.getScore() == 100 && game.ship.getLives() == 4);
    EXPECT_FALSE(game.ship.hasLock());
    playSteps(5);
    EXPECT_TRUE(game.camera.getTarget().equals(-5.0f, 0.0f, 1.0f));
}
