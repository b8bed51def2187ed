// game_state.h -- the plain globals of a running game: timed counters, streaks, the
// frame's steering inputs and the display toggles. Everything here is in frames or flags.
#pragma once

extern int spawnTimer;        // frames until the next stone
extern int getReadyCountdown; // frames left of the get-ready pause
extern bool gameOver;         // no lives left; final
extern int smallStreak;       // hits in a row per stone size
extern int mediumStreak;
extern int largeStreak;
extern int comboTimer;    // drawn frames left of the combination picture
extern float spinAngle;   // degrees, turns the spinning items of the scene
extern float twirlFactor; // how strongly the stones' glows turn on screen
extern int turnInput;     // this frame: 0 none, 1 left, 2 right
extern int thrustInput;   // this frame: 0 none, 1 forward, 2 back
extern bool moved;        // an arrow key moved the craft this frame
extern bool wireframe;    // models built as line strips
extern bool cullFaces;    // back-face culling on

// Puts every global above to its value at the start of a game.
void resetGameState();
