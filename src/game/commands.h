// commands.h -- the player's commands, applied at the start of a step in the order given:
// the shot, the lock, the focus, the camera's and the turning's modes, and the display
// toggles, which the rules ignore while the craft is struck or the game is over.
#pragma once

#include "game/game_state.h"
#include "game/intentions.h"

void applyCommands(GameState& g, const StepInput& input);
