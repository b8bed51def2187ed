// swap_probe.cpp -- an LD_PRELOAD probe for frame timing: it wraps glXSwapBuffers and
// writes one line per drawn frame, "MONOTONIC_NS REALTIME_NS", to the file named by
// WIBZ_SWAP_LOG. With WIBZ_SWAP_HOLD_MS it also plays a display that refreshes at that
// period and a driver that syncs swaps to it: it offers GLX_EXT_swap_control and
// GLX_MESA_swap_control (or the names in WIBZ_SWAP_OFFER, none when it is empty), keeps the
// swap interval the program asks for (1, a driver's default, until it asks) and holds each
// swap to the refresh tick it is due at while the interval is not 0; with
// GLX_EXT_swap_control_tear offered, a negative interval lets a late swap go at once. The
// program under test is not changed; scripts/measure_frames.sh, scripts/measure_motion.sh
// and the game-time and motion tests use it.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {
// GLX's types stay opaque here, so the probe needs no GL headers.
using SwapFunction = void (*)(void*, unsigned long);
using AnyFunction = void (*)();
using ProcAddressFunction = AnyFunction (*)(const unsigned char*);
using QueryExtensionsFunction = const char* (*)(void*, int);
using QueryDrawableFunction = void (*)(void*, unsigned long, int, unsigned int*);

// From GLX_EXT_swap_control and GLX_EXT_swap_control_tear.
constexpr int swapIntervalAttribute = 0x20F1;
constexpr int maxSwapIntervalAttribute = 0x20F2;
constexpr int lateSwapsTearAttribute = 0x20F3;
constexpr int maxSwapInterval = 8;

int logFd = -1;
long long holdNanoseconds = 0; // the refresh period played, 0 for none
long long firstTick = -1;      // the grid of refresh ticks starts at the first swap
long long lastTick = -1;       // the tick the last swap went out at
int swapInterval = 1;

long long nanosecondsOf(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// The extensions played, each with a space in front. Read on first use: a global string
// could be built only after the constructor below had run.
const std::string& offered() {
    static const std::string names = [] {
        const char* offer = std::getenv("WIBZ_SWAP_OFFER");
        if (std::getenv("WIBZ_SWAP_HOLD_MS") == nullptr) {
            return std::string();
        }
        return " " +
               std::string(offer != nullptr ? offer
                                            : "GLX_EXT_swap_control GLX_MESA_swap_control") +
               " ";
    }();
    return names;
}

bool offers(const char* name) {
    return offered().find(std::string(" ") + name + " ") != std::string::npos;
}

template <typename Function> Function realFunction(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
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

void sleepUntil(long long due) {
    const timespec until{static_cast<time_t>(due / 1000000000LL),
                         static_cast<long>(due % 1000000000LL)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

// Like a display that syncs: a swap goes out at the first tick after it was asked for and
// at least |interval| ticks after the last one, so a frame that misses a tick waits for the
// next. With a negative interval a swap that comes after its tick has passed goes at once
// (it would tear).
void holdUntilDue() {
    if (holdNanoseconds <= 0 || swapInterval == 0) {
        return;
    }
    const long long now = nanosecondsOf(CLOCK_MONOTONIC);
    if (firstTick < 0) {
        firstTick = now;
        lastTick = now;
        return;
    }
    const long long ticks = swapInterval < 0 ? -swapInterval : swapInterval;
    const long long sinceFirst = now - firstTick;
    const long long nextTick = firstTick + (sinceFirst / holdNanoseconds + 1) * holdNanoseconds;
    const long long earliest = lastTick + ticks * holdNanoseconds;
    if (swapInterval < 0 && now > earliest) {
        lastTick = firstTick + (sinceFirst / holdNanoseconds) * holdNanoseconds;
        return;
    }
    lastTick = nextTick > earliest ? nextTick : earliest;
    sleepUntil(lastTick);
}

void swapIntervalExt(void*, unsigned long, int interval) {
    if (interval >= 0 || offers("GLX_EXT_swap_control_tear")) {
        swapInterval = interval;
    }
}

int swapIntervalMesa(unsigned int interval) {
    swapInterval = static_cast<int>(interval);
    return 0;
}

int getSwapIntervalMesa() {
    return swapInterval;
}

// The entry points of the extensions played; null for any other name.
AnyFunction playedFunction(const unsigned char* name) {
    const char* text = reinterpret_cast<const char*>(name);
    if (offers("GLX_EXT_swap_control") && std::strcmp(text, "glXSwapIntervalEXT") == 0) {
        return reinterpret_cast<AnyFunction>(swapIntervalExt);
    }
    if (offers("GLX_MESA_swap_control") && std::strcmp(text, "glXSwapIntervalMESA") == 0) {
        return reinterpret_cast<AnyFunction>(swapIntervalMesa);
    }
    if (offers("GLX_MESA_swap_control") && std::strcmp(text, "glXGetSwapIntervalMESA") == 0) {
        return reinterpret_cast<AnyFunction>(getSwapIntervalMesa);
    }
    return nullptr;
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

extern "C" void glXSwapBuffers(void* display, unsigned long drawable) {
    static const auto realSwap = realFunction<SwapFunction>("glXSwapBuffers");
    if (realSwap != nullptr) {
        realSwap(display, drawable);
    }
    holdUntilDue();
    recordSwap();
}

extern "C" const char* glXQueryExtensionsString(void* display, int screen) {
    static const auto realQuery = realFunction<QueryExtensionsFunction>("glXQueryExtensionsString");
    static std::string extensions;
    const char* real = realQuery != nullptr ? realQuery(display, screen) : nullptr;
    extensions = std::string(real != nullptr ? real : "") + offered();
    return extensions.c_str();
}

extern "C" AnyFunction glXGetProcAddress(const unsigned char* name) {
    static const auto realGet = realFunction<ProcAddressFunction>("glXGetProcAddress");
    const AnyFunction played = playedFunction(name);
    return played != nullptr ? played : realGet(name);
}

extern "C" AnyFunction glXGetProcAddressARB(const unsigned char* name) {
    static const auto realGet = realFunction<ProcAddressFunction>("glXGetProcAddressARB");
    const AnyFunction played = playedFunction(name);
    return played != nullptr ? played : realGet(name);
}

// A negative interval is reported as its size, with late swaps tearing reported apart.
extern "C" void glXQueryDrawable(void* display, unsigned long drawable, int attribute,
                                 unsigned int* value) {
    static const auto realQuery = realFunction<QueryDrawableFunction>("glXQueryDrawable");
    if (offers("GLX_EXT_swap_control") && attribute == swapIntervalAttribute) {
        *value = static_cast<unsigned int>(swapInterval < 0 ? -swapInterval : swapInterval);
    } else if (offers("GLX_EXT_swap_control") && attribute == maxSwapIntervalAttribute) {
        *value = maxSwapInterval;
    } else if (offers("GLX_EXT_swap_control_tear") && attribute == lateSwapsTearAttribute) {
        *value = swapInterval < 0 ? 1u : 0u;
    } else if (realQuery != nullptr) {
        realQuery(display, drawable, attribute, value);
    }
}
