// main.cpp -- wibz3d-demo FILE [--dump-state OUT] [--events OUT] [--sound-track OUT.wav
// [--data DIR] [--volume N]]: plays a demo with no window, printing the console lines of the
// steps' events as the game does (no textures, no frame timer); writes the end state as the
// game's --dump-state does, the log of every step's events, and the demo's sound rendered
// without a sound card. Exit status 0, or 2 for a bad demo or a bad command line.
#include "game/game_setup.h"
#include "replay/demo.h"
#include "replay/demo_player.h"
#include "replay/state_dump.h"
#include "track_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {
struct PlayerOptions {
    std::string demo;
    std::string dumpState;
    std::string events;
    std::string soundTrack;
    std::string data; // the folder holding sounds/
    int volume = 100;
};

bool parseVolume(const char* text, int& volume) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0 || value > 100) {
        return false;
    }
    volume = static_cast<int>(value);
    return true;
}

bool parseArguments(int argc, char** argv, PlayerOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const bool withValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--dump-state") == 0 && withValue) {
            options.dumpState = argv[++i];
        } else if (std::strcmp(argv[i], "--events") == 0 && withValue) {
            options.events = argv[++i];
        } else if (std::strcmp(argv[i], "--sound-track") == 0 && withValue) {
            options.soundTrack = argv[++i];
        } else if (std::strcmp(argv[i], "--data") == 0 && withValue) {
            options.data = argv[++i];
        } else if (std::strcmp(argv[i], "--volume") == 0 && withValue) {
            if (!parseVolume(argv[++i], options.volume)) {
                return false;
            }
        } else if (argv[i][0] != '-' && options.demo.empty()) {
            options.demo = argv[i];
        } else {
            return false;
        }
    }
    return !options.demo.empty();
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) {
        std::fprintf(stderr, "%s: cannot write it\n", path.c_str());
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    PlayerOptions options;
    if (!parseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: wibz3d-demo FILE [--dump-state OUT] [--events OUT] "
                             "[--sound-track OUT.wav [--data DIR] [--volume N]]\n");
        return 2;
    }
    Demo demo;
    std::string error;
    if (!readDemo(options.demo, demo, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    if (!demo.warning.empty()) {
        std::fprintf(stderr, "Warning: %s\n", demo.warning.c_str());
    }
    const bool withSound = !options.soundTrack.empty();
    if (withSound && !startTrack(options.data, options.volume)) {
        return 2;
    }
    beginGame(game);
    DemoPlayer player(demo);
    std::string eventLog;
    while (player.playStep(game)) {
        printConsoleLines(game.events);
        if (!options.events.empty()) {
            eventLog += describeStepEvents(player.stepsPlayed(), game.events);
        }
        if (withSound) {
            renderTrackStep(game);
        }
    }
    if (withSound && !saveTrack(options.soundTrack)) {
        return 2;
    }
    if (!options.dumpState.empty() && !writeFile(options.dumpState, describeState(game))) {
        return 2;
    }
    if (!options.events.empty() && !writeFile(options.events, eventLog)) {
        return 2;
    }
    return 0;
}
