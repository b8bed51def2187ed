// demo_session.cpp -- live keys, recording and playback behind one step function. The end
// line of a recording and the end state are written when the process exits (Escape, the
// window closed, or the end of a played demo), so every way out leaves them.
#include "shell/demo_session.h"

#include "shell/demo.h"
#include "shell/step_input.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {
DemoRecorder recorder;
Demo playedDemo;
DemoPlayer player(playedDemo);
bool playing = false;
bool demoOver = false;
bool exitAtEnd = false;
bool timedemo = false;
std::string dumpPath;
int stepsRun = 0;
std::vector<double> frameStarts;

void atExit() {
    if (recorder.isOpen()) {
        recorder.end(stepsRun + 1);
    }
    if (!dumpPath.empty()) {
        std::ofstream out(dumpPath, std::ios::binary | std::ios::trunc);
        out << describeState(game);
    }
}
} // namespace

bool startDemoSession(const Options& options) {
    std::string error;
    if (!options.dumpState.empty() && !std::ofstream(options.dumpState, std::ios::app)) {
        std::fprintf(stderr, "wibz3d: %s: cannot write the end state\n", options.dumpState.c_str());
        return false;
    }
    if (!options.playDemo.empty()) {
        if (!readDemo(options.playDemo, playedDemo, error)) {
            std::fprintf(stderr, "wibz3d: %s\n", error.c_str());
            return false;
        }
        if (!playedDemo.warning.empty()) {
            std::fprintf(stderr, "Warning: %s\n", playedDemo.warning.c_str());
        }
        playing = true;
    }
    if (!options.recordDemo.empty() && !recorder.open(options.recordDemo, error)) {
        std::fprintf(stderr, "wibz3d: %s\n", error.c_str());
        return false;
    }
    exitAtEnd = options.exitAtEnd || options.timedemo;
    timedemo = options.timedemo;
    // The game enters its data folder after this; the end state goes where it was named.
    dumpPath = options.dumpState;
    if (!dumpPath.empty() && dumpPath[0] != '/') {
        char here[4096];
        if (getcwd(here, sizeof here) != nullptr) {
            dumpPath = std::string(here) + "/" + dumpPath;
        }
    }
    return true;
}

void armDemoSessionExit() {
    std::atexit(atExit);
}

void runSessionStep() {
    if (!playing) {
        const StepInput input = readStepInput();
        recorder.step(stepsRun + 1, input);
        advance(game, input, stepSeconds);
        stepsRun += 1;
        return;
    }
    if (!demoOver && player.playStep(game)) {
        stepsRun += 1;
        return;
    }
    demoOver = true;
    if (timedemo) {
        // This frame began after the last one was drawn: its start ends the run.
        const double end = frameStarts.back();
        frameStarts.pop_back();
        std::printf("\n%s\n", timedemoReport(frameStarts, end).c_str());
        std::exit(0);
    }
    if (exitAtEnd) {
        std::exit(0);
    }
    // After its end the game goes on with no input.
    advance(game, StepInput(), stepSeconds);
    stepsRun += 1;
}

bool keysReachTheGame() {
    return !playing;
}

void noteTypedKey(unsigned char key) {
    recorder.typed(key);
}

bool isTimedemo() {
    return timedemo;
}

void timedemoFrame(double nowMilliseconds) {
    frameStarts.push_back(nowMilliseconds);
}

std::string timedemoReport(const std::vector<double>& frameStarts, double endMilliseconds) {
    const double first = frameStarts.empty() ? endMilliseconds : frameStarts.front();
    const double seconds = (endMilliseconds - first) / 1000.0;
    const double fps = seconds > 0.0 ? static_cast<double>(frameStarts.size()) / seconds : 0.0;
    // Frames begun in each whole second of the run; a part second at the end is left out.
    std::vector<double> windows(static_cast<std::size_t>(seconds), 0.0);
    for (const double start : frameStarts) {
        const std::size_t w = static_cast<std::size_t>((start - first) / 1000.0);
        if (w < windows.size()) {
            windows[w] += 1.0;
        }
    }
    if (windows.empty()) {
        windows.push_back(fps);
    }
    std::sort(windows.begin(), windows.end());
    char line[160];
    std::snprintf(line, sizeof line,
                  "timedemo: %zu frames in %.2f s, %.1f fps (min %.1f, median %.1f fps over 1 s "
                  "windows)",
                  frameStarts.size(), seconds, fps, windows.front(), windows[windows.size() / 2]);
    return line;
}
