// object_drawing.h -- drawing the things of the arena: floor cells, shadows, the craft with
// its smoke and shot, stone glows, debris, the lock marker and the signs. Each routine
// sets the blending, alpha, depth and light state it needs and switches it back.
#pragma once

#include "game/game_state.h"

void drawArenaCells(const GameState& g);
void drawShadows(const GameState& g);
// Must be called inside a push/pop pair: it starts from a fresh copy of the view.
void drawCraftAndEffects(const GameState& g);
void drawStoneGlows(const GameState& g);
void drawDebris(const GameState& g);
void drawLockMarker(const GameState& g);
// The combination, get-ready and game-over pictures.
void drawSigns(const GameState& g);
