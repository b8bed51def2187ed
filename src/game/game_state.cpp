// game_state.cpp -- the one game the program plays.
#include "game/game_state.h"

GameState game;
