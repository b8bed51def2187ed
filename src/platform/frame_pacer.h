// frame_pacer.h -- holds the game to a fixed frame rate by sleeping, not spinning.
// Frames are due on a fixed schedule (start + n x period), so small sleep overshoots do
// not add up; a machine that falls more than a frame behind starts a new schedule
// instead of rushing to catch up.
#pragma once

using PacerClock = double (*)();     // milliseconds
using PacerSleep = void (*)(double); // milliseconds to sleep

void sleepMilliseconds(double milliseconds);

class FramePacer {
  public:
    FramePacer(double periodMilliseconds, PacerClock clock, PacerSleep sleep);

    // Returns when the next frame is due: at once on the first call and when running late.
    void waitForNextFrame();

  private:
    double period;
    PacerClock clock;
    PacerSleep sleep;
    double nextDue = 0.0;
    bool started = false;
};
