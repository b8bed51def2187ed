// test_stone_lock.cpp -- stepping the lock through the stones, the focus it returns to, and
// the lock passing on when the shot strikes.
#include "game_fixture.h"

// Stepping through the stones with the keys, and the console's lines, are tested with the
// other keys.
TEST_F(GameTest, LockRefusesThePlaceholderAndUnlockRestoresTheFocusFromBeforeTheFirstLock) {
    EXPECT_FALSE(game.ship.lockNext(game.stones));
    EXPECT_FALSE(game.ship.lockPrevious(game.stones));
    for (int k = 1; k <= 3; ++k) {
        addStone(3, static_cast<float>(k), -8.0f, 5.0f);
    }
    EXPECT_TRUE(game.ship.lockPrevious(game.stones)); // from no lock: the last stone
    EXPECT_EQ(game.ship.lockedIndex(game.stones), 3);
    EXPECT_TRUE(game.ship.lockStone(game.stones, 2));
    EXPECT_FALSE(game.ship.lockStone(game.stones, 4)); // beyond the stones
    EXPECT_FALSE(game.ship.lockStone(game.stones, 0)); // the placeholder is no stone
    EXPECT_EQ(game.ship.lockedStoneId(), game.stones.at(2)->id);
    playSteps(1); // the focus follows the lock from the next step on
    EXPECT_TRUE(game.ship.getFocus().equals(2.0f, 0.0f, -8.0f));
    game.ship.lockNext(game.stones);
    playSteps(1);
    EXPECT_TRUE(game.ship.getFocus().equals(3.0f, 0.0f, -8.0f));
    const Vector3 facing = game.ship.getDirection();
    game.ship.unlock();
    EXPECT_TRUE(game.ship.getFocus().equals(45.0f, 0.0f, -49.0f) &&
                game.ship.getDirection().equals(facing.x, facing.y, facing.z)); // until updated
}

TEST_F(GameTest, ShotStrikingAnyStonePassesTheLockToStoneOne) {
    addStone(3, 0.0f, -8.0f, 5.0f);
    addStone(3, 4.0f, -8.0f, 5.0f);
    game.ship.moveTo(Vector3(0.0f, 0.0f, -3.0f));
    game.ship.fireShot();
    game.ship.moveTo(Vector3(-5.0f, 0.0f, 1.0f));
    addStone(1, 0.0f, -3.0f, 0.02f);
    game.ship.lockStone(game.stones, 2);
    EXPECT_NE(playSteps(1).find("nlock 1, Index 1"), std::string::npos);
    EXPECT_TRUE(game.stones.count(true) == 2 && game.ship.lockedIndex(game.stones) == 1);
    EXPECT_EQ(game.ship.lockedStoneId(), game.stones.at(1)->id);
}
