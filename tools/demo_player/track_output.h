// track_output.h -- the demo's sound track for wibz3d-demo --sound-track: rendered step by
// step with the game's sounds, or refused by a build without sound.
#pragma once

#include "game/game_state.h"

#include <string>

// data: the folder holding sounds/ (empty: $WIBZ3D_DATA, else this build's data). False
// after a line on standard error.
bool startTrack(const std::string& data, int volumePercent);
// After each step: its sounds heard from the camera, and one step's samples.
void renderTrackStep(const GameState& g);
bool saveTrack(const std::string& path);
