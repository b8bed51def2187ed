// frame_log.cpp -- the per-frame lines, one write each and no buffer, as the swap probe
// writes its own.
#include "diagnostics/frame_log.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

FrameLog::~FrameLog() {
    if (fd >= 0) {
        close(fd);
    }
}

bool FrameLog::open(const std::string& path, std::string& error) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = path + ": cannot write the frame log: " + std::strerror(errno);
        return false;
    }
    const char heading[] = "# swap_ms shown_game_ms steps eye_x eye_y eye_z\n";
    return ::write(fd, heading, sizeof heading - 1) >= 0;
}

void FrameLog::write(double swapMilliseconds, double shownGameMilliseconds, int steps,
                     Vector3 eye) {
    if (fd < 0) {
        return;
    }
    char line[160];
    const int length = std::snprintf(
        line, sizeof line, "%.4f %.4f %d %.5f %.5f %.5f\n", swapMilliseconds, shownGameMilliseconds,
        steps, static_cast<double>(eye.x), static_cast<double>(eye.y), static_cast<double>(eye.z));
    if (length > 0 && ::write(fd, line, static_cast<size_t>(length)) < 0) {
        std::fprintf(stderr, "wibz3d: the frame log could not be written; it ends here\n");
        close(fd);
        fd = -1;
    }
}
