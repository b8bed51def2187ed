// browser_frame_loop.cpp -- one animation frame: the steps that are due on the fixed
// schedule (none to two at 60 Hz, at most ten after a stall), their blend, the drawing; then,
// once, the devices' start. Everything runs on the page's one thread.
#include "web/browser_frame_loop.h"

#include "game/step.h"
#include "pad/gamepad.h"
#include "platform/clock.h"
#include "platform/frame_pacer.h"
#include "platform/process_exit.h"
#include "shell/frame_steps.h"
#include "sound/live_sound.h"
#include "web/drawing.h"
#include "web/game_session.h"
#include "web/page.h"

#include <emscripten/emscripten.h>

#include <cstdio>

namespace {
constexpr double stepMilliseconds = stepSeconds * 1000.0;
// A machine that cannot draw 10 frames a second runs the game slower than real time, and a
// tab coming back into view does not run the steps of the time it was hidden.
constexpr int maxStepsPerDrawnFrame = 10;

FramePacer pacer(stepMilliseconds, maxStepsPerDrawnFrame, clockMilliseconds, sleepMilliseconds);

struct BrowserLoop {
    FrameSteps frame;
    bool firstFrameDrawn = false;
    BrowserDevices devices;    // started after the first frame
    bool soundWaiting = false; // as the page was last told
};
BrowserLoop loop;

// The canvas has the keyboard focus, in a window that has it.
// clang-format off
EM_JS(int, canvasHasFocus, (), {
    const canvas = document.getElementById('canvas');
    return document.hasFocus() && document.activeElement === canvas ? 1 : 0;
});
// clang-format on

bool padsPlay() {
    return keysReachGame() && canvasHasFocus() != 0;
}

void startDevices() {
    if (loop.devices.sound) {
        startLiveSound(loop.devices.volumePercent);
    }
    if (loop.devices.gamepads) {
        startGamepadsAside();
        atLeaving(stopGamepads);
    }
}

// The page says "press a key or click for sound" while the browser holds the sound back.
void tellPageAboutSound() {
    const bool waiting = liveSoundWaitsForPlayer();
    if (waiting != loop.soundWaiting) {
        loop.soundWaiting = waiting;
        notePageSoundWaiting(waiting);
    }
}

// A timedemo draws each step whole, one a frame; otherwise a frame runs the steps that are
// due and shows the world at the share of the next step real time has reached.
void onAnimationFrame() {
    noteDrawnFrame(clockMilliseconds());
    int steps = 1;
    double fraction = 1.0;
    if (!timingDemo()) {
        steps = pacer.stepsDueNow();
        fraction = pacer.stepFraction(clockMilliseconds());
    }
    pollGamepads(padsPlay());
    runFrameSteps(loop.frame, steps, fraction);
    followDisplayToggles(game);
    drawFrame(game, loop.frame.blended);
    if (!loop.firstFrameDrawn) {
        loop.firstFrameDrawn = true;
        notePageFirstFrame();
        startDevices();
    }
    tellPageAboutSound();
}
} // namespace

void reportFramePacing(bool timedemo) {
    std::printf(timedemo ? "Swap sync: off for the timedemo: the browser's event loop, unpaced\n"
                         : "Swap sync: the browser's animation frames; frames paced by the "
                           "display\n");
}

void runBrowserFrameLoop(const BrowserDevices& devices, bool timedemo) {
    loop.devices = devices;
    startFrameSteps(loop.frame);
    loop.frame.watchStep = logStepEvents;
    emscripten_set_main_loop(onAnimationFrame, 0, 0);
    if (timedemo) {
        emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
    }
    emscripten_exit_with_live_runtime();
}
