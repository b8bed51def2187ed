// no_track_output.cpp -- the player built on the headless libraries made another way has
// no sound library (it is built on the game's own), so it renders no track.
#include "track_output.h"

#include <cstdio>

bool startTrack(const std::string&, int) {
    std::fprintf(stderr, "this build of wibz3d-demo renders no sound track\n");
    return false;
}

void renderTrackStep(const GameState&) {}

bool saveTrack(const std::string&) {
    return false;
}
