// clock.h -- the millisecond clock the frame timer reads (our stand-in for timeGetTime).
// Monotonic milliseconds since the system started, as a double, so it neither wraps nor
// coarsens with uptime. Tests swap the source for a scripted one.
#pragma once

using ClockSource = double (*)();

// Milliseconds since boot from the monotonic system clock.
double systemMilliseconds();

// The clock everything in the game reads; systemMilliseconds unless a test set another.
double clockMilliseconds();
void setClockSource(ClockSource source);
