// reporting.h -- how the rules write a step's events into the game state.
#pragma once

#include "game/game_state.h"

// Appends an event of this kind and returns it for its fields.
GameEvent& report(GameState& g, EventKind kind);
// Reports a lock taken, moved to another stone or let go, if the lock is no longer on the
// stone with the id lockedBefore (Ship::noLock: none).
void reportLockChange(GameState& g, int lockedBefore);
// Reports the lock just set on a stone, for the console (also when it was on it already).
void reportStoneLocked(GameState& g);
