// frame_loop.cpp -- the idle and display callbacks. Each idle call runs the game steps
// that are due (after sleeping for them, unless the display's refresh paces the frames) and
// blends the last two steps at the moment real time has reached; the display callback draws
// that and swaps. Everything runs on GLUT's one thread.
#include "shell/frame_loop.h"

#include "diagnostics/frame_log.h"
#include "diagnostics/frame_timer.h"
#include "game/step.h"
#include "pad/gamepad.h"
#include "platform/clock.h"
#include "platform/frame_pacer.h"
#include "platform/process_exit.h"
#include "platform/swap_pace.h"
#include "render/display_lists.h"
#include "render/scene.h"
#include "replay/demo_session.h"
#include "shell/keyboard.h"
#include "shell/swap_control.h"
#include "shell/window_focus.h"
#include "sound/live_sound.h"
#include "view/drawable_state.h"
#include "view/hud.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
constexpr double stepMilliseconds = stepSeconds * 1000.0;
// A machine that cannot draw 10 frames a second runs the game slower than real time.
constexpr int maxStepsPerDrawnFrame = 10;

FramePacer pacer(stepMilliseconds, maxStepsPerDrawnFrame, clockMilliseconds, sleepMilliseconds);

// What the GL state was last set to from the game's display flags.
struct DrawnToggles {
    bool wireframe = false;
    bool cullFaces = false;
};
DrawnToggles drawn;

// F3 and F8 flip flags in the steps; the drawing side follows them once per drawn frame.
void followDisplayToggles() {
    if (game.wireframe != drawn.wireframe) {
        drawn.wireframe = game.wireframe;
        buildModelLists(displayLists, drawn.wireframe ? GL_LINE_STRIP : GL_TRIANGLES);
    }
    if (game.cullFaces != drawn.cullFaces) {
        drawn.cullFaces = game.cullFaces;
        if (drawn.cullFaces) {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_BACK);
        } else {
            glDisable(GL_CULL_FACE);
        }
    }
}

// What the frames show and how they are paced: the drawable state before the last step
// and after it, their blend for the next frame and the game time that is, and whether the
// display's refresh paces the frames.
struct FrameLoop {
    bool displayPaces = false; // swaps held to the refresh: no sleep of our own
    bool swapped = false;      // a frame was swapped since the last idle call
    SwapPace swapPace;
    DrawableState beforeStep;
    DrawableState afterStep;
    DrawableState blended;
    long long stepsRun = 0;
    int stepsThisFrame = 0;
    double shownGameMilliseconds = 0.0;
    FrameLog log;
};
FrameLoop loop;

// What is still to start once the first frame is drawn.
struct DevicesToStart {
    bool pending = false;
    DeviceStarts devices;
};
DevicesToStart devicesToStart;

// Pads play while the keys do and the window has the keyboard focus; the X server is
// asked only while a pad is connected.
bool padsPlay() {
    return keysReachTheGame() && (gamepadCount() == 0 || windowHasKeyboardFocus());
}

// A timedemo draws each step whole, one a frame, as fast as it can; otherwise a frame runs
// the steps that are due and shows the world at the share of the next step real time has
// reached, between the last two, so motion is even at any display rate.
void onIdle() {
    int steps = 1;
    double fraction = 1.0;
    if (isTimedemo()) {
        timedemoFrame(clockMilliseconds());
    } else {
        // No swap since the last call (a hidden window is not drawn): nothing waited for a
        // refresh, so the game waits for its step rather than spin.
        const bool pacedByDisplay = loop.displayPaces && loop.swapped;
        steps = pacedByDisplay ? pacer.stepsDueNow() : pacer.waitForNextFrame();
        fraction = pacer.stepFraction(clockMilliseconds());
    }
    loop.swapped = false;
    frameTimer.update();
    syncHeldKeysWithServer();
    pollGamepads(padsPlay());
    for (int s = 0; s < steps; ++s) {
        captureDrawable(game, loop.beforeStep);
        const StepEvents& events = runSessionStep();
        feelStepEvents(events);
        queueStepSounds(events);
    }
    // Every step's sounds start in the frame that follows it, heard from where the camera is.
    playQueuedSounds(game.camera);
    captureDrawable(game, loop.afterStep);
    blendDrawable(loop.beforeStep, loop.afterStep, static_cast<float>(fraction), loop.blended);
    loop.stepsRun += steps;
    loop.stepsThisFrame = steps;
    loop.shownGameMilliseconds =
        (static_cast<double>(loop.stepsRun) - 1.0 + fraction) * stepMilliseconds;
    followDisplayToggles();
    writeHudTexts(frameTimer.framesPerSecond(), game.ship.getLives(), game.gameOver,
                  game.ship.getScore());
    glutPostRedisplay();
}

