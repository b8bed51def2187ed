// state_dump.h -- a game as text, for comparing two runs with cmp: the end state of a demo,
// and the log of a step's events; and the console's lines of a step, printed.
#pragma once

#include "game/game_state.h"

#include <string>

// Score, lives, the flags, streaks, lock and every stone with its position to three
// decimals.
std::string describeState(const GameState& g);
// One line per event of a step that logs keep: "STEP EVENT...".
std::string describeStepEvents(int step, const StepEvents& events);
// Prints what the console shows of a step's events on standard output, in their order, one
// write a line as they always were written (a line without its end is written alone).
void printConsoleLines(const StepEvents& events);
