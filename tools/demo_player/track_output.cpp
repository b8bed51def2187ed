// track_output.cpp -- the sound track through the sound library's loopback renderer.
#include "track_output.h"

#include "sound/sound_track.h"

#include <cstdio>
#include <cstdlib>

namespace {
SoundTrack track;

// The data of this build unless named: the tool is not installed.
std::string dataFolder(const std::string& data) {
    if (!data.empty()) {
        return data;
    }
    const char* environment = std::getenv("WIBZ3D_DATA");
    return environment != nullptr && *environment != '\0' ? environment : WIBZ_BUILD_DATA_DIR;
}
} // namespace

bool startTrack(const std::string& data, int volumePercent) {
    std::string error;
    std::string problems;
    const bool opened = track.open(dataFolder(data) + "/sounds", error, problems);
    std::fputs(problems.c_str(), stderr);
    if (!opened) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    track.setVolume(static_cast<float>(volumePercent) / 100.0f);
    return true;
}

void renderTrackStep(const GameState& g) {
    track.renderStep(g.events, g.camera);
}

bool saveTrack(const std::string& path) {
    std::string error;
    if (!track.save(path, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}
