// key_polling.cpp -- arrow keys: up and down move towards or away from the focus, left and
// right carry the craft around it. Both keys of a pair act when both are held, the later
// one deciding the frame's input.
#include "shell/key_polling.h"

#include "shell/controls.h"

#include "camera/camera.h"
#include "game/game_state.h"
#include "platform/key_state.h"
#include "player/ship.h"

namespace {
const Vector3 upAxis(0.0f, 1.0f, 0.0f);
}

void pollKeys() {
    const float moveStep = camera.timer.scaled(ship.getSpeed());
    const float turnStep = camera.timer.scaled(ship.getTurnRate());
    moved = false;
    if (isKeyHeld(KEY_UP)) {
        moved = true;
        thrustInput = 1;
        ship.moveForward(moveStep);
    }
    if (isKeyHeld(KEY_DOWN)) {
        moved = true;
        thrustInput = 2;
        ship.moveForward(-moveStep);
    }
    if (isKeyHeld(KEY_LEFT)) {
        moved = true;
        turnInput = 1;
        ship.rotateAboutFocus(-turnStep, upAxis);
    }
    if (isKeyHeld(KEY_RIGHT)) {
        moved = true;
        turnInput = 2;
        ship.rotateAboutFocus(turnStep, upAxis);
    }

    // F2, F3 and F8 toggle once per press, not once per frame held.
    pollToggleKeys();

    if (moved) {
        camera.setGoal(ship.cameraPoint());
    }
}
