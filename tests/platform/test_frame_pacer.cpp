// test_frame_pacer.cpp -- pacing to a fixed schedule, against a scripted clock and sleep.
#include "platform/frame_pacer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
double fakeNow = 0.0;
std::vector<double> sleeps;

// A pacer on the scripted clock whose sleeps all overshoot by 0.3 ms; its first frame goes
// at once.
FramePacer startedAt(double now) {
    fakeNow = now;
    sleeps.clear();
    FramePacer pacer(
        10.0, [] { return fakeNow; },
        [](double ms) {
            sleeps.push_back(ms);
            fakeNow += ms + 0.3;
        });
    pacer.waitForNextFrame();
    EXPECT_TRUE(sleeps.empty());
    return pacer;
}
} // namespace

TEST(FramePacer, SleepsToAFixedScheduleWithoutDrift) {
    FramePacer pacer = startedAt(1000.0);
    for (int frame = 1; frame <= 1000; ++frame) {
        fakeNow += 2.0; // the frame's own work
        pacer.waitForNextFrame();
    }
    ASSERT_EQ(sleeps.size(), 1000u);
    // Overshoot is taken back from the next sleep, so 1000 frames take 10 s, not 10.3 s.
    EXPECT_NEAR(fakeNow, 1000.0 + 10000.0 + 0.3, 1e-6);
    EXPECT_NEAR(sleeps[5], 10.0 - 2.0 - 0.3, 1e-9);
}

TEST(FramePacer, ALateFrameGoesAtOnceAndASlowMachineRunsFlatOut) {
    FramePacer pacer = startedAt(0.0);
    fakeNow += 14.0; // a little late: the schedule is kept
    pacer.waitForNextFrame();
    fakeNow += 1.0; // next due at 20: sleeps the 5 ms left
    pacer.waitForNextFrame();
    EXPECT_EQ(sleeps, (std::vector<double>{5.0}));
    for (int frame = 0; frame < 50; ++frame) {
        fakeNow += 35.0; // far slower than the pace: never sleeps, never bursts
        pacer.waitForNextFrame();
    }
    fakeNow += 1.0; // fast again: a new schedule from the last frame
    pacer.waitForNextFrame();
    ASSERT_EQ(sleeps.size(), 2u);
    EXPECT_NEAR(sleeps[1], 9.0, 1e-9);
}
