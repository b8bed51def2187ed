// object_drawing.h -- drawing the things of the arena: floor cells, shadows, the craft with
// its smoke and shot, stone glows, debris, the lock marker and the signs. Each routine
// sets the blending, alpha, depth and light state it needs and switches it back. Moving
// things are drawn where the frame's drawable state has them.
#pragma once

#include "game/game_state.h"
#include "view/drawable_state.h"

void drawArenaCells(const GameState& g);
void drawShadows(const DrawableState& d);
// Must be called inside a push/pop pair: it starts from a fresh copy of the view.
void drawCraftAndEffects(const GameState& g, const DrawableState& d);
void drawStoneGlows(const GameState& g, const DrawableState& d);
void drawDebris(const DrawableState& d);
void drawLockMarker(const GameState& g, const DrawableState& d);
// The combination, get-ready and game-over pictures.
void drawSigns(const GameState& g, const DrawableState& d);
