// step.cpp -- the order of work in one step: the commands first, so that what the player
// gave since the last step acts before anything else; then the pause, spawning, steering
// while play is on, the camera, the craft and the rules. Whatever changes the game happens
// here, so the drawing only reads.
#include "game/step.h"

#include "game/commands.h"
#include "game/game_update.h"
#include "game/reporting.h"
#include "game/spawning.h"

namespace {
constexpr float spinDegreesPerSecond = 40.0f;  // the scene's spinning items
constexpr float shipSpinDegreesPerStep = 4.0f; // the craft's model
const Vector3 upAxis(0.0f, 1.0f, 0.0f);

void reportCrossing(GameState& g, bool crossed) {
    if (crossed) {
        report(g, EventKind::FOCUS_CROSSED);
    }
}

// Both keys of a pair act when both are held, the later one deciding the step's input.
void moveCraft(GameState& g, const StepInput& input) {
    Ship& ship = g.ship;
    const float moveStep = ship.getSpeed() * stepSeconds;
    const float turnStep = ship.getTurnRate() * stepSeconds;
    g.moved = false;
    if (input.steer[STEER_FORWARD]) {
        g.moved = true;
        g.thrustInput = 1;
        reportCrossing(g, ship.moveForward(moveStep));
    }
    if (input.steer[STEER_BACK]) {
        g.moved = true;
        g.thrustInput = 2;
        reportCrossing(g, ship.moveForward(-moveStep));
    }
    if (input.steer[STEER_LEFT]) {
        g.moved = true;
        g.turnInput = 1;
        ship.rotateAboutFocus(-turnStep, upAxis);
    }
    if (input.steer[STEER_RIGHT]) {
        g.moved = true;
        g.turnInput = 2;
        ship.rotateAboutFocus(turnStep, upAxis);
    }
}

void watch(GameState& g, Vector3 point, int id) {
    g.camera.setTarget(point);
    g.watchedId = id;
}

// While hit or over, the camera watches the locked stone (the striking one), or the craft
// when no stone is locked any more; steering meanwhile is dropped. In play the player
// steers and a lock keeps the craft facing its stone.
void steer(GameState& g, const StepInput& input) {
    Ship& ship = g.ship;
    if (g.gameOver || ship.hit) {
        watch(g, ship.hasLock() ? ship.lockedStonePoint(g.stones) : ship.getPosition(),
              ship.hasLock() ? ship.lockedStoneId() : watchingCraft);
        return;
    }
    moveCraft(g, input);
    if (g.moved) {
        g.camera.setGoal(ship.cameraPoint());
    }
    if (ship.hasLock()) {
        ship.setFocus(ship.lockedStonePoint(g.stones));
        watch(g, ship.getFocus(), ship.lockedStoneId());
        ship.updateDirection();
        return;
    }
    watch(g, ship.getPosition(), watchingCraft);
}
} // namespace

const StepEvents& advance(GameState& g, const StepInput& input) {
    g.events.clear();
    applyCommands(g, input);
    g.turnInput = 0;
    g.thrustInput = 0;
    getReadyStep(g);
    // It runs past 360 before it wraps, so 360 itself shows for a step.
    g.spinAngle += spinDegreesPerSecond * stepSeconds;
    if (g.spinAngle > 360.0f) {
        g.spinAngle = 0.0f;
    }
    debrisStep(g);
    spawnStep(g);
    steer(g, input);
    g.camera.update();

    const Vector3 spin = g.ship.getSpin();
    g.ship.setSpin(Vector3(0.0f, 0.0f, spin.z + shipSpinDegreesPerStep));
    g.ship.advanceTilt(g.turnInput, g.thrustInput);
    g.ship.updateShot();
    updateGame(g);
    // It stops at 0 rather than running down forever.
    if (g.comboTimer > 0) {
        g.comboTimer -= 1;
    }
    g.camera.aim();

    // Nothing reads removed stones or debris after this point.
    g.stones.releaseRemoved();
    g.debris.releaseRemoved();
    return g.events;
}
