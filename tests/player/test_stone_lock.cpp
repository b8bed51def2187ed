// test_stone_lock.cpp -- stepping the lock through the stones, its printed text, the focus
// it returns to, and the lock passing on when the shot strikes.
#include "game/game_setup.h"
#include "game/object_list.h"
#include "game_fixture.h"
#include "player/ship.h"
#include "test_support.h"

// Stepping through the stones with the keys is tested with the other keys.
TEST_F(GameTest, LockRefusesThePlaceholderAndUnlockRestoresTheFocusFromBeforeTheFirstLock) {
    EXPECT_EQ(captureStdout([] { EXPECT_FALSE(ship.lockNext(stoneList)); }), "");
    EXPECT_FALSE(ship.lockPrevious(stoneList));
    for (int k = 1; k <= 3; ++k) {
        addStone(3, static_cast<float>(k), -8.0f, 5.0f);
    }
    std::string out = captureStdout([] {
        ship.lockPrevious(stoneList); // from no lock: the last stone
        ship.lockPrevious(stoneList);
        EXPECT_FALSE(ship.lockStone(stoneList, 4)); // beyond the stones
        EXPECT_FALSE(ship.lockStone(stoneList, 0)); // the placeholder is no stone
    });
    EXPECT_EQ(out, "nlock 3, Index 3nlock 2, Index 2");
    EXPECT_EQ(ship.getLockedStone(), stoneList.at(2));
    playFrames(1); // the focus follows the lock from the next frame on
    EXPECT_TRUE(ship.getFocus().equals(2.0f, 0.0f, -8.0f));
    captureStdout([] { ship.lockNext(stoneList); });
    playFrames(1);
    EXPECT_TRUE(ship.getFocus().equals(3.0f, 0.0f, -8.0f));
    const Vector3 facing = ship.getDirection();
    ship.unlock();
    EXPECT_TRUE(ship.getFocus().equals(45.0f, 0.0f, -49.0f));
    EXPECT_TRUE(ship.getDirection().equals(facing.x, facing.y, facing.z)); // until updated
}

TEST_F(GameTest, ShotStrikingAnyStonePassesTheLockToStoneOne) {
    addStone(3, 0.0f, -8.0f, 5.0f);
    addStone(3, 4.0f, -8.0f, 5.0f);
    ship.moveTo(Vector3(0.0f, 0.0f, -3.0f));
    ship.fireShot();
    ship.moveTo(Vector3(-5.0f, 0.0f, 1.0f));
    addStone(1, 0.0f, -3.0f, 0.02f);
    captureStdout([] { ship.lockStone(stoneList, 2); });
    EXPECT_NE(playFrames(1).find("nlock 1, Index 1"), std::string::npos);
    EXPECT_EQ(stoneList.count(true), 2);
    EXPECT_EQ(ship.lockedIndex, 1);
    EXPECT_EQ(ship.getLockedStone(), stoneList.at(1));

    captureStdout([] { beginGame(); }); // the last stone destroyed: no lock remains
    ship.fireShot();
    addStone(1, -4.5f, 0.5f, 1.01f); // above the craft's reach, in the beam's
    captureStdout([] { ship.lockNext(stoneList); });
    playFrames(40);
    EXPECT_EQ(stoneList.count(true), 0);
    EXPECT_FALSE(ship.hasLock());
    EXPECT_EQ(ship.lockedIndex, -1);
}
