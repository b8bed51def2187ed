// game_state.h -- everything a running game is: the camera, the craft, the arena, the
// stones and debris, the dice, and the counters, streaks and toggles of the rules, with
// what the last step reported. The rules take it as a parameter; the one game the program
// plays is the global `game`.
#pragma once

#include "camera/camera.h"
#include "game/dice.h"
#include "game/events.h"
#include "player/ship.h"
#include "world/arena.h"
#include "world/object_list.h"

struct GameState {
    GameState() { events.reserve(eventsReserved); }
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;
    GameState& operator=(GameState&&) = default; // a reset: a fresh game moved in

    Camera camera;
    Ship ship;
    Arena arena;
    ObjectList stones{emptySpec};
    ObjectList debris{emptySpec};
    Dice dice;
    StepEvents events;    // what the last step reported, in order
    int nextObjectId = 1; // the next stone's or debris piece's id (0 is the placeholders')

    int spawnTimer = 200;      // steps until the next stone
    int getReadyCountdown = 0; // steps left of the get-ready pause
    bool gameOver = false;     // no lives left; final
    int smallStreak = 0;       // hits in a row per stone size
    int mediumStreak = 0;
    int largeStreak = 0;
    int comboTimer = 0;        // steps left of the combination picture
    float spinAngle = 0.0f;    // degrees, turns the spinning items of the scene
    float twirlFactor = 10.0f; // how strongly the stones' glows turn on screen
    int turnInput = 0;         // this step: 0 none, 1 left, 2 right
    int thrustInput = 0;       // this step: 0 none, 1 forward, 2 back
    bool moved = false;        // an arrow key moved the craft this step
    bool showFps = false;      // the HUD's frame-rate line (F2)
    bool wireframe = false;    // models drawn as line strips (F3)
    bool cullFaces = false;    // back faces culled (F8)
    // So a drawn frame tells a jump from a move: what the camera's target follows (a stone's
    // id, or watchingCraft), and how often the craft was put back at its start.
    int watchedId = 0;
    int craftPlacements = 0;
};

constexpr int watchingCraft = 0; // no stone's id

// A new object's id: unique for the game, never reused.
inline int newObjectId(GameState& g) {
    return g.nextObjectId++;
}

extern GameState game;
