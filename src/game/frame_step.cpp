// frame_step.cpp -- the per-frame order of work. Steps before the camera update see the
// interval measured in the previous frame; the steps after it see this frame's.
#include "game/frame_step.h"

#include "camera/camera.h"
#include "game/game_state.h"
#include "game/game_update.h"
#include "game/object_list.h"
#include "game/spawning.h"
#include "player/ship.h"
#include "render/hud.h"
#include "shell/controls.h"
#include "shell/key_polling.h"

namespace {
constexpr float spinDegreesPerSecond = 40.0f;
// Per frame, not per second: the craft's model spins faster at higher frame rates.
constexpr float shipSpinDegreesPerFrame = 4.0f;

// While hit or over, the camera watches the locked stone (the striking one), or the craft
// when no stone is locked any more. In play the keys steer and a lock keeps the craft
// facing its stone.
void steer() {
    if (gameOver || ship.hit) {
        // Toggle keys pressed now would otherwise act when play resumes.
        discardToggleKeyPresses();
        camera.setTarget(ship.hasLock() ? ship.lockedStonePoint() : ship.getPosition());
        return;
    }
    pollKeys();
    if (ship.hasLock()) {
        ship.setFocus(ship.lockedStonePoint());
        camera.setTarget(ship.getFocus());
        ship.updateDirection();
        return;
    }
    camera.setTarget(ship.getPosition());
}
} // namespace

float frameDt() {
    return camera.timer.frameInterval();
}

void advanceFrame() {
    // 1. The frame's steering inputs start empty.
    turnInput = 0;
    thrustInput = 0;

    // 2. Get-ready step.
    getReadyStep(frameDt());

    // 3. Spin angle; it runs past 360 before it wraps, so 360 itself shows for a frame.
    spinAngle += spinDegreesPerSecond * frameDt();
    if (spinAngle > 360.0f) {
        spinAngle = 0.0f;
    }

    // 4. Debris step.
    debrisStep(frameDt());
    // 5. Spawn step.
    spawnStep(frameDt());

    // 6. HUD texts.
    writeHudTexts(camera.timer.framesPerSecond(), ship.getLives(), gameOver, ship.getScore());

    // 7. Steering: key polling, or the camera's target while hit or over.
    steer();

    // 8. Camera, which also runs the frame timer.
    camera.update();

    // 9. Craft model spin.
    const Vector3 spin = ship.getSpin();
    ship.setSpin(Vector3(0.0f, 0.0f, spin.z + shipSpinDegreesPerFrame));
    // 10. Shot.
    ship.updateShot(frameDt());
    // 11. Game update.
    updateGame();

    // Nothing reads removed stones or debris after this point.
    stoneList.releaseRemoved();
    debrisList.releaseRemoved();
}
