// gamepad.h -- gamepads through SDL's game controller API (only that: the window, keyboard and
// drawing stay GLUT's): taken up and let go as they come and go, their buttons and sticks
// read into the same intentions the keys give.
#pragma once

#include "game/events.h"

// Loads SDL and starts its game controller subsystem, SDL's own mappings and
// SDL_GAMECONTROLLERCONFIG's; false, with nothing printed, where SDL is not installed, and
// with a line on standard error where it is but cannot start.
bool startGamepads();
// The same on a thread of its own, so that loading SDL's fifty-odd libraries holds up no
// frame; the polls take the pads up once it is done.
void startGamepadsAside();
// Lets every pad go and stops the subsystem. A start aside still under way is left behind,
// and the pads do not start again.
void stopGamepads();
// Once per drawn frame, before its steps: takes up the pads connected and lets go of those
// disconnected (one console line each), gives the commands of the buttons pressed since,
// and holds the directions the sticks and d-pads hold now. With playing false (a demo
// plays, or another window has the focus) the pads give nothing.
void pollGamepads(bool playing);
int gamepadCount();
// A short rumble on every pad that has one when the craft was struck in a step, while the
// pads play.
void feelStepEvents(const StepEvents& events);
