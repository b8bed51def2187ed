// reporting.cpp -- events written into the game state's list.
#include "game/reporting.h"

GameEvent& report(GameState& g, EventKind kind) {
    GameEvent event;
    event.kind = kind;
    g.events.push_back(event);
    return g.events.back();
}

Vector3 worldPoint(const GameObject& object) {
    return Vector3(object.x, object.z, object.y);
}

void reportLockChange(GameState& g, const GameObject* lockedBefore) {
    const GameObject* locked = g.ship.getLockedStone();
    if (locked == lockedBefore) {
        return;
    }
    if (locked == nullptr) {
        report(g, EventKind::LOCK_RELEASED);
        return;
    }
    GameEvent& taken = report(g, EventKind::LOCK_TAKEN);
    taken.stone = g.ship.lockedIndex;
    taken.where = worldPoint(*locked);
}

void reportStoneLocked(GameState& g) {
    report(g, EventKind::STONE_LOCKED).stone = g.ship.lockedIndex;
}
