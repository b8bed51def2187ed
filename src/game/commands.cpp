// commands.cpp -- each command as the keys always did it. The camera's mode switches print
// their new value; "GotoMode" has no line end, so its lines run together on the console.
#include "game/commands.h"

#include "game/reporting.h"

#include <cstdio>

namespace {
// Steps the lock through the stones, or the focus through the axis points.
void stepFocus(GameState& g, bool forward) {
    Ship& ship = g.ship;
    if (ship.hasLock()) {
        const GameObject* before = ship.getLockedStone();
        if (forward) {
            ship.lockNext(g.stones);
        } else {
            ship.lockPrevious(g.stones);
        }
        reportLockChange(g, before);
        g.camera.setTarget(ship.getFocus());
        return;
    }
    ship.setFocus(forward ? g.arena.nextAxis() : g.arena.previousAxis());
    g.camera.setGoal(ship.cameraPoint());
    ship.getFocus().print();
}

// Locks stone 1, or lets go; not while the craft is struck.
void toggleLock(GameState& g) {
    Ship& ship = g.ship;
    if (ship.hit) {
        return;
    }
    const GameObject* before = ship.getLockedStone();
    if (ship.hasLock()) {
        ship.unlock();
    } else {
        ship.lockNext(g.stones);
    }
    reportLockChange(g, before);
}

void fire(GameState& g) {
    g.ship.fireShot();
    report(g, EventKind::SHOT_FIRED).where = Vector3(g.ship.getShotX(), 0.0f, g.ship.getShotZ());
}

void switchCameraMode(GameState& g, Command command) {
    Camera& camera = g.camera;
    switch (command) {
    case Command::AROUND_CENTRE: {
        const bool on = !camera.isAroundCenter();
        std::printf("AroundCenter %d\n", on ? 1 : 0);
        camera.setAroundCenter(on);
        break;
    }
    case Command::AROUND_TARGET: {
        const bool on = !camera.isAroundTarget();
        std::printf("AroundTarget %d\n", on ? 1 : 0);
        camera.setAroundTarget(on);
        break;
    }
    case Command::TARGET_MODE: {
        const bool on = !camera.isTargetMode();
        std::printf("TargetMode %d\n", on ? 1 : 0);
        camera.setTargetMode(on);
        break;
    }
    default: { // GOTO_MODE
        const bool on = !camera.isGotoMode();
        std::printf("GotoMode %d", on ? 1 : 0);
        camera.setGotoMode(on);
        break;
    }
    }
}

// The shell sees the changed flags after the step and redoes its models or culling. While
// struck or over they are dropped, as the keys always were.
void switchDisplay(GameState& g, Command command) {
    if (g.gameOver || g.ship.hit) {
        return;
    }
    bool& flag = command == Command::SHOW_FPS    ? g.showFps
                 : command == Command::WIREFRAME ? g.wireframe
                                                 : g.cullFaces;
    flag = !flag;
}

void apply(GameState& g, Command command) {
    switch (command) {
    case Command::FIRE:
        fire(g);
        break;
    case Command::LOCK:
        toggleLock(g);
        break;
    case Command::NEXT:
    case Command::PREVIOUS:
        stepFocus(g, command == Command::NEXT);
        break;
    case Command::AROUND_CENTRE:
    case Command::AROUND_TARGET:
    case Command::TARGET_MODE:
    case Command::GOTO_MODE:
        switchCameraMode(g, command);
        break;
    case Command::TURN_MODE:
        g.ship.setDistanceScaledTurn(!g.ship.isDistanceScaledTurn());
        break;
    case Command::SHOW_FPS:
    case Command::WIREFRAME:
    case Command::CULL_FACES:
        switchDisplay(g, command);
        break;
    }
}
} // namespace

void applyCommands(GameState& g, const StepInput& input) {
    for (int c = 0; c < input.commandCount; ++c) {
        apply(g, input.commands[c]);
    }
}
