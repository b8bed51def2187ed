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
#include "render/renderer.h"
#include "replay/demo_session.h"
#include "shell/frame_steps.h"
#include "shell/keyboard.h"
#include "shell/swap_control.h"
#include "shell/window_focus.h"
#include "sound/live_sound.h"

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
        buildModels(drawn.wireframe);
    }
    if (game.cullFaces != drawn.cullFaces) {
        drawn.cullFaces = game.cullFaces;
        setBackFaceCulling(drawn.cullFaces);
    }
}

// What the frames show (frame_steps.h) and how they are paced: whether the display's
// refresh paces the frames, and the timing of its swaps.
struct FrameLoop {
    bool displayPaces = false; // swaps held to the refresh: no sleep of our own
    bool swapped = false;      // a frame was swapped since the last idle call
    SwapPace swapPace;
    FrameSteps frame;
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
    runFrameSteps(loop.frame, steps, fraction);
    followDisplayToggles();
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
    drawScene(game, loop.frame.blended);
    glutSwapBuffers();
    loop.swapped = true;
    const double swapped = clockMilliseconds();
    loop.log.write(swapped, loop.frame.shownGameMilliseconds, loop.frame.stepsThisFrame,
                   loop.frame.blended.eye);
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
    startFrameSteps(loop.frame);
    glutDisplayFunc(onDisplayThenStartDevices);
    glutIdleFunc(onIdle);
}
