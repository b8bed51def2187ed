// sound_file_sndfile.cpp -- reading any sound file libsndfile knows (WAV, FLAC, Ogg Vorbis...)
// on the desktop.
#include "sound/sound_bank.h"

#include <sndfile.h>

#include <cmath>

namespace {
short toShort(float value) {
    const float clamped = std::fmin(1.0f, std::fmax(-1.0f, value));
    return static_cast<short>(std::lrint(clamped * 32767.0f));
}
} // namespace

bool readSoundFile(const std::string& path, SoundSamples& samples, std::string& error) {
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        error = path + ": " + sf_strerror(nullptr);
        return false;
    }
    // libsndfile hands every format over as floats in [-1, 1].
    std::vector<float> frames(static_cast<std::size_t>(info.frames) *
                              static_cast<std::size_t>(info.channels));
    const sf_count_t read = sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    if (read <= 0) {
        error = path + ": no sound in it";
        return false;
    }
    samples.sampleRate = info.samplerate;
    samples.mono.resize(static_cast<std::size_t>(read));
    const std::size_t channels = static_cast<std::size_t>(info.channels);
    for (std::size_t f = 0; f < samples.mono.size(); ++f) {
        float sum = 0.0f;
        for (std::size_t c = 0; c < channels; ++c) {
            sum += frames[f * channels + c];
        }
        samples.mono[f] = toShort(sum / static_cast<float>(channels));
    }
    return true;
}
