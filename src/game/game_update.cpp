// game_update.cpp -- walls, hits, splits, scoring, combinations and touches. A stone
// removed by a hit stays readable until the end of the walk, because the touch test still
// reads it in the same step; removed stones are released when the walk is done.
#include "game/game_update.h"

#include "game/game_setup.h"
#include "game/reporting.h"
#include "game/spawning.h"

#include <cmath>

namespace {
constexpr float hitHalfWidth = 1.0f;   // the beam's square, around its foot
constexpr float touchHalfWidth = 1.0f; // around the craft
constexpr float touchHeight = 1.0f;    // above the craft
constexpr int pointsPerHit = 100;
constexpr int comboBonusPoints = 1000;
constexpr int comboShowSteps = 100; // 1 s of the combination picture
constexpr int getReadySteps = 200;  // 2 s of pause after a touch
constexpr int smallComboHits = 6;
constexpr int mediumComboHits = 3;
constexpr int largeComboHits = 2;

bool strictlyWithin(float value, float centre, float halfWidth) {
    return centre - halfWidth < value && value < centre + halfWidth;
}

// A stone that reached a wall from inside the arena bounced off it. One already outside
// (a child of a stone split on the wall) has its speed reversed every step and jitters
// there; that is no bounce.
struct Inside {
    bool acrossX;
    bool acrossZ;
};

Inside insideWalls(const Arena& arena, const GameObject& stone) {
    return {arena.getXMin() < stone.x && stone.x < arena.getXMax(),
            arena.getZMin() < stone.y && stone.y < arena.getZMax()};
}

void bounceOffWalls(GameState& g, GameObject& stone, int number, Inside before) {
    const Arena& arena = g.arena;
    bool bounced = false;
    float speed = 0.0f;
    if (stone.x <= arena.getXMin() || stone.x >= arena.getXMax()) {
        stone.reverseX();
        bounced = before.acrossX;
        speed = std::fabs(stone.vx);
    }
    if (stone.y <= arena.getZMin() || stone.y >= arena.getZMax()) {
        stone.reverseY();
        if (before.acrossZ) {
            bounced = true;
            speed = std::fmax(speed, std::fabs(stone.vy));
        }
    }
    if (!bounced) {
        return;
    }
    GameEvent& event = report(g, EventKind::WALL_BOUNCE);
    event.stone = number;
    event.size = stone.size;
    event.speed = speed;
    event.where = worldPosition(stone);
}

void reportFloorBounce(GameState& g, const GameObject& stone, int number) {
    GameEvent& event = report(g, EventKind::FLOOR_BOUNCE);
    event.stone = number;
    event.size = stone.size;
    event.speed = stone.vz;
    event.where = worldPosition(stone);
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
    const int locked = g.ship.lockedStoneId();
    g.ship.endShotAndUnlock();
    if (locked != Ship::noLock && g.ship.lockNext(g.stones)) {
        reportStoneLocked(g);
    }
    reportLockChange(g, locked);
}

void payCombo(GameState& g, int& streak, int hitsNeeded, int size) {
    if (streak < hitsNeeded) {
        return;
    }
    g.comboTimer = comboShowSteps;
    g.ship.addScore(comboBonusPoints);
    streak = 0;
    report(g, EventKind::COMBO_PAID).size = size;
}

void reportHit(GameState& g, const GameObject& stone, int number) {
    GameEvent& hit = report(g, EventKind::STONE_HIT);
    hit.stone = number;
    hit.size = stone.size;
    hit.where = worldPosition(stone);
    report(g, stone.size > 1 ? EventKind::STONE_SPLIT : EventKind::STONE_DESTROYED).size =
        stone.size;
}

// The hit stone is at index i. Returns how far the walk's bound n drops.
int hitStone(GameState& g, GameObject& stone, int i) {
    ObjectList& stoneList = g.stones;
    const int size = stone.size;
    int boundDrop = 0;
    reportHit(g, stone, i);
    if (size > 1) {
        const float childHeight = static_cast<float>(2 * size - 1);
        stoneList.append(makeSpec(size - 1, stone.vy, -stone.vx, 2.0f * stone.gravity, stone.x,
                                  stone.y, childHeight),
                         newObjectId(g));
        stoneList.append(makeSpec(size - 1, -stone.vy, stone.vx, 2.0f * stone.gravity, stone.x,
                                  stone.y, childHeight),
                         newObjectId(g));
        stoneList.removeAt(i);
        endShotAfterHit(g);
        spawnDebris(g, 2 * size, stone.x, stone.y, stone.z);
        g.mediumStreak = size == 2 ? g.mediumStreak + 1 : 0;
        g.largeStreak = size == 3 ? g.largeStreak + 1 : 0;
        g.smallStreak = 0;
    } else {
        stoneList.removeAt(i);
        endShotAfterHit(g);
        boundDrop = 1;
        spawnDebris(g, 3, stone.x, stone.y, stone.z);
        g.smallStreak += 1;
        g.largeStreak = 0;
        g.mediumStreak = 0;
    }
    payCombo(g, g.smallStreak, smallComboHits, 1);
    payCombo(g, g.mediumStreak, mediumComboHits, 2);
    payCombo(g, g.largeStreak, largeComboHits, 3);
    g.ship.addScore(pointsPerHit);
    return boundDrop;
}

void touchCraft(GameState& g, int i) {
    const int livesLeft = g.ship.loseLife();
    g.gameOver = livesLeft == 0;
    g.ship.hit = true;
    GameEvent& struck = report(g, EventKind::CRAFT_STRUCK);
    struck.stone = i;
    struck.count = livesLeft;
    struck.where = g.ship.getPosition();
    if (g.gameOver) {
        report(g, EventKind::GAME_OVER);
    } else {
        g.getReadyCountdown = getReadySteps;
    }
    placeShipAtStart(g);
    // The stone now at i: the striking one, or the one behind it when the shot removed it.
    const int locked = g.ship.lockedStoneId();
    if (g.ship.lockStone(g.stones, i)) {
        reportStoneLocked(g);
    }
    reportLockChange(g, locked);
}
} // namespace

void updateGame(GameState& g) {
    ObjectList& stoneList = g.stones;
    int n = stoneList.count(false);
    int i = 1;
    while (i < n) {
        GameObject& stone = *stoneList.at(i);
        const Inside before = insideWalls(g.arena, stone);
        if (stone.step()) {
            reportFloorBounce(g, stone, i);
        }
        bounceOffWalls(g, stone, i, before);
        bool removed = false;
        if (g.ship.isShotActive() && shotHits(g.ship, stone)) {
            n -= hitStone(g, stone, i);
            removed = true;
        }
        if (!g.gameOver && !g.ship.hit && touchesCraft(g.ship, stone)) {
            touchCraft(g, i);
        }
        if (!removed) {
            i += 1;
        }
    }
    stoneList.releaseRemoved();
}
