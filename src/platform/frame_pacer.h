// frame_pacer.h -- the fixed-step schedule: game steps are due at start + n x period of
// real time. A frame learns how many steps are due (one when drawing keeps up, more when it
// fell behind; none when a display that refreshes faster than the steps paces the frames)
// and how far real time has run into the next step, which the drawing blends by. Past
// maxSteps the backlog is dropped, so a machine too slow to keep up slows the game down
// instead of spiralling into ever longer catch-ups.
#pragma once

using PacerClock = double (*)();     // milliseconds
using PacerSleep = void (*)(double); // milliseconds to sleep

void sleepMilliseconds(double milliseconds);

class FramePacer {
  public:
    FramePacer(double periodMilliseconds, int maxSteps, PacerClock clock, PacerSleep sleep);

    // Our own pacing: returns the number of steps to run now, 1 to maxSteps: at once on the
    // first call and when running late, else after sleeping until the next step is due.
    int waitForNextFrame();
    // Pacing left to the display: the steps due by now, 0 to maxSteps, without sleeping.
    int stepsDueNow();
    // The share of a step that real time at nowMilliseconds has run past the due time of
    // the last step taken, from 0 to 1 (1 once the next step is due).
    double stepFraction(double nowMilliseconds) const;

  private:
    int takeDueSteps(double now);

    double period;
    int maxSteps;
    PacerClock clock;
    PacerSleep sleep;
    double nextDue = 0.0;
    bool started = false;
};
