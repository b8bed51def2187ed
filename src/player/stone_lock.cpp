// stone_lock.cpp -- the craft's lock on a stone: stepping it through the stones and ending
// it. Stones are numbered 1 to the stone count; 0 is the list's placeholder, never locked.
#include "player/ship.h"

// Locks stone number; the focus from before the first lock is kept to return to. The focus
// itself moves to the stone on the next step.
bool Ship::lockStone(const ObjectList& stones, int number) {
    if (number < 1 || number > stones.count(true)) {
        return false;
    }
    if (lockedIndex == -1) {
        savedFocus = focus;
    }
    lockedStone = stones.at(number);
    lockedIndex = number;
    return true;
}

bool Ship::lockNext(const ObjectList& stones) {
    const int stoneCount = stones.count(true);
    if (stoneCount < 1) {
        return false;
    }
    const bool stepOn = lockedIndex >= 1 && lockedIndex <= stoneCount - 1;
    lockStone(stones, stepOn ? lockedIndex + 1 : 1);
    return true;
}

bool Ship::lockPrevious(const ObjectList& stones) {
    const int stoneCount = stones.count(true);
    if (stoneCount < 1) {
        return false;
    }
    const bool stepBack = lockedIndex >= 2 && lockedIndex <= stoneCount;
    lockStone(stones, stepBack ? lockedIndex - 1 : stoneCount);
    return true;
}

// Restores the focus by plain assignment: the direction keeps its last value until the next
// direction update.
void Ship::unlock() {
    if (lockedIndex >= 1) {
        focus = savedFocus;
    }
    lockedStone = nullptr;
    lockedIndex = -1;
}

// The locked stone's spot on the floor in world axes. Without a lock (the striking stone was
// just destroyed, or none is left) it answers the craft's own position, so the camera keeps
// watching the craft.
Vector3 Ship::lockedStonePoint() const {
    if (lockedStone == nullptr) {
        return position;
    }
    return Vector3(lockedStone->x, 0.0f, lockedStone->y);
}
