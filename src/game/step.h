// step.h -- one step of game time, 0.01 s (stepSeconds): the player's intentions go in, the
// state comes out changed and the step reports what happened. No clock, no key table, no
// device and no window inside, so tests, benchmarks and replays run it as the game does.
#pragma once

#include "game/game_state.h"
#include "game/intentions.h"
#include "world/step_time.h"

// Advances the game by one step, in the fixed order of work; returns the step's events (the
// game state's list, valid until the next step).
const StepEvents& advance(GameState& g, const StepInput& input);
