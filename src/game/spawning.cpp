// spawning.cpp -- debris, new stones and the get-ready pause. Random numbers come from the
// game's own dice, so every game draws the same sequence.
#include "game/spawning.h"

#include "game/reporting.h"

#include <limits>

namespace {
constexpr float debrisVanishHeight = 0.5f; // above the floor
constexpr float stoneGravity = 4.0f;       // units per second squared
constexpr float stoneDropX = 1.5f;         // the arena's middle, world x
constexpr float stoneDropY = -6.0f;        // world z
constexpr float stoneDropHeight = 8.0f;
// The countdown runs to -1, so a stone arrives one step after these.
constexpr int regularSpawnSteps = 1000;
constexpr int afterPauseSpawnSteps = 100;

// A floor speed from -2.25 to 2.25 units per second in steps of 0.25.
float randomFloorSpeed(Dice& dice) {
    return static_cast<float>((dice.roll() % 19 - 9) / 4.0);
}

// Removes the k / 2 + 1 oldest stones, keeping the newest.
void thinStones(ObjectList& stoneList) {
    int t = 1;
    while (t <= stoneList.count(false) && stoneList.count(true) >= 1) {
        stoneList.removeAt(1);
        t += 1;
    }
}
} // namespace

void spawnDebris(GameState& g, int count, float x, float y, float z) {
    for (int k = 0; k < count; ++k) {
        const float vx = randomFloorSpeed(g.dice);
        const float vy = randomFloorSpeed(g.dice);
        const float gravity = static_cast<float>((g.dice.roll() % 11 + 1) / 3.0);
        g.debris.append(makeSpec(1, vx, vy, gravity, x, y, z), newObjectId(g));
    }
    GameEvent& thrown = report(g, EventKind::DEBRIS_THROWN);
    thrown.count = count;
    thrown.where = Vector3(x, z, y);
}

void getReadyStep(GameState& g) {
    if (!g.ship.hit) {
        return;
    }
    // After game over it only keeps falling; it stops at the lowest int rather than
    // overflowing, which a game left running for some 250 days would reach.
    if (g.getReadyCountdown > std::numeric_limits<int>::min()) {
        g.getReadyCountdown -= 1;
    }
    if (g.getReadyCountdown >= 1 || g.gameOver) {
        return;
    }
    g.ship.hit = false;
    report(g, EventKind::GET_READY_OVER);
    const int locked = g.ship.lockedStoneId();
    g.ship.unlock(); // before the thinning, so the lock never names a removed stone
    reportLockChange(g, locked);
    thinStones(g.stones);
    g.spawnTimer = afterPauseSpawnSteps;
}

// The placeholder at index 0 is stepped too; it never moves, so it is never removed.
void debrisStep(GameState& g) {
    ObjectList& debrisList = g.debris;
    int n = debrisList.count(false);
    int j = 0;
    while (j < n) {
        GameObject* piece = debrisList.at(j);
        piece->step();
        if (piece->floor + debrisVanishHeight > piece->z) {
            debrisList.removeAt(j);
            n -= 1;
        } else {
            j += 1;
        }
    }
}

void spawnStep(GameState& g) {
    g.spawnTimer -= 1;
    if (g.spawnTimer >= 0) {
        return;
    }
    g.spawnTimer = regularSpawnSteps;
    const float vx = randomFloorSpeed(g.dice);
    const float vy = randomFloorSpeed(g.dice);
    g.stones.append(makeSpec(3, vx, vy, stoneGravity, stoneDropX, stoneDropY, stoneDropHeight),
                    newObjectId(g));
    GameEvent& arrived = report(g, EventKind::STONE_ARRIVED);
    arrived.stone = g.stones.count(true);
    arrived.size = 3;
    arrived.where = Vector3(stoneDropX, stoneDropHeight, stoneDropY);
}
