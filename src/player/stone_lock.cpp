// stone_lock.cpp -- the craft's lock on a stone: stepping it through the stones and ending
// it. Stones are numbered 1 to the stone count; 0 is the list's placeholder, never locked.
// The lock holds the stone's id, so its number is always where the stone stands now.
#include "player/ship.h"

// Locks stone number; the focus from before the first lock is kept to return to. The focus
// itself moves to the stone on the next step.
bool Ship::lockStone(const ObjectList& stones, int number) {
    if (number < 1 || number > stones.count(true)) {
        return false;
    }
    if (!hasLock()) {
        savedFocus = focus;
    }
    lockedId = stones.at(number)->id;
    return true;
}

bool Ship::lockNext(const ObjectList& stones) {
    const int stoneCount = stones.count(true);
    if (stoneCount < 1) {
        return false;
    }
    const int locked = lockedIndex(stones);
    const bool stepOn = locked >= 1 && locked <= stoneCount - 1;
    lockStone(stones, stepOn ? locked + 1 : 1);
    return true;
}

bool Ship::lockPrevious(const ObjectList& stones) {
    const int stoneCount = stones.count(true);
    if (stoneCount < 1) {
        return false;
    }
    const int locked = lockedIndex(stones);
    const bool stepBack = locked >= 2 && locked <= stoneCount;
    lockStone(stones, stepBack ? locked - 1 : stoneCount);
    return true;
}

// Restores the focus by plain assignment: the direction keeps its last value until the next
// direction update.
void Ship::unlock() {
    if (hasLock()) {
        focus = savedFocus;
    }
    lockedId = noLock;
}

int Ship::lockedIndex(const ObjectList& stones) const {
    return hasLock() ? stones.indexOf(lockedId) : -1;
}

// The locked stone's spot on the floor in world axes. Without a lock (the striking stone was
// just destroyed, or none is left) it answers the craft's own position, so the camera keeps
// watching the craft.
Vector3 Ship::lockedStonePoint(const ObjectList& stones) const {
    const int number = lockedIndex(stones);
    if (number < 1) {
        return position;
    }
    const GameObject& stone = *stones.at(number);
    return worldPosition(stone, 0.0f);
}
