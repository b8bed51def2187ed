// step.h -- one fixed step of game time: what the shell polled goes in, the state comes
// out changed. No clock, no key table and no window inside, so tests, benchmarks and
// replays run it as the game does.
#pragma once

#include "game/game_state.h"
#include "platform/key_state.h"

// The polled keys as the shell read them for one step: arrows held now, and whether each
// toggle key was pressed since the step before.
struct StepInput {
    bool held[POLLED_KEY_COUNT] = {};
    bool pressed[POLLED_KEY_COUNT] = {};
};

// The game time one step stands for, in seconds: every duration counted in steps assumes it.
constexpr float stepSeconds = 0.01f;

// Advances the game by one step of dt seconds, in the fixed order of work.
void advance(GameState& g, const StepInput& input, float dt);
