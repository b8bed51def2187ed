// swap_pace.cpp -- the median of the swap intervals after start-up.
#include "platform/swap_pace.h"

#include <algorithm>

bool SwapPace::noteSwap(double milliseconds) {
    if (done) {
        return false;
    }
    swapsSeen += 1;
    if (swapsSeen > startupSwaps) {
        intervals.push_back(milliseconds - lastSwap);
    }
    lastSwap = milliseconds;
    if (static_cast<int>(intervals.size()) < measuredIntervals) {
        return false;
    }
    const auto middle = intervals.begin() + measuredIntervals / 2;
    std::nth_element(intervals.begin(), middle, intervals.end());
    median = *middle;
    done = true;
    return true;
}
