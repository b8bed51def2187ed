// hud_draw.h -- the HUD's lines (view/hud.h) drawn over the scene.
#pragma once

// Draws the lines over the scene, the frame rate only when shown; leaves the enable bits
// as found.
void drawHud(bool showFps);
