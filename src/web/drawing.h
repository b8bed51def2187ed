// drawing.h -- the browser program's drawing: the renderer (render/renderer.h) set up on the
// canvas's WebGL context, the game's images decoded by stb_image and handed to it, and one
// frame of the game drawn.
#pragma once

#include "game/game_state.h"
#include "view/drawable_state.h"

// The GL state every frame starts from and the game's images, each with the desktop's
// console line; after the canvas is open.
void setUpDrawing(int width, int height);
// F3 and F8 flip the game's flags; the drawing follows them once per drawn frame.
void followDisplayToggles(const GameState& g);
void drawFrame(const GameState& g, const DrawableState& d);
// The lighting keys (L and l) and a played demo's.
void switchLighting(bool on);
