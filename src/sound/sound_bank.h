// sound_bank.h -- the game's sounds read from sounds/ into OpenAL buffers. On the desktop any
// file libsndfile reads will do (WAV, FLAC, Ogg Vorbis); a modder's sounds/NAME.ogg or .flac
// is taken before the shipped sounds/NAME.wav. The browser's build reads Ogg Vorbis, through
// stb_vorbis. Needs a current OpenAL context.
#pragma once

#include "sound/sound_files.h"

#include <AL/al.h>

#include <string>
#include <vector>

// A file read for OpenAL: one channel (OpenAL places only mono sounds in the world), 16 bits.
struct SoundSamples {
    std::vector<short> mono;
    int sampleRate = 0;
};

// Reads a sound file (sound_file_sndfile.cpp, sound_file_vorbis.cpp), mixing its channels
// down to one; false with the reason.
bool readSoundFile(const std::string& path, SoundSamples& samples, std::string& error);

class SoundBank {
  public:
    SoundBank() = default;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;
    ~SoundBank();

    // Reads every sound from folder; a sound that cannot be read stays silent and adds a
    // line to problems.
    void load(const std::string& folder, std::string& problems);
    // 0 (no buffer) for a sound that could not be read.
    ALuint buffer(SoundId id) const { return buffers[static_cast<int>(id)]; }

  private:
    ALuint buffers[SOUND_COUNT] = {};
};
