// frame_pacer.cpp -- the fixed-step schedule.
#include "platform/frame_pacer.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>

void sleepMilliseconds(double milliseconds) {
    if (milliseconds <= 0.0) {
        return;
    }
    timespec request{};
    request.tv_sec = static_cast<time_t>(milliseconds / 1000.0);
    request.tv_nsec = static_cast<long>((milliseconds - request.tv_sec * 1000.0) * 1.0e6);
    timespec remaining{};
    while (nanosleep(&request, &remaining) != 0 && errno == EINTR) {
        request = remaining;
    }
}

FramePacer::FramePacer(double periodMilliseconds, int maxStepsPerFrame, PacerClock clockFn,
                       PacerSleep sleepFn)
    : period(periodMilliseconds), maxSteps(maxStepsPerFrame), clock(clockFn), sleep(sleepFn) {}

int FramePacer::waitForNextFrame() {
    const double now = clock();
    if (started && now < nextDue) {
        sleep(nextDue - now);
        nextDue += period;
        return 1;
    }
    return takeDueSteps(now);
}

int FramePacer::stepsDueNow() {
    const double now = clock();
    if (started && now < nextDue) {
        return 0;
    }
    return takeDueSteps(now);
}

double FramePacer::stepFraction(double nowMilliseconds) const {
    const double lastDue = nextDue - period;
    return std::clamp((nowMilliseconds - lastDue) / period, 0.0, 1.0);
}

// The first step goes at once. Late, every step whose time has come is owed, the one due
// at nextDue included.
int FramePacer::takeDueSteps(double now) {
    if (!started) {
        started = true;
        nextDue = now + period;
        return 1;
    }
    const int due = 1 + static_cast<int>(std::floor((now - nextDue) / period));
    nextDue += due * period;
    return std::min(due, maxSteps);
}
