// process_exit.cpp -- atLeaving's actions, then _exit: exit() would destroy statics and run
// the libraries' own handlers while a start thread may still be inside one of them. In a
// browser the page lives on: the game's frames stop and the page is told the exit status.
#include "platform/process_exit.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define WIBZ_CHECK_LEAKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WIBZ_CHECK_LEAKS 1
#endif
#endif
#if defined(WIBZ_CHECK_LEAKS)
#include <sanitizer/lsan_interface.h>
#endif
#if defined(__EMSCRIPTEN__)
#include <emscripten/emscripten.h>
#endif

namespace {
struct Leaving {
    std::vector<void (*)()> actions;
    bool under = false; // an action that calls exit() does not start it all again
};
Leaving leaving;

[[maybe_unused]] void leaveWithStatus(int status, void*) {
    leaveProcess(status);
}
} // namespace

void atLeaving(void (*action)()) {
    leaving.actions.push_back(action);
}

void leaveProcess(int status) {
    if (!leaving.under) {
        leaving.under = true;
        while (!leaving.actions.empty()) {
            void (*action)() = leaving.actions.back();
            leaving.actions.pop_back();
            action();
        }
    }
    std::fflush(nullptr);
#if defined(WIBZ_CHECK_LEAKS)
    __lsan_do_leak_check(); // ends the process with the sanitizer's status on a leak
#endif
#if defined(__EMSCRIPTEN__)
    // _exit would leave the page's frame loop running; this ends it and calls Module.onExit.
    emscripten_force_exit(status);
#endif
    _exit(status);
}

void routeExitsThroughLeaving() {
#if defined(__GLIBC__)
    on_exit(leaveWithStatus, nullptr);
#endif
}
