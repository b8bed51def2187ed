// hud.h -- the four HUD lines: score, lives (or "GAME OVER!"), a spare line and the frame
// rate. The shell writes them once per drawn frame; the display callback draws them.
#pragma once

#include "render/hud_text.h"

extern HudText scoreText;
extern HudText livesText;
extern HudText spareText;
extern HudText fpsText;
extern char* hudScratch; // 50-byte buffer the lines are formatted in

// Start-up texts and positions.
void initHud();
// The frame's texts from the frame rate, the lives or game over, and the score.
void writeHudTexts(float framesPerSecond, int lives, bool isGameOver, int score);
// Draws the lines over the scene, the frame rate only when shown; leaves the enable bits
// as found.
void drawHud(bool showFps);
