// object_drawing.h -- drawing the things of the arena: floor cells, shadows, the craft with
// its smoke and shot, stone glows, debris, the lock marker and the signs. Each routine
// sets the blending, alpha, depth, culling and light state it needs and hands the switches,
// the face culled and the matrix stack back as it found them. Moving things are drawn where
// the frame's drawable state has them.
#pragma once

#include "game/game_state.h"
#include "render/pipeline.h"
#include "view/drawable_state.h"

void drawArenaCells(Pipeline& p, const GameState& g);
void drawShadows(Pipeline& p, const DrawableState& d);
// Leaves lighting switched on, on purpose: see the l key in docs/BEHAVIOUR.md.
void drawCraftAndEffects(Pipeline& p, const GameState& g, const DrawableState& d);
void drawStoneGlows(Pipeline& p, const GameState& g, const DrawableState& d);
void drawDebris(Pipeline& p, const DrawableState& d);
void drawLockMarker(Pipeline& p, const GameState& g, const DrawableState& d);
// The combination, get-ready and game-over pictures.
void drawSigns(Pipeline& p, const GameState& g, const DrawableState& d);
