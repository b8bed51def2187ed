// frame_steps.h -- the game's side of one drawn frame, the same in the desktop's window and
// the browser's page: the steps that are due, their sounds, and the blend of the last two
// steps that the frame shows. No GL here: each program draws the blend its own way.
#pragma once

#include "game/events.h"
#include "view/drawable_state.h"

// The drawable state before the last step and after it, their blend for the next frame,
// and the game time that is.
struct FrameSteps {
    DrawableState beforeStep;
    DrawableState afterStep;
    DrawableState blended;
    long long stepsRun = 0;
    int stepsThisFrame = 0;
    double shownGameMilliseconds = 0.0;
    // Told each step's events with the step's number (1 for the game's first), when set.
    void (*watchStep)(long long step, const StepEvents& events) = nullptr;
};

// The set-up game as the first picture.
void startFrameSteps(FrameSteps& frame);
// Runs steps game steps with the session's input (each struck craft felt on the pads, each
// step's sounds queued), starts the sounds heard from the camera, blends the last two steps
// at fraction (0 to 1) and writes the HUD's texts.
void runFrameSteps(FrameSteps& frame, int steps, double fraction);
