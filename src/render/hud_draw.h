// hud_draw.h -- the HUD's lines (view/hud.h) drawn over the scene.
#pragma once

#include "render/pipeline.h"
#include "view/hud_text.h"

// Draws the lines over the scene, the frame rate only when shown; leaves the switches as
// found.
void drawHud(Pipeline& p, bool showFps);
// Draws one line at its eye-space position, kept inside a window of the given size.
void drawHudText(Pipeline& p, const HudText& line, int windowWidth, int windowHeight);
