// test_frame_timer.cpp -- frame interval and the once-a-second report, on a scripted clock.
#include "diagnostics/frame_timer.h"
#include "platform/clock.h"
#include "test_support.h"

#include <gtest/gtest.h>

TEST(FrameTimer, IntervalOfEachFrameAndAReportStrictlyAfterEachSecond) {
    setClockSource(scriptedClock);
    FrameTimer timer;
    const auto updateAt = [&timer](double milliseconds) {
        scriptedMilliseconds = milliseconds;
        return captureStdout([&timer] { timer.update(); });
    };
    EXPECT_FLOAT_EQ(timer.frameInterval(), 0.01f); // read before the first update
    const double week = 7.0 * 24 * 3600 * 1000.0;
    // With no report yet, the first update closes a window at once, counting itself, and
    // keeps the start interval, not the whole uptime.
    EXPECT_EQ(updateAt(week),
              "\ncurTime 604800.00000, lastTime 0.00000, FrameInterval 0.01000, FPS 1.00000");
    EXPECT_FLOAT_EQ(timer.frameInterval(), 0.01f);
    updateAt(week + 25.0);
    // Float seconds would step in 62.5 ms here; the interval must stay the frame's.
    EXPECT_NEAR(timer.frameInterval(), 0.025f, 1e-6f);

    timer = FrameTimer();
    updateAt(2000.0);                         // first report, window starts at 2.0 s
    EXPECT_EQ(updateAt(3000.0), "");          // exactly 1.0 s later: not yet
    EXPECT_EQ(timer.framesPerSecond(), 1.0f); // the previous window's count stays
    EXPECT_EQ(updateAt(3010.0),
              "\ncurTime 3.01000, lastTime 2.00000, FrameInterval 0.01000, FPS 2.00000");
    setClockSource(nullptr); // back to the system clock, which is monotonic
    const double a = clockMilliseconds();
    EXPECT_GT(a, 0.0);
    EXPECT_GE(clockMilliseconds(), a);
}
