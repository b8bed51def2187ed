// game_update.cpp -- walls, hits, splits, scoring, combinations and touches. A stone
// removed by a hit stays readable until the end of the walk, because the touch test still
// reads it in the same step; removed stones are released when the walk is done.
#include "game/game_update.h"

#include "game/frame_step.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/object_list.h"
#include "game/spawning.h"
#include "player/arena.h"
#include "player/ship.h"

namespace {
constexpr float hitHalfWidth = 1.0f;   // the beam's square, around its foot
constexpr float touchHalfWidth = 1.0f; // around the craft
constexpr float touchHeight = 1.0f;    // above the craft
constexpr int pointsPerHit = 100;
constexpr int comboBonusPoints = 1000;
constexpr float comboFramesPerSecondOfDt = 10000.0f;    // 100 frames at dt 0.01
constexpr float getReadyFramesPerSecondOfDt = 20000.0f; // 200 frames at dt 0.01
constexpr int smallComboHits = 6;
constexpr int mediumComboHits = 3;
constexpr int largeComboHits = 2;

bool strictlyWithin(float value, float centre, float halfWidth) {
    return centre - halfWidth < value && value < centre + halfWidth;
}

void bounceOffWalls(GameObject& stone) {
    if (stone.x <= arena.getXMin() || stone.x >= arena.getXMax()) {
        stone.reverseX();
    }
    if (stone.y <= arena.getZMin() || stone.y >= arena.getZMax()) {
        stone.reverseY();
    }
}

bool shotHits(const GameObject& stone) {
    return strictlyWithin(stone.x, ship.getShotX(), hitHalfWidth) &&
           strictlyWithin(stone.y, ship.getShotZ(), hitHalfWidth) && stone.z < ship.getShotHeight();
}

bool touchesCraft(const GameObject& stone) {
    const Vector3 p = ship.getPosition();
    return strictlyWithin(stone.x, p.x, touchHalfWidth) &&
           strictlyWithin(stone.y, p.z, touchHalfWidth) && stone.z < p.y + touchHeight;
}

// Ends the shot; a lock that was held passes to stone 1 of the changed list.
void endShotAfterHit() {
    const bool wasLocked = ship.hasLock();
    ship.endShotAndUnlock();
    if (wasLocked) {
        ship.lockNext(stoneList);
    }
}

void payCombo(int& streak, int hitsNeeded, float dt) {
    if (streak < hitsNeeded) {
        return;
    }
    comboTimer = static_cast<int>(dt * comboFramesPerSecondOfDt);
    ship.addScore(comboBonusPoints);
    streak = 0;
}

// The hit stone is at index i. Returns how far the walk's bound n drops.
int hitStone(GameObject& stone, int i, float dt) {
    const int size = stone.size;
    int boundDrop = 0;
    if (size > 1) {
        const float childHeight = static_cast<float>(2 * size - 1);
        stoneList.append(makeSpec(size - 1, stone.vy, -stone.vx, 2.0f * stone.gravity, stone.x,
                                  stone.y, childHeight));
        stoneList.append(makeSpec(size - 1, -stone.vy, stone.vx, 2.0f * stone.gravity, stone.x,
                                  stone.y, childHeight));
        stoneList.removeAt(i);
        endShotAfterHit();
        spawnDebris(2 * size, stone.x, stone.y, stone.z);
        mediumStreak = size == 2 ? mediumStreak + 1 : 0;
        largeStreak = size == 3 ? largeStreak + 1 : 0;
        smallStreak = 0;
    } else {
        stoneList.removeAt(i);
        endShotAfterHit();
        boundDrop = 1;
        spawnDebris(3, stone.x, stone.y, stone.z);
        smallStreak += 1;
        largeStreak = 0;
        mediumStreak = 0;
    }
    payCombo(smallStreak, smallComboHits, dt);
    payCombo(mediumStreak, mediumComboHits, dt);
    payCombo(largeStreak, largeComboHits, dt);
    ship.addScore(pointsPerHit);
    return boundDrop;
}

void touchCraft(int i, float dt) {
    const int livesLeft = ship.loseLife();
    gameOver = livesLeft == 0;
    ship.hit = true;
    if (!gameOver) {
        getReadyCountdown = static_cast<int>(dt * getReadyFramesPerSecondOfDt);
    }
    placeShipAtStart();
    // The stone now at i: the striking one, or the one behind it when the shot removed it.
    ship.lockStone(stoneList, i);
}
} // namespace

void updateGame() {
    const float dt = frameDt();
    int n = stoneList.count(false);
    int i = 1;
    while (i < n) {
        GameObject& stone = *stoneList.at(i);
        stone.step(dt);
        bounceOffWalls(stone);
        bool removed = false;
        if (ship.isShotActive() && shotHits(stone)) {
            n -= hitStone(stone, i, dt);
            removed = true;
        }
        if (!gameOver && !ship.hit && touchesCraft(stone)) {
            touchCraft(i, dt);
        }
        if (!removed) {
            i += 1;
        }
    }
    stoneList.releaseRemoved();
}
