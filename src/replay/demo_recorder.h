// demo_recorder.h -- writes a demo as the game goes, a whole line per step with input, so a
// game killed at any moment leaves a readable file up to its last complete step.
#pragma once

#include "game/intentions.h"

#include <string>
#include <vector>

class DemoRecorder {
  public:
    DemoRecorder() = default;
    DemoRecorder(const DemoRecorder&) = delete;
    DemoRecorder& operator=(const DemoRecorder&) = delete;
    ~DemoRecorder();

    bool open(const std::string& path, std::string& error);
    bool isOpen() const { return fd >= 0; }
    // A lighting key given before the next step.
    void lighting(bool on);
    // The step about to run with this input: a line when it has any input.
    void step(int stepNumber, const StepInput& input);
    // The game ends before stepNumber runs: the closing line.
    void end(int stepNumber);

  private:
    void writeLine(const std::string& line);
    int fd = -1;
    std::vector<bool> pendingLighting;
};
