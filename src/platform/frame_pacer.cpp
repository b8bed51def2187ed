// frame_pacer.cpp -- fixed-schedule pacing.
#include "platform/frame_pacer.h"

#include <cerrno>
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

FramePacer::FramePacer(double periodMilliseconds, PacerClock clockFn, PacerSleep sleepFn)
    : period(periodMilliseconds), clock(clockFn), sleep(sleepFn) {}

void FramePacer::waitForNextFrame() {
    const double now = clock();
    if (!started) {
        started = true;
        nextDue = now + period;
        return;
    }
    if (now < nextDue) {
        sleep(nextDue - now);
        nextDue += period;
        return;
    }
    // Late: keep the schedule while less than a frame behind, else begin a new one.
    nextDue += period;
    if (nextDue <= now) {
        nextDue = now + period;
    }
}
