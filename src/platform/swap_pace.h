// swap_pace.h -- learns from the times buffer swaps return whether the display holds them to
// its refresh: once start-up is past, the median interval over a run of swaps. Swaps that
// come back faster than any display refreshes were not held, whatever the driver reported.
#pragma once

#include <vector>

class SwapPace {
  public:
    // Once per swap, with the clock in milliseconds as it returned; true on the one call
    // that completes the measure.
    bool noteSwap(double milliseconds);
    bool measured() const { return done; }
    double medianIntervalMilliseconds() const { return median; }
    bool heldByDisplay() const { return done && median >= fastestRefreshMilliseconds; }

    static constexpr int startupSwaps = 10; // the first frames compile shaders and upload
    static constexpr int measuredIntervals = 60;
    // A display at 500 Hz refreshes every 2 ms; none we know of goes past 670 Hz.
    static constexpr double fastestRefreshMilliseconds = 1.5;

  private:
    std::vector<double> intervals;
    double lastSwap = 0.0;
    int swapsSeen = 0;
    double median = 0.0;
    bool done = false;
};
