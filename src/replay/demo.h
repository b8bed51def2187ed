// demo.h -- the demo file: a game's intentions, step by step, in plain text
// (docs/DEMOS.md). With game time in fixed steps and the game's own dice, the intentions
// decide the whole game, so playing them back gives the recorded game again, with or
// without a window, on any build. Format 2 writes intentions; format 1, which wrote keys,
// is still read, through the keyboard's own table.
#pragma once

#include "game/intentions.h"

#include <string>
#include <vector>

constexpr const char* demoMagic = "wibz3d-demo";
constexpr int demoFormat = 2;

// The intentions of one step, and the shell's own lighting keys given before it.
struct DemoStep {
    int step = 0; // 1 for the game's first step
    StepInput input;
    std::vector<bool> lighting; // on (true) or off, in the order given
};

struct Demo {
    std::vector<DemoStep> steps; // only steps with input, in order
    int length = 0;              // steps the recorded game ran
    bool ended = false;          // the recording closed normally (not killed)
    std::string warning;         // set when a cut last line was left out
};

// Reads a demo; false with a one-line message naming the file and line on any fault. A last
// line without its line end (a recording killed while writing) is left out with a warning.
bool readDemo(const std::string& path, Demo& demo, std::string& error);

// A step's line in the current format: its number, the lighting keys and commands in the
// order given, then the directions held. Empty when the step had no input.
std::string demoStepLine(int step, const StepInput& input, const std::vector<bool>& lighting);
