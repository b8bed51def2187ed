// test_spawning.cpp -- stones arriving on their step countdown, debris falling and
// vanishing, and the end of the get-ready pause thinning the stones.
#include "game/game_setup.h"
#include "game_fixture.h"

#include <cmath>

TEST_F(GameTest, FirstStoneOnStep201ThenOneEvery1001Steps) {
    playSteps(200);
    EXPECT_EQ(game.stones.count(true), 0);
    playSteps(1);
    ASSERT_EQ(game.stones.count(true), 1);
    EXPECT_EQ(lastStepEvents(), "stone-arrived stone 1 at 1.500 8.000 -6.000\n");
    const GameObject& stone = *game.stones.at(1);
    EXPECT_TRUE(stone.size == 3 && stone.gravity == 4.0f && stone.z == 8.0f);
    // Dropped above the middle, a step ago.
    EXPECT_TRUE(std::fabs(stone.x - 1.5f) < 0.03f && std::fabs(stone.y + 6.0f) < 0.03f);
    playSteps(1000);
    EXPECT_EQ(game.stones.count(true), 1);
    playSteps(1);
    EXPECT_EQ(game.stones.count(true), 2);
}

// Debris falling with its random speeds is followed by the replays; here, the edge of the
// walk: two pieces sinking below half a unit in the same step both go in that step.
TEST_F(GameTest, DebrisFallsAndVanishesBelowHalfAUnit) {
    for (int k = 0; k < 2; ++k) {
        ObjectSpec spec = makeSpec(1, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.6f);
        spec.vz = -20.0f;
        game.debris.append(spec, newObjectId(game));
    }
    playSteps(1);
    EXPECT_EQ(game.debris.count(false), 1); // the placeholder stays
}

TEST_F(GameTest, PauseEndThinsTheOldestStones) {
    const int before[] = {0, 1, 2, 3, 4, 7};
    const int after[] = {0, 0, 0, 1, 1, 3};
    for (int c = 0; c < 6; ++c) {
        beginGame(game);
        for (int k = 1; k <= before[c]; ++k) {
            addStone(3, static_cast<float>(k) - 5.0f, -8.0f, 5.0f);
        }
        game.ship.lockNext(game.stones);
        game.ship.hit = true;
        game.getReadyCountdown = 1; // ends on the next step
        playSteps(1);
        EXPECT_FALSE(game.ship.hit || game.ship.hasLock());
        EXPECT_TRUE(game.ship.getFocus().equals(45.0f, 0.0f, -49.0f));
        ASSERT_EQ(game.stones.count(true), after[c]) << before[c] << " stones";
        if (after[c] > 0) { // the newest are kept
            EXPECT_EQ(game.stones.at(1)->x, static_cast<float>(before[c] - after[c] + 1) - 5.0f);
        }
    }
}
