// clock.cpp -- CLOCK_MONOTONIC in milliseconds, behind a swappable function pointer.
#include "platform/clock.h"

#include <ctime>

namespace {
ClockSource currentSource = systemMilliseconds;
}

double systemMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

double clockMilliseconds() {
    return currentSource();
}

void setClockSource(ClockSource source) {
    currentSource = source != nullptr ? source : systemMilliseconds;
}
