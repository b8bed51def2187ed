// hud.h -- the four HUD lines: score, lives (or "GAME OVER!"), a spare line and the frame
// rate. The shell writes them once per drawn frame; render/hud_draw.h draws them.
#pragma once

#include "view/hud_text.h"

extern HudText scoreText;
extern HudText livesText;
extern HudText spareText; // empty, never written: a line left free for a message
extern HudText fpsText;
extern char* hudScratch; // 50-byte buffer the lines are formatted in

// Start-up texts and positions.
void initHud();
// The frame's texts from the frame rate, the lives or game over, and the score.
void writeHudTexts(float framesPerSecond, int lives, bool isGameOver, int score);
