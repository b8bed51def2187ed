// frame_log.h -- with --frame-log FILE, one line per drawn frame: when its buffer swap
// returned and the game time it shows, both in milliseconds, the steps run for it and the
// camera eye it was drawn from. scripts/frame_figures.py turns the lines into the figures of
// even motion.
#pragma once

#include "math/vector3.h"

#include <string>

class FrameLog {
  public:
    FrameLog() = default;
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;
    ~FrameLog();

    // Creates the file and writes its heading; false with the reason.
    bool open(const std::string& path, std::string& error);
    // One line, written at once: a killed game leaves every frame it drew.
    void write(double swapMilliseconds, double shownGameMilliseconds, int steps, Vector3 eye);

  private:
    int fd = -1;
};
