// commands.cpp -- what each command does to the game. A switched camera mode, a new axis
// point as focus and every lock set are reported for the console.
#include "game/commands.h"

#include "game/reporting.h"

namespace {
// Steps the lock through the stones, or the focus through the axis points.
void stepFocus(GameState& g, bool forward) {
    Ship& ship = g.ship;
    if (ship.hasLock()) {
        const int before = ship.lockedStoneId();
        if (forward ? ship.lockNext(g.stones) : ship.lockPrevious(g.stones)) {
            reportStoneLocked(g);
        }
        reportLockChange(g, before); // the camera turns to it as the step steers
        return;
    }
    ship.setFocus(forward ? g.arena.nextAxis() : g.arena.previousAxis());
    g.camera.setGoal(ship.cameraPoint());
    GameEvent& focused = report(g, EventKind::AXIS_FOCUSED);
    focused.count = g.arena.getCurrentAxis();
    focused.where = ship.getFocus();
}

// Locks stone 1, or lets go; not while the craft is struck.
void toggleLock(GameState& g) {
    Ship& ship = g.ship;
    if (ship.hit) {
        return;
    }
    const int before = ship.lockedStoneId();
    if (ship.hasLock()) {
        ship.unlock();
    } else if (ship.lockNext(g.stones)) {
        reportStoneLocked(g);
    }
    reportLockChange(g, before);
}

void fire(GameState& g) {
    g.ship.fireShot();
    report(g, EventKind::SHOT_FIRED).where = Vector3(g.ship.getShotX(), 0.0f, g.ship.getShotZ());
}

void switchCameraMode(GameState& g, Command command) {
    Camera& camera = g.camera;
    bool on = false;
    EventKind switched = EventKind::GOTO_MODE_SWITCHED;
    switch (command) {
    case Command::AROUND_CENTRE:
        on = !camera.isAroundCenter();
        camera.setAroundCenter(on);
        switched = EventKind::AROUND_CENTRE_SWITCHED;
        break;
    case Command::AROUND_TARGET:
        on = !camera.isAroundTarget();
        camera.setAroundTarget(on);
        switched = EventKind::AROUND_TARGET_SWITCHED;
        break;
    case Command::TARGET_MODE:
        on = !camera.isTargetMode();
        camera.setTargetMode(on);
        switched = EventKind::TARGET_MODE_SWITCHED;
        break;
    default: // GOTO_MODE
        on = !camera.isGotoMode();
        camera.setGotoMode(on);
        break;
    }
    report(g, switched).on = on;
}

// The shell sees the changed flags after the step and redoes its models or culling. While
// struck or over they are ignored, as steering is.
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