// Once the swaps after start-up have been timed: a driver that reported sync but lets
// swaps go at once leaves the pacing to us again.
void reportSwapPace() {
    const double apart = loop.swapPace.medianIntervalMilliseconds();
    if (loop.swapPace.heldByDisplay()) {
        std::printf("\nSwap sync: swaps %.2f ms apart (median of %d): frames paced by the "
                    "display, %.1f a second",
                    apart, SwapPace::measuredIntervals, 1000.0 / apart);
        return;
    }
    std::printf("\nSwap sync: swaps %.2f ms apart (median of %d), faster than a display "
                "refreshes: not held after all; frames paced to 100 a second",
                apart, SwapPace::measuredIntervals);
    loop.displayPaces = false;
}

void onDisplay() {
    drawScene(game, loop.blended);
    glutSwapBuffers();
    loop.swapped = true;
    const double swapped = clockMilliseconds();
    loop.log.write(swapped, loop.shownGameMilliseconds, loop.stepsThisFrame, loop.blended.eye);
    if (loop.displayPaces && loop.swapPace.noteSwap(swapped)) {
        reportSwapPace();
    }
}

// Opening the sound device and loading SDL take tens of milliseconds each, on a core the
// start-up wants: both start once the first picture is drawn, in the background, while the
// frames go on.
void onDisplayThenStartDevices() {
    onDisplay();
    if (!devicesToStart.pending) {
        return;
    }
    devicesToStart.pending = false;
    const DeviceStarts& devices = devicesToStart.devices;
    if (devices.sound) {
        startLiveSound(devices.volumePercent);
    }
    if (devices.gamepads) {
        startGamepadsAside();
        atLeaving(stopGamepads); // closing a pad stops its rumble
    }
}

// Synced swaps where the driver offers them and the player wants them; never for a timedemo,
// which draws as fast as it can.
void startSwapSyncFor(bool vsync) {
    const bool timedemo = isTimedemo();
    const SwapInterval interval = setSwapInterval(vsync && !timedemo);
    loop.displayPaces = !timedemo && interval.synced();
    std::string line = "Swap sync: ";
    if (timedemo) {
        line += "off for the timedemo: ";
    } else if (!vsync) {
        line += "off (--vsync off): ";
    }
    line += describeSwapInterval(interval);
    if (!timedemo) {
        line +=
            loop.displayPaces ? "; frames paced by the display" : "; frames paced to 100 a second";
    }
    std::printf("%s\n", line.c_str());
}
} // namespace

bool openFrameLog(const std::string& path, std::string& error) {
    return loop.log.open(path, error);
}

void startSwapSync(bool vsync) {
    startSwapSyncFor(vsync);
}

void startFrameLoop(const DeviceStarts& devices) {
    devicesToStart.pending = true;
    devicesToStart.devices = devices;
    captureDrawable(game, loop.beforeStep);
    captureDrawable(game, loop.afterStep);
    captureDrawable(game, loop.blended);
    glutDisplayFunc(onDisplayThenStartDevices);
    glutIdleFunc(onIdle);
}
