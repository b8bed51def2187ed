// game_state.cpp -- the globals and their start values.
#include "game/game_state.h"

int spawnTimer = 200;
int getReadyCountdown = 0;
bool gameOver = false;
int smallStreak = 0;
int mediumStreak = 0;
int largeStreak = 0;
int comboTimer = 0;
float spinAngle = 0.0f;
float twirlFactor = 10.0f;
int turnInput = 0;
int thrustInput = 0;
bool moved = false;
bool wireframe = false;
bool cullFaces = false;

void resetGameState() {
    spawnTimer = 200;
    getReadyCountdown = 0;
    gameOver = false;
    smallStreak = 0;
    mediumStreak = 0;
    largeStreak = 0;
    comboTimer = 0;
    spinAngle = 0.0f;
    twirlFactor = 10.0f;
    turnInput = 0;
    thrustInput = 0;
    moved = false;
    wireframe = false;
    cullFaces = false;
}
