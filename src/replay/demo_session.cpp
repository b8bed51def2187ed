// demo_session.cpp -- live keys, recording and playback behind one step function. The end
// line of a recording and the end state are written when the process exits (Escape, the
// window closed, or the end of a played demo), so every way out leaves them.
#include "replay/demo_session.h"

#include "controls/step_input.h"
#include "game/step.h"
#include "platform/process_exit.h"
#include "replay/demo_player.h"
#include "replay/demo_recorder.h"
#include "replay/state_dump.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {
// The one session of the process, from the command line to its exit.
struct DemoSession {
    DemoRecorder recorder;
    Demo playedDemo;
    DemoPlayer player{playedDemo};
    bool playing = false;
    bool demoOver = false;
    bool exitAtEnd = false;
    bool timedemo = false;
    std::string dumpPath;
    LightingAction lightingAction = nullptr;
    int stepsRun = 0;
    std::vector<double> frameStarts; // a timedemo's, in milliseconds
};
DemoSession session;

void atExit() {
    if (session.recorder.isOpen()) {
        session.recorder.end(session.stepsRun + 1);
    }
    if (!session.dumpPath.empty()) {
        std::ofstream out(session.dumpPath, std::ios::binary | std::ios::trunc);
        out << describeState(game);
    }
}

// The step's console lines go out as soon as it has run.
const StepEvents& printed(const StepEvents& events) {
    printConsoleLines(events);
    return events;
}
} // namespace

bool startDemoSession(const Options& options) {
    std::string error;
    if (!options.dumpState.empty() && !std::ofstream(options.dumpState, std::ios::app)) {
        std::fprintf(stderr, "wibz3d: %s: cannot write the end state\n", options.dumpState.c_str());
        return false;
    }
    if (!options.playDemo.empty()) {
        if (!readDemo(options.playDemo, session.playedDemo, error)) {
            std::fprintf(stderr, "wibz3d: %s\n", error.c_str());
            return false;
        }
        if (!session.playedDemo.warning.empty()) {
            std::fprintf(stderr, "Warning: %s\n", session.playedDemo.warning.c_str());
        }
        session.playing = true;
    }
    if (!options.recordDemo.empty() && !session.recorder.open(options.recordDemo, error)) {
        std::fprintf(stderr, "wibz3d: %s\n", error.c_str());
        return false;
    }
    session.exitAtEnd = options.exitAtEnd || options.timedemo;
    session.timedemo = options.timedemo;
    // The game enters its data folder after this; the end state goes where it was named.
    session.dumpPath = options.dumpState;
    if (!session.dumpPath.empty() && session.dumpPath[0] != '/') {
        char here[4096];
        if (getcwd(here, sizeof here) != nullptr) {
            session.dumpPath = std::string(here) + "/" + session.dumpPath;
        }
    }
    return true;
}

void armDemoSessionExit() {
    atLeaving(atExit);
}

const StepEvents& runSessionStep() {
    if (!session.playing) {
        const StepInput input = readStepInput();
        session.recorder.step(session.stepsRun + 1, input);
        session.stepsRun += 1;
        return printed(advance(game, input));
    }
    if (!session.demoOver && session.player.playStep(game, session.lightingAction)) {
        session.stepsRun += 1;
        return printed(game.events);
    }
    session.demoOver = true;
    if (session.timedemo) {
        // This frame began after the last one was drawn: its start ends the run.
        const double end = session.frameStarts.back();
        session.frameStarts.pop_back();
        std::printf("\n%s\n", timedemoReport(session.frameStarts, end).c_str());
        leaveProcess(0);
    }
    if (session.exitAtEnd) {
        leaveProcess(0);
    }
    // After its end the game goes on with no input.
    session.stepsRun += 1;
    return printed(advance(game, StepInput()));
}

bool keysReachTheGame() {
    return !session.playing;
}

void noteLighting(bool on) {
    session.recorder.lighting(on);
}

void setLightingAction(LightingAction action) {
    session.lightingAction = action;
}

bool isTimedemo() {
    return session.timedemo;
}

void timedemoFrame(double nowMilliseconds) {
    session.frameStarts.push_back(nowMilliseconds);
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
