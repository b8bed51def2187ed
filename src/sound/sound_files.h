// sound_files.h -- the one list of the game's sounds: the names the game looks for under
// sounds/ and the asset tool writes. Plain constants, no OpenAL, so the asset tool and the
// tests use the same table as the game.
#pragma once

#include <cstddef>
#include <iterator>

enum class SoundId : unsigned char {
    SHOT,         // the beam fired
    SPLIT_LARGE,  // a large stone hit, breaking in two
    SPLIT_MEDIUM, // a medium stone hit, breaking in two
    SHATTER,      // a small stone hit, gone in a shower of debris
    COMBO,        // a run of hits paid
    ARRIVE,       // a new stone dropping into the arena
    FLOOR_BOUNCE, // a stone landing on the floor
    WALL_BOUNCE,  // a stone off a wall
    STRUCK,       // the craft struck: a life lost
    GET_READY,    // the pause over, play resumes
    GAME_OVER,    // the last life lost
};
constexpr int SOUND_COUNT = 11;

// The file's name without its folder and ending: sounds/NAME.wav is made by the asset tool;
// a modder's sounds/NAME.ogg or sounds/NAME.flac is taken before it.
inline constexpr const char* soundNames[] = {
    "shot",         "split-large", "split-medium", "shatter",   "combo",     "arrive",
    "bounce-floor", "bounce-wall", "struck",       "get-ready", "game-over",
};
static_assert(std::size(soundNames) == SOUND_COUNT, "every sound needs its name");

// Tried in this order, so a file dropped in beside the shipped WAV wins.
inline constexpr const char* soundFileEndings[] = {".ogg", ".flac", ".wav"};

// The rate the asset tool writes and the sound track is rendered at: one game step of
// 0.01 s is exactly 441 sample frames.
constexpr int soundSampleRate = 44100;
constexpr int samplesPerStep = soundSampleRate / 100;

inline const char* soundName(SoundId id) {
    return soundNames[static_cast<int>(id)];
}
