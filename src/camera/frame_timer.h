// frame_timer.h -- measures the interval between frames and counts frames per second.
// Once a second it writes a timing line to standard output. Readings are kept in double
// seconds so the interval stays exact however long the machine has been up.
#pragma once

class FrameTimer {
  public:
    FrameTimer() = default;

    // Once per frame: measures the interval, counts the frame, reports once a second.
    void update();
    float scaled(float rate) const { return rate * interval; }
    float framesPerSecond() const { return fps; }
    float frameInterval() const { return interval; }
    void setShowFps(bool on) { showFps = on; }
    bool isShowFps() const { return showFps; }

    // The interval before the first update: one frame at the paced 100 frames per second.
    static constexpr float startInterval = 0.01f;

  private:
    float interval = startInterval;
    float fps = 0.0f;
    bool showFps = false;
};

// Forgets every reading, as at program start (the timer's readings are shared module
// state, as there is only one timer); for tests.
void resetFrameTimerReadings();
