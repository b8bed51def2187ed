// game_setup.cpp -- the craft and the camera at the start of a game, and the reset that
// lets tests and benchmarks play many games in one process.
#include "game/game_setup.h"

#include "camera/camera.h"
#include "game/game_state.h"
#include "game/object_list.h"
#include "platform/key_state.h"
#include "player/arena.h"
#include "player/ship.h"

namespace {
constexpr int startAxisPoint = 0;  // where the craft starts
constexpr int centreAxisPoint = 4; // what it faces there
constexpr int startLives = 5;
constexpr float playSpeed = 12.0f;   // units per second
constexpr float playTurnRate = 5.0f; // radians per second before distance scaling
constexpr float shipModelScale = 0.03f;
constexpr float cameraGoalRate = 0.05f; // 5 % of the remaining way per frame

void emptyList(ObjectList& list) {
    while (list.count(true) > 0) {
        list.removeAt(list.count(false) - 1);
    }
    list.releaseRemoved();
}
} // namespace

void initCamera() {
    camera.setup(Vector3(0.0f, 5.0f, 1.0f), Vector3(0.5f, 1.0f, -6.0f), Vector3(0.0f, 1.0f, 0.0f));
    camera.setTargetMode(true);
    camera.setAroundTarget(true);
    camera.setGotoMode(true);
    camera.timer.setShowFps(true);
    camera.setGoalRate(Vector3(cameraGoalRate, cameraGoalRate, cameraGoalRate));
    camera.setCenterPoint(arena.getAxisPoint(centreAxisPoint));
}

void initShip() {
    ship.speed = playSpeed;
    ship.turnRate = playTurnRate;
    ship.setUniformScale(shipModelScale);
    ship.setLives(startLives);
    ship.setArena(arena);
    ship.setUnbounded(false);
    ship.setFacesFocus(true);
    ship.setFocusMode(true);
    ship.setCameraBehind(true);
    ship.setDistanceScaledTurn(true);
}

void placeShipAtStart() {
    ship.moveTo(arena.getAxisPoint(startAxisPoint));
    ship.setFocus(camera.centerPoint());
    ship.updateDirection();
    camera.setTarget(ship.getPosition());
    camera.setGoal(ship.cameraPoint());
}

void resetGame() {
    resetGameState();
    emptyList(stoneList);
    emptyList(debrisList);
    ship = Ship();
    camera = Camera();
    arena = Arena();
    resetFrameTimerReadings();
    releaseAllKeys();
    for (int k = 0; k < POLLED_KEY_COUNT; ++k) {
        while (takeKeyPress(static_cast<PolledKey>(k))) {
        }
    }
}

void beginGame() {
    resetGame();
    arena.computeAxisPoints();
    initCamera();
    initShip();
    placeShipAtStart();
}
