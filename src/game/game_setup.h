// game_setup.h -- the start-up steps of a game that need no window: the camera's settings,
// the craft's settings and its placing at the start point (also after every touch), and
// putting the whole game back to its start for tests and benchmarks.
#pragma once

#include "game/game_state.h"

// The camera's eye, view, modes, frame-rate line, goal rate and centre point. The scene
// light's position is drawing state: main sets it just before calling this.
void initCamera(GameState& g);
// The craft's settings in play; needs the arena's axis points computed.
void initShip(GameState& g);
// The craft to axis point 0 facing the camera's centre point; the camera watches it from
// behind.
void placeShipAtStart(GameState& g);

// Everything back to how a new GameState starts: both lists holding only a placeholder,
// the craft, the camera, the arena, the dice, the counters and the toggles.
void resetGame(GameState& g);
// resetGame, then the start-up steps main runs without a window: the arena's axis points,
// initCamera, initShip and placeShipAtStart.
void beginGame(GameState& g);
