// demo_session.h -- where the steps' input comes from: the keys (recorded as a demo with
// --record), or a demo played back (--play, --timedemo). No window here: the idle callback
// asks it for each step, and at the end the process writes the demo's end line and the
// end state.
#pragma once

#include "game/events.h"
#include "replay/demo_player.h"
#include "startup/options.h"

#include <string>
#include <vector>

// Opens the demo files the options name; false after one line on standard error (exit
// status 2, before any window).
bool startDemoSession(const Options& options);
// From here on, the end of the process writes the demo's end line and the end state; called
// once the game is set up, so a start that fails leaves neither.
void armDemoSessionExit();
// Runs one game step with the session's input; returns the step's events.
const StepEvents& runSessionStep();
// False while a demo plays: then only Escape acts.
bool keysReachTheGame();
// A lighting key pressed (recorded before the next step).
void noteLighting(bool on);
// The drawing side's lighting switch, for a played demo's lighting keys.
void setLightingAction(LightingAction action);
bool isTimedemo();
// Once per drawn frame of a timedemo, before its step, with the clock in milliseconds; the
// step after the demo's last prints the report and ends the process.
void timedemoFrame(double nowMilliseconds);

// "timedemo: N frames in S s, F fps (min A, median B fps over 1 s windows)" from the time
// each frame began, in milliseconds, and the time the last one ended.
std::string timedemoReport(const std::vector<double>& frameStarts, double endMilliseconds);
