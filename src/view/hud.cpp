// hud.cpp -- the HUD items and the per-frame texts (no GL here; see hud_draw.cpp).
#include "view/hud.h"

#include <cstdio>
#include <cstring>

HudText scoreText;
HudText livesText;
HudText spareText;
HudText fpsText;
char* hudScratch = new char[HudText::capacity];

namespace {
constexpr int fpsTextLimit = 8;    // "FPS: 123": a thousand frames or more lose a digit
constexpr int livesTextLimit = 10; // "Lives: 005" or "GAME OVER!"
constexpr int scoreTextLimit = 49;

// One space then zeros, so a text cut at its limit still ends on a zero.
void clearScratch() {
    std::memset(hudScratch, 0, HudText::capacity);
    hudScratch[0] = ' ';
}
} // namespace

void initHud() {
    HudText* items[] = {&scoreText, &livesText, &spareText, &fpsText};
    for (HudText* item : items) {
        item->reset();
    }
    scoreText.setText("Score: 000.000.000");
    livesText.setText("Level: 001");
    spareText.setText("");
    fpsText.setText("FPS: xxx");
    scoreText.setPosition(-0.7f, -0.5f, -1.5f);
    livesText.setPosition(-0.7f, -0.4f, -1.5f);
    spareText.setPosition(-0.7f, 0.35f, -1.5f);
    fpsText.setPosition(-0.7f, 0.45f, -1.5f);
}

void writeHudTexts(float framesPerSecond, int lives, bool isGameOver, int score) {
    clearScratch();
    std::snprintf(hudScratch, fpsTextLimit + 1, "FPS: %.3d", static_cast<int>(framesPerSecond));
    fpsText.setText(hudScratch);
    if (isGameOver) {
        std::snprintf(hudScratch, livesTextLimit + 1, "GAME OVER!");
    } else {
        std::snprintf(hudScratch, livesTextLimit + 1, "Lives: %.3d", lives);
    }
    livesText.setText(hudScratch);
    std::snprintf(hudScratch, scoreTextLimit + 1, "Score: %.9d", score);
    scoreText.setText(hudScratch);
}
