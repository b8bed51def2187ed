// game_setup.h -- the start-up steps of a game, the one sequence the program and every
// headless caller run: the arena's axis points, the camera's settings, the craft's settings
// and its placing at the start point (also after every touch); and putting the whole game
// back to its start for tests and benchmarks.
#pragma once

#include "game/game_state.h"

#include <functional>

// The game's start-up steps in their order: the arena's axis points, then
// betweenArenaAndCamera when given (the program builds its model lists there and places
// the scene light), the camera's eye, view, modes, frame-rate line, goal rate and centre
// point, the craft's settings in play, and the craft placed at the start.
void setUpGame(GameState& g, const std::function<void()>& betweenArenaAndCamera = nullptr);
// The craft to axis point 0 facing the camera's centre point; the camera watches it from
// behind.
void placeShipAtStart(GameState& g);

// Everything back to how a new GameState starts: both lists holding only a placeholder,
// the craft, the camera, the arena, the dice, the counters and the toggles.
void resetGame(GameState& g);
// resetGame, then setUpGame: a new game as the program starts it, without a window.
void beginGame(GameState& g);
