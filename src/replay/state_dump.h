// state_dump.h -- a game as text, for comparing two runs with cmp: the end state of a demo,
// and the log of a step's events.
#pragma once

#include "game/game_state.h"

#include <string>

// Score, lives, the flags, streaks, lock and every stone with its position to three
// decimals.
std::string describeState(GameState& g);
// One line per event of a step: "STEP EVENT...".
std::string describeStepEvents(int step, const StepEvents& events);
