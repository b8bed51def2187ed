// frame_pacer.h -- the fixed-step schedule: game steps are due at start + n x period of
// real time. Each drawn frame waits, sleeping rather than spinning, until a step is due,
// and learns how many are due: one when drawing keeps up, more when it fell behind. Past
// maxSteps the backlog is dropped, so a machine too slow to keep up slows the game down
// instead of spiralling into ever longer catch-ups.
#pragma once

using PacerClock = double (*)();     // milliseconds
using PacerSleep = void (*)(double); // milliseconds to sleep

void sleepMilliseconds(double milliseconds);

class FramePacer {
  public:
    FramePacer(double periodMilliseconds, int maxSteps, PacerClock clock, PacerSleep sleep);

    // Returns the number of steps to run now, 1 to maxSteps: at once on the first call and
    // when running late, else after sleeping until the next step is due.
    int waitForNextFrame();

  private:
    double period;
    int maxSteps;
    PacerClock clock;
    PacerSleep sleep;
    double nextDue = 0.0;
    bool started = false;
};
