// demo.h -- demos: a game's inputs, step by step, in a plain text file (docs/DEMOS.md).
// With game time in fixed steps and rand() never seeded, the inputs decide the whole game,
// so playing a demo's inputs back gives the recorded game again, with or without a window.
#pragma once

#include "game/step.h"

#include <string>
#include <vector>

// The inputs that reached the rules before and in one step.
struct DemoStep {
    int step = 0;      // 1 for the game's first step
    std::string typed; // character keys that arrived before the step, in order
    StepInput input;
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

// Writes a demo as the game goes, a whole line per step with input, so a game killed at any
// moment leaves a readable file up to its last complete step.
class DemoRecorder {
  public:
    DemoRecorder() = default;
    DemoRecorder(const DemoRecorder&) = delete;
    DemoRecorder& operator=(const DemoRecorder&) = delete;
    ~DemoRecorder();

    bool open(const std::string& path, std::string& error);
    bool isOpen() const { return fd >= 0; }
    // A character key arriving before the next step.
    void typed(unsigned char key);
    // The step about to run with this input: a line when it has any input.
    void step(int stepNumber, const StepInput& input);
    // The game ends before stepNumber runs: the closing line.
    void end(int stepNumber);

  private:
    void writeLine(const std::string& line);
    int fd = -1;
    std::string pendingTyped;
};

// Plays a demo into a game, step after step, the way the shell does: typed keys through the
// keyboard's own handling, then the step with the recorded input.
class DemoPlayer {
  public:
    explicit DemoPlayer(const Demo& played) : demo(played) {}
    // The keys typed before the next step, once; playStep does it when not done yet.
    void typeBeforeNextStep(GameState& g);
    // Runs the next step; false once the demo's steps are all played.
    bool playStep(GameState& g);
    int stepsPlayed() const { return played; }

  private:
    const DemoStep* lineOfNextStep() const;
    const Demo& demo;
    std::size_t nextLine = 0;
    int played = 0;
    bool typedDone = false;
};

// The end state of a game as text: score, lives, the flags, streaks, lock and every stone
// with its position to three decimals, so two runs can be compared with cmp.
std::string describeState(GameState& g);
