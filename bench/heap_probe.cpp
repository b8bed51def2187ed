// heap_probe.cpp -- an LD_PRELOAD probe for leaks: each time a frame begins with glClear it
// writes the heap bytes the program holds, "REALTIME_MS BYTES", to the file named by
// WIBZ_HEAP_LOG. scripts/soak.sh judges memory growth on these lines, not on resident memory.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

namespace {
using ClearFunction = void (*)(unsigned int);
using AllocatedBytesFunction = size_t (*)();

int logFd = -1;
// Under AddressSanitizer malloc is the sanitizer's, and glibc's counters stay empty.
AllocatedBytesFunction sanitizerAllocatedBytes = nullptr;

// Bytes handed out and not yet freed. Free memory the allocator keeps for reuse is not
// counted, so a program without leaks comes back to the same level however its heap grew.
size_t bytesInUse() {
    if (sanitizerAllocatedBytes != nullptr) {
        return sanitizerAllocatedBytes();
    }
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Taken just after a clear: Mesa's software renderer frees the last frame's bins of
// triangles there, up to megabytes that depend on what was drawn, and has not yet filled
// new ones. Every sample is the same kind of moment.
void recordHeap() {
    if (logFd < 0) {
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    char line[64] = {};
    const int length = std::snprintf(
        line, sizeof line, "%lld %zu\n",
        static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000, bytesInUse());
    if (length > 0 && write(logFd, line, static_cast<size_t>(length)) < 0) {
        logFd = -1; // the log is gone; keep the program running unwatched
    }
}

__attribute__((constructor)) void openLog() {
    const char* path = std::getenv("WIBZ_HEAP_LOG");
    if (path != nullptr && path[0] != '\0') {
        logFd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    }
    sanitizerAllocatedBytes = reinterpret_cast<AllocatedBytesFunction>(
        dlsym(RTLD_DEFAULT, "__sanitizer_get_current_allocated_bytes"));
}
} // namespace

// The mask (a GLbitfield) is passed through untouched; the probe needs no GL headers.
extern "C" void glClear(unsigned int mask) {
    static const ClearFunction realClear =
        reinterpret_cast<ClearFunction>(dlsym(RTLD_NEXT, "glClear"));
    if (realClear != nullptr) {
        realClear(mask);
    }
    recordHeap();
}
