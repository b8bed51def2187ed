// game_update.h -- the rule engine, once per step after the craft, its shot and the
// camera: stones move, bounce off the walls, are hit by the shot (split or destroyed, with
// debris, score and combination bonuses) and may touch the craft (a life, a pause or the
// end of the game).
#pragma once

#include "game/game_state.h"

void updateGame(GameState& g);
