// frame_timer.h -- measures the interval between drawn frames and counts drawn frames per
// second. Once a second it writes a timing line to standard output. Readings are kept in
// double seconds so the interval stays exact however long the machine has been up. Game
// time does not come from here: it runs in fixed steps (game/step.h).
#pragma once

class FrameTimer {
  public:
    FrameTimer() = default;

    // Once per drawn frame: measures the interval, counts the frame, reports once a second.
    void update();
    float framesPerSecond() const { return fps; }
    float frameInterval() const { return interval; }

    // The interval before the first update: one frame at the paced 100 frames per second.
    static constexpr float startInterval = 0.01f;

  private:
    float interval = startInterval;
    float fps = 0.0f;
    double lastFrameTime = 0.0; // seconds
    double lastReportTime = 0.0;
    float frameCount = 0.0f; // frames in the current report window
    bool haveFirstReading = false;
};

// The shell's timer of drawn frames; the HUD shows its frames per second.
extern FrameTimer frameTimer;
