// frame_step.cpp -- the per-frame order of work. Steps before the camera update see the
// interval measured in the previous frame; the steps after it see this frame's.
#include "game/frame_step.h"

#include "camera/camera.h"
#include "game/game_state.h"

namespace {
constexpr float spinDegreesPerSecond = 40.0f;
}

float frameDt() {
    return camera.timer.frameInterval();
}

void advanceFrame() {
    // 1. The frame's steering inputs start empty.
    turnInput = 0;
    thrustInput = 0;

    // 2. Get-ready step (rules).

    // 3. Spin angle; it runs past 360 before it wraps, so 360 itself shows for a frame.
    spinAngle += spinDegreesPerSecond * frameDt();
    if (spinAngle > 360.0f) {
        spinAngle = 0.0f;
    }

    // 4. Debris step (rules).
    // 5. Spawn step (rules).
    // 6. HUD texts.
    // 7. Steering: key polling, or the camera's target while hit or over.

    // 8. Camera, which also runs the frame timer.
    camera.update();

    // 9. Craft model spin.
    // 10. Shot.
    // 11. Game update (rules).
}
