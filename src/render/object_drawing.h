// object_drawing.h -- drawing the things of the arena: floor cells, shadows, the craft with
// its smoke and shot, stone glows, debris, the lock marker and the signs. Each routine
// sets the blending, alpha, depth and light state it needs and switches it back.
#pragma once

void drawArenaCells();
void drawShadows();
// Must be called inside a push/pop pair: it starts from a fresh copy of the view.
void drawCraftAndEffects();
void drawStoneGlows();
void drawDebris();
void drawLockMarker();
// The combination, get-ready and game-over pictures; counts the combination timer down.
void drawSigns();
