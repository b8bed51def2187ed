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
// Prints what the console shows of a step's events on standard output, in their order: each
// line on its own (one write when standard output is unbuffered, as in the game), a line
// without its end alone, so a pipe gets every line as it comes.
void printConsoleLines(const StepEvents& events);
