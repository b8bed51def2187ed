// frame_steps.cpp -- the steps of a drawn frame and the blend it shows.
#include "shell/frame_steps.h"

#include "diagnostics/frame_timer.h"
#include "game/step.h"
#include "pad/gamepad.h"
#include "replay/demo_session.h"
#include "sound/live_sound.h"
#include "view/hud.h"

namespace {
constexpr double stepMilliseconds = stepSeconds * 1000.0;
}

void startFrameSteps(FrameSteps& frame) {
    captureDrawable(game, frame.beforeStep);
    captureDrawable(game, frame.afterStep);
    captureDrawable(game, frame.blended);
}

void runFrameSteps(FrameSteps& frame, int steps, double fraction) {
    for (int s = 0; s < steps; ++s) {
        captureDrawable(game, frame.beforeStep);
        const StepEvents& events = runSessionStep();
        feelStepEvents(events);
        queueStepSounds(events);
        if (frame.watchStep != nullptr) {
            frame.watchStep(frame.stepsRun + s + 1, events);
        }
    }
    // Every step's sounds start in the frame that follows it, heard from where the camera is.
    playQueuedSounds(game.camera);
    captureDrawable(game, frame.afterStep);
    blendDrawable(frame.beforeStep, frame.afterStep, static_cast<float>(fraction), frame.blended);
    frame.stepsRun += steps;
    frame.stepsThisFrame = steps;
    frame.shownGameMilliseconds =
        (static_cast<double>(frame.stepsRun) - 1.0 + fraction) * stepMilliseconds;
    writeHudTexts(frameTimer.framesPerSecond(), game.ship.getLives(), game.gameOver,
                  game.ship.getScore());
}
