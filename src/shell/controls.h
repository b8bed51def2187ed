// controls.h -- what the character keys do: each acts at once, at any time, between steps.
// Lighting is the drawing side's, so it goes through an action the window registers; the
// rest changes the game and runs headless in tests.
#pragma once

#include "game/game_state.h"

using LightingAction = void (*)(bool on);

// Registers the drawing side's lighting switch; null skips it.
void setLightingAction(LightingAction action);

// One character key press (the keyboard callback's key).
void handleKey(GameState& g, unsigned char key);
