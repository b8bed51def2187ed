// spawning.h -- the timed side of the rules, once per step: the get-ready pause after a
// touch, debris falling and vanishing, and large stones arriving on a countdown of steps.
#pragma once

#include "game/game_state.h"

// Adds count debris pieces at (x, y, z) in the object record's axes (y is world z), with
// speeds from the game's dice.
void spawnDebris(GameState& g, int count, float x, float y, float z);

// While the craft is hit, counts the pause down; its end resumes play with the oldest
// stones thinned out and the next stone due sooner.
void getReadyStep(GameState& g);
// Moves every debris piece; a piece that sinks below height 0.5 is removed.
void debrisStep(GameState& g);
// Counts down to the next large stone, which drops from above the arena's middle.
void spawnStep(GameState& g);
