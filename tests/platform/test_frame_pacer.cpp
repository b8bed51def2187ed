// test_frame_pacer.cpp -- the fixed-step schedule, against a scripted clock and sleep.
#include "platform/frame_pacer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {
double fakeNow = 0.0;
std::vector<double> sleeps;

// A pacer of 10 ms steps, at most 10 a frame, on the scripted clock whose sleeps all
// overshoot by 0.3 ms; its first frame goes at once with one step.
FramePacer startedAt(double now) {
    fakeNow = now;
    sleeps.clear();
    FramePacer pacer(
        10.0, 10, [] { return fakeNow; },
        [](double ms) {
            sleeps.push_back(ms);
            fakeNow += ms + 0.3;
        });
    EXPECT_EQ(pacer.waitForNextFrame(), 1);
    EXPECT_TRUE(sleeps.empty());
    return pacer;
}
} // namespace

TEST(FramePacer, SleepsToAFixedScheduleWithoutDriftOneStepAFrame) {
    FramePacer pacer = startedAt(1000.0);
    int steps = 0;
    for (int frame = 1; frame <= 1000; ++frame) {
        fakeNow += 2.0; // the frame's own work
        steps += pacer.waitForNextFrame();
    }
    // Overshoot is taken back from the next sleep, so 1000 frames take 10 s, not 10.3 s.
    EXPECT_TRUE(steps == 1000 && sleeps.size() == 1000u);
    EXPECT_NEAR(fakeNow, 1000.0 + 10000.0 + 0.3, 1e-6);
    EXPECT_NEAR(sleeps[5], 10.0 - 2.0 - 0.3, 1e-9);
}

// However long a frame takes to draw, from 1 ms to 100 ms (10 frames a second), the steps
// run keep up with real time: 30 s of frames run 3,000 steps, give or take the one due.
// Slower still, at most 10 run a frame and the game slows down.
TEST(FramePacer, StepsKeepUpWithRealTimeAtAnyDrawRateAndSlowDownPastTheBound) {
    const std::pair<double, int> cases[] = {{1.0, 3000},  {16.7, 3000},  {25.0, 3000}, {40.0, 3000},
                                            {50.0, 3000}, {100.0, 3000}, {200.0, 1500}};
    for (const auto& [frameMs, stepsIn30s] : cases) {
        FramePacer pacer = startedAt(0.0);
        int steps = 1;
        int most = 1;
        while (fakeNow < 30000.0) {
            fakeNow += frameMs;
            const int due = pacer.waitForNextFrame();
            steps += due;
            most = std::max(most, due);
        }
        EXPECT_NEAR(steps, stepsIn30s, 5) << frameMs << " ms a frame";
        EXPECT_LE(most, 10) << frameMs;
    }
}

TEST(FramePacer, ALateFrameCatchesUpItsStepsAndKeepsTheSchedule) {
    FramePacer pacer = startedAt(0.0);
    fakeNow += 14.0; // a little late: the step due at 10 goes at once
    EXPECT_EQ(pacer.waitForNextFrame(), 1);
    fakeNow += 1.0; // next due at 20: sleeps the 5 ms left
    EXPECT_EQ(pacer.waitForNextFrame(), 1);
    EXPECT_EQ(sleeps, (std::vector<double>{5.0}));
    fakeNow = 60.3; // steps due at 30, 40, 50 and 60
    EXPECT_EQ(pacer.waitForNextFrame(), 4);
    EXPECT_EQ(pacer.waitForNextFrame(), 1); // sleeps to 70
    EXPECT_NEAR(sleeps.back(), 70.0 - 60.3, 1e-9);
}

// Paced by a display at 60, 144 or 25 Hz, a frame runs the steps due by then, none when the
// display refreshes faster than the steps come, and blends the last two by the fraction of
// a step that real time has run: the game time it shows, (steps - 1 + fraction) x 10 ms,
// is real time less one step on every frame, with no sleep of our own.
TEST(FramePacer, PacedByTheDisplayAFrameShowsRealTimeLessOneStepAtAnyRefreshRate) {
    for (const double refreshMs : {1000.0 / 60.0, 1000.0 / 144.0, 40.0}) {
        FramePacer pacer = startedAt(500.0);
        int steps = 1;
        int framesWithoutStep = 0;
        int most = 1;
        for (int frame = 1; frame <= 600; ++frame) {
            fakeNow = 500.0 + frame * refreshMs;
            const int due = pacer.stepsDueNow();
            steps += due;
            framesWithoutStep += due == 0 ? 1 : 0;
            most = std::max(most, due);
            const double shownMs = (steps - 1 + pacer.stepFraction(fakeNow)) * 10.0;
            ASSERT_NEAR(shownMs, fakeNow - 500.0, 1e-6) << refreshMs << " ms, frame " << frame;
        }
        EXPECT_TRUE(sleeps.empty());
        EXPECT_EQ(framesWithoutStep > 0, refreshMs < 10.0) << refreshMs;
        EXPECT_EQ(most, refreshMs > 20.0 ? 4 : refreshMs > 10.0 ? 2 : 1) << refreshMs;
    }
}

// Pacing itself, a frame goes when its step is due and shows how late the sleep let it go;
// past the bound of steps a frame, the dropped steps are skipped and the fraction stays
// within the step last taken.
TEST(FramePacer, TheFractionIsTheSleepsOvershootAndStaysWithinAStepWhenStepsAreDropped) {
    FramePacer pacer = startedAt(0.0);
    EXPECT_DOUBLE_EQ(pacer.stepFraction(fakeNow), 0.0);
    fakeNow += 2.0;
    EXPECT_EQ(pacer.waitForNextFrame(), 1); // sleeps to 10, wakes at 10.3
    EXPECT_NEAR(pacer.stepFraction(fakeNow), 0.03, 1e-9);
    fakeNow = 254.0; // 24 steps due, 10 taken: the schedule goes on from the step due at 250
    EXPECT_EQ(pacer.waitForNextFrame(), 10);
    EXPECT_NEAR(pacer.stepFraction(fakeNow), 0.4, 1e-9);
    EXPECT_DOUBLE_EQ(pacer.stepFraction(fakeNow + 30.0), 1.0);
    EXPECT_EQ(pacer.stepsDueNow(), 0);
}
