// frame_timer.cpp -- frame interval and the once-a-second report line.
#include "diagnostics/frame_timer.h"

#include "platform/clock.h"

#include <cstdio>

FrameTimer frameTimer;

void FrameTimer::update() {
    const double now = clockMilliseconds() * 0.001;
    // The first update has nothing to measure from; it keeps the start interval rather
    // than the whole uptime.
    if (haveFirstReading) {
        interval = static_cast<float>(now - lastFrameTime);
    }
    haveFirstReading = true;
    lastFrameTime = now;
    frameCount += 1.0f;
    if (now - lastReportTime > 1.0) {
        std::printf("\ncurTime %7.5f, lastTime %7.5f, FrameInterval %7.5f, FPS %7.5f", now,
                    lastReportTime, static_cast<double>(interval), static_cast<double>(frameCount));
        std::fflush(stdout);
        lastReportTime = now;
        fps = frameCount;
        frameCount = 0.0f;
    }
}
