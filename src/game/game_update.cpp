// game_update.cpp -- walls, hits, splits, scoring, combinations and touches. A stone
// removed by a hit stays readable until the end of the walk, because the touch test still
// reads it in the same step; removed stones are released when the walk is done.
#include "game/game_update.h"

#include "game/game_setup.h"
#include "game/spawning.h"

namespace {
constexpr float hitHalfWidth = 1.0f;   // the beam's square, around its foot
constexpr float touchHalfWidth = 1.0f; // around the craft
constexpr float touchHeight = 1.0f;    // above the craft
constexpr int pointsPerHit = 100;
constexpr int comboBonusPoints = 1000;
constexpr float comboStepsPerSecondOfDt = 10000.0f;    // 100 steps (1 s) at dt 0.01
constexpr float getReadyStepsPerSecondOfDt = 20000.0f; // 200 steps (2 s) at dt 0.01
constexpr int smallComboHits = 6;
constexpr int mediumComboHits = 3;
constexpr int largeComboHits = 2;

bool strictlyWithin(float value, float centre, float halfWidth) {
    return centre - halfWidth < value && value < centre + halfWidth;
}

void bounceOffWalls(const Arena& arena, GameObject& stone) {
    if (stone.x <= arena.getXMin() || stone.x >= arena.getXMax()) {
        stone.reverseX();
    }
    if (stone.y <= arena.getZMin() || stone.y >= arena.getZMax()) {
        stone.reverseY();
    }
}

bool shotHits(const Ship& ship, const GameObject& stone) {
    return strictlyWithin(stone.x, ship.getShotX(), hitHalfWidth) &&
           strictlyWithin(stone.y, ship.getShotZ(), hitHalfWidth) && stone.z < ship.getShotHeight();
}

bool touchesCraft(const Ship& ship, const GameObject& stone) {
    const Vector3 p = ship.getPosition();
    return strictlyWithin(stone.x, p.x, touchHalfWidth) &&
           strictlyWithin(stone.y, p.z, touchHalfWidth) && stone.z < p.y + touchHeight;
}

// Ends the shot; a lock that was held passes to stone 1 of the changed list.
void endShotAfterHit(GameState& g) {
    const bool wasLocked = g.ship.hasLock();
    g.ship.endShotAndUnlock();
    if (wasLocked) {
        g.ship.lockNext(g.stones);
    }
}

void payCombo(GameState& g, int& streak, int hitsNeeded, float dt) {
    if (streak < hitsNeeded) {
        return;
    }
    g.comboTimer = static_cast<int>(dt * comboStepsPerSecondOfDt);
    g.ship.addScore(comboBonusPoints);
    streak = 0;
}

// The hit stone is at index i. Returns how far the walk's bound n drops.
int hitStone(GameState& g, GameObject& stone, int i, float dt) {
    ObjectList& stoneList = g.stones;
    const int size = stone.size;
    int boundDrop = 0;
    if (size > 1) {
        const float childHeight = static_cast<float>(2 * size - 1);
        stoneList.append(makeSpec(size - 1, stone.vy, -stone.vx, 2.0f * stone.gravity, stone.x,
                                  stone.y, childHeight));
        stoneList.append(makeSpec(size - 1, -stone.vy, stone.vx, 2.0f * stone.gravity, stone.x,
                                  stone.y, childHeight));
        stoneList.removeAt(i);
        endShotAfterHit(g);
        spawnDebris(g.debris, 2 * size, stone.x, stone.y, stone.z);
        g.mediumStreak = size == 2 ? g.mediumStreak + 1 : 0;
        g.largeStreak = size == 3 ? g.largeStreak + 1 : 0;
        g.smallStreak = 0;
    } else {
        stoneList.removeAt(i);
        endShotAfterHit(g);
        boundDrop = 1;
        spawnDebris(g.debris, 3, stone.x, stone.y, stone.z);
        g.smallStreak += 1;
        g.largeStreak = 0;
        g.mediumStreak = 0;
    }
    payCombo(g, g.smallStreak, smallComboHits, dt);
    payCombo(g, g.mediumStreak, mediumComboHits, dt);
    payCombo(g, g.largeStreak, largeComboHits, dt);
    g.ship.addScore(pointsPerHit);
    return boundDrop;
}

void touchCraft(GameState& g, int i, float dt) {
    const int livesLeft = g.ship.loseLife();
    g.gameOver = livesLeft == 0;
    g.ship.hit = true;
    if (!g.gameOver) {
        g.getReadyCountdown = static_cast<int>(dt * getReadyStepsPerSecondOfDt);
    }
    placeShipAtStart(g);
    // The stone now at i: the striking one, or the one behind it when the shot removed it.
    g.ship.lockStone(g.stones, i);
}
} // namespace

void updateGame(GameState& g, float dt) {
    ObjectList& stoneList = g.stones;
    int n = stoneList.count(false);
    int i = 1;
    while (i < n) {
        GameObject& stone = *stoneList.at(i);
        stone.step(dt);
        bounceOffWalls(g.arena, stone);
        bool removed = false;
        if (g.ship.isShotActive() && shotHits(g.ship, stone)) {
            n -= hitStone(g, stone, i, dt);
            removed = true;
        }
        if (!g.gameOver && !g.ship.hit && touchesCraft(g.ship, stone)) {
            touchCraft(g, i, dt);
        }
        if (!removed) {
            i += 1;
        }
    }
    stoneList.releaseRemoved();
}
