// swap_probe.cpp -- an LD_PRELOAD probe for frame timing: it wraps glXSwapBuffers and
// writes one line per drawn frame, "MONOTONIC_NS REALTIME_NS", to the file named by
// WIBZ_SWAP_LOG. With WIBZ_SWAP_HOLD_MS it also plays a display that syncs swaps at that
// period. The program under test is not changed; scripts/measure_frames.sh and the
// game-time test use it.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {
using SwapFunction = void (*)(void*, unsigned long);

int logFd = -1;
long long holdNanoseconds = 0; // the refresh period played, 0 for none
long long firstTick = -1;

long long nanosecondsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// One write per frame and no buffer: the lines survive a killed process, and the cost (a
// few microseconds a frame) is small beside the 10 ms the frame has.
void recordSwap() {
    if (logFd < 0) {
        return;
    }
    char line[64] = {};
    const long long monotonic = nanosecondsOf(CLOCK_MONOTONIC);
    const long long realtime = nanosecondsOf(CLOCK_REALTIME);
    const int length = std::snprintf(line, sizeof line, "%lld %lld\n", monotonic, realtime);
    if (length > 0 && write(logFd, line, static_cast<size_t>(length)) < 0) {
        logFd = -1; // the log is gone; keep the program running untimed
    }
}

// Like a display that syncs: a swap returns at the next refresh tick after it was asked
// for, on a grid set by the first swap, so a frame that misses a tick waits for the next.
void holdUntilNextTick() {
    if (holdNanoseconds <= 0) {
        return;
    }
    const long long now = nanosecondsOf(CLOCK_MONOTONIC);
    if (firstTick < 0) {
        firstTick = now;
        return;
    }
    const long long due = firstTick + ((now - firstTick) / holdNanoseconds + 1) * holdNanoseconds;
    const timespec until{static_cast<time_t>(due / 1000000000LL),
                         static_cast<long>(due % 1000000000LL)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

__attribute__((constructor)) void readSettings() {
    const char* path = std::getenv("WIBZ_SWAP_LOG");
    if (path != nullptr && path[0] != '\0') {
        logFd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    }
    const char* hold = std::getenv("WIBZ_SWAP_HOLD_MS");
    if (hold != nullptr) {
        holdNanoseconds = static_cast<long long>(std::atof(hold) * 1.0e6);
    }
}
} // namespace

// The display and drawable are passed through untouched; their types stay opaque here so
// the probe needs no GL headers.
extern "C" void glXSwapBuffers(void* display, unsigned long drawable) {
    static const SwapFunction realSwap =
        reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    if (realSwap != nullptr) {
        realSwap(display, drawable);
    }
    holdUntilNextTick();
    recordSwap();
}
