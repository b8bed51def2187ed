// game_setup.cpp -- the game's start-up steps: the arena's axis points, the camera and the
// craft at the start of a game; and the reset that lets tests and benchmarks play many
// games in one process.
#include "game/game_setup.h"

#include "game/reporting.h"

namespace {
constexpr int startAxisPoint = 0;  // where the craft starts
constexpr int centreAxisPoint = 4; // what it faces there
constexpr int startLives = 5;
constexpr float playSpeed = 12.0f;   // units per second
constexpr float playTurnRate = 5.0f; // radians per second before distance scaling
constexpr float shipModelScale = 0.03f;
constexpr float cameraGlidePerStep = 0.05f; // the share of the remaining way, per step

// The camera's eye, view, modes, frame-rate line, goal rate and centre point.
void initCamera(GameState& g) {
    Camera& camera = g.camera;
    camera.setup(Vector3(0.0f, 5.0f, 1.0f), Vector3(0.5f, 1.0f, -6.0f), Vector3(0.0f, 1.0f, 0.0f));
    camera.setTargetMode(true);
    camera.setAroundTarget(true);
    camera.setGotoMode(true);
    g.showFps = true;
    camera.setGoalRate(Vector3(cameraGlidePerStep, cameraGlidePerStep, cameraGlidePerStep));
    camera.setCenterPoint(g.arena.getAxisPoint(centreAxisPoint));
}

// The craft's settings in play; needs the arena's axis points computed.
void initShip(GameState& g) {
    Ship& ship = g.ship;
    ship.speed = playSpeed;
    ship.turnRate = playTurnRate;
    ship.setUniformScale(shipModelScale);
    ship.setLives(startLives);
    ship.setArena(g.arena);
    ship.setUnbounded(false);
    ship.setFacesFocus(true);
    ship.setFocusMode(true);
    ship.setCameraBehind(true);
    ship.setDistanceScaledTurn(true);
}
} // namespace

void setUpGame(GameState& g, const std::function<void()>& betweenArenaAndCamera) {
    g.arena.computeAxisPoints();
    if (betweenArenaAndCamera) {
        betweenArenaAndCamera();
    }
    initCamera(g);
    initShip(g);
    placeShipAtStart(g);
}

void placeShipAtStart(GameState& g) {
    Ship& ship = g.ship;
    if (ship.moveTo(g.arena.getAxisPoint(startAxisPoint))) {
        report(g, EventKind::FOCUS_CROSSED);
    }
    ship.setFocus(g.camera.centerPoint());
    ship.updateDirection();
    g.camera.setTarget(ship.getPosition());
    g.watchedId = watchingCraft;
    g.craftPlacements += 1;
    g.camera.setGoal(ship.cameraPoint());
}

void resetGame(GameState& g) {
    g = GameState();
}

void beginGame(GameState& g) {
    resetGame(g);
    setUpGame(g);
}
