// test_swap_pace.cpp -- whether swaps are held to a display's refresh, from the times they
// return: a 60 Hz display that a slow start-up and missed refreshes cannot hide, and a
// driver that reports an interval but lets swaps go at once.
#include "platform/swap_pace.h"

#include <gtest/gtest.h>

namespace {
// Feeds swaps until the measure completes; returns how many it took.
int swapsToMeasure(SwapPace& pace, double (*swapTime)(int)) {
    for (int n = 0; n < 1000; ++n) {
        if (pace.noteSwap(swapTime(n))) {
            return n + 1;
        }
    }
    return -1;
}
} // namespace

TEST(SwapPace, ADisplaysRefreshShowsThroughStartUpAndMissedRefreshes) {
    // Start-up takes 300 ms a frame; then every seventh frame misses a refresh at 60 Hz.
    SwapPace sixty;
    const int swaps = swapsToMeasure(sixty, [](int n) {
        const double refresh = 1000.0 / 60.0;
        return n < 10 ? n * 300.0 : 2700.0 + (n - 9 + (n - 9) / 7) * refresh;
    });
    EXPECT_EQ(swaps, SwapPace::startupSwaps + SwapPace::measuredIntervals);
    EXPECT_TRUE(sixty.measured() && sixty.heldByDisplay());
    EXPECT_NEAR(sixty.medianIntervalMilliseconds(), 1000.0 / 60.0, 1e-9);
    EXPECT_FALSE(sixty.noteSwap(99999.0)); // the verdict comes once and stays
    EXPECT_NEAR(sixty.medianIntervalMilliseconds(), 1000.0 / 60.0, 1e-9);

    // Swaps back in 0.8 ms: no display refreshes so fast.
    SwapPace unheld;
    EXPECT_FALSE(unheld.heldByDisplay());
    swapsToMeasure(unheld, [](int n) { return n * 0.8; });
    EXPECT_TRUE(unheld.measured() && !unheld.heldByDisplay());
    // 240 Hz is a display.
    SwapPace fast;
    swapsToMeasure(fast, [](int n) { return n * 1000.0 / 240.0; });
    EXPECT_TRUE(fast.heldByDisplay());
}
