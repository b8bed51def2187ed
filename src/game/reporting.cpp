// reporting.cpp -- events written into the game state's list.
#include "game/reporting.h"

GameEvent& report(GameState& g, EventKind kind) {
    GameEvent event;
    event.kind = kind;
    g.events.push_back(event);
    return g.events.back();
}

void reportLockChange(GameState& g, int lockedBefore) {
    if (g.ship.lockedStoneId() == lockedBefore) {
        return;
    }
    if (!g.ship.hasLock()) {
        report(g, EventKind::LOCK_RELEASED);
        return;
    }
    const int number = g.ship.lockedIndex(g.stones);
    GameEvent& taken = report(g, EventKind::LOCK_TAKEN);
    taken.stone = number;
    taken.where = worldPosition(*g.stones.at(number));
}

void reportStoneLocked(GameState& g) {
    report(g, EventKind::STONE_LOCKED).stone = g.ship.lockedIndex(g.stones);
}
