// game_update.h -- the rule engine, once per frame after the craft, its shot and the
// camera: stones move, bounce off the walls, are hit by the shot (split or destroyed, with
// debris, score and combination bonuses) and may touch the craft (a life, a pause or the
// end of the game).
#pragma once

// Reads the frame interval through the camera's timer.
void updateGame();
