// demo_recorder.cpp -- lines are written whole with one write each, so a killed recording
// can only lose the line being written.
#include "replay/demo_recorder.h"

#include "replay/demo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#ifndef WIBZ_VERSION
#define WIBZ_VERSION "unknown"
#endif

DemoRecorder::~DemoRecorder() {
    if (fd >= 0) {
        close(fd);
    }
}

bool DemoRecorder::open(const std::string& path, std::string& error) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = path + ": cannot write the demo: " + std::strerror(errno);
        return false;
    }
    writeLine(std::string(demoMagic) + " " + std::to_string(demoFormat) + " " + WIBZ_VERSION);
    return true;
}

void DemoRecorder::lighting(bool on) {
    pendingLighting.push_back(on);
}

void DemoRecorder::step(int stepNumber, const StepInput& input) {
    const std::string line = demoStepLine(stepNumber, input, pendingLighting);
    pendingLighting.clear();
    if (!line.empty()) {
        writeLine(line);
    }
}

// Lighting keys given after the last step reached nothing and are not written.
void DemoRecorder::end(int stepNumber) {
    writeLine(std::to_string(stepNumber) + " end");
    pendingLighting.clear();
    close(fd);
    fd = -1;
}

void DemoRecorder::writeLine(const std::string& line) {
    if (fd < 0) {
        return;
    }
    const std::string whole = line + "\n";
    std::size_t done = 0;
    while (done < whole.size()) {
        const ssize_t n = write(fd, whole.data() + done, whole.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            std::fprintf(stderr, "Demo: writing failed (%s); the recording stops here\n",
                         std::strerror(errno));
            close(fd);
            fd = -1;
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}
