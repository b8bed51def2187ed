// main.cpp -- wibz3d-demo FILE [--dump-state OUT]: plays a demo with no window, printing
// the game's console lines as it goes (the keys' lines; no textures, no frame timer), and
// writes the end state as the game's --dump-state does. Exit status 0, or 2 for a bad demo
// or a bad command line.
#include "game/game_setup.h"
#include "shell/demo.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const bool withDump = argc == 4 && std::strcmp(argv[2], "--dump-state") == 0;
    if (argc != 2 && !withDump) {
        std::fprintf(stderr, "usage: wibz3d-demo FILE [--dump-state OUT]\n");
        return 2;
    }
    Demo demo;
    std::string error;
    if (!readDemo(argv[1], demo, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    if (!demo.warning.empty()) {
        std::fprintf(stderr, "Warning: %s\n", demo.warning.c_str());
    }
    beginGame(game);
    DemoPlayer player(demo);
    while (player.playStep(game)) {
    }
    if (withDump) {
        std::ofstream out(argv[3], std::ios::binary);
        out << describeState(game);
        if (!out) {
            std::fprintf(stderr, "%s: cannot write the state\n", argv[3]);
            return 2;
        }
    }
    return 0;
}
