// sounds.h -- the game's sounds, synthesised: each a mono clip at the game's sample rate,
// scaled to its own peak level, saved as 16-bit WAV through libsndfile (or as Ogg Vorbis, a
// tenth of the size, for the browser's build).
#pragma once

#include "sound/sound_files.h"

#include <string>
#include <vector>

struct Clip {
    std::vector<float> samples; // mono, soundSampleRate a second, within [-1, 1]
};

Clip synthesiseSound(SoundId id);

// The peak each sound is scaled to: together they leave room for every sound of one step
// at once (see docs/PERFORMANCE.md, "Sound").
float soundPeakLevel(SoundId id);

enum class SoundFileFormat { WAV, OGG_VORBIS };
constexpr double vorbisQuality = 0.5;

bool saveClip(const Clip& clip, const std::string& path,
              SoundFileFormat format = SoundFileFormat::WAV);
