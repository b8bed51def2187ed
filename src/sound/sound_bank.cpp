// sound_bank.cpp -- reading sound files with libsndfile and handing them to OpenAL.
#include "sound/sound_bank.h"

#include <sndfile.h>

#include <cmath>
#include <sys/stat.h>

namespace {
bool fileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

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

SoundBank::~SoundBank() {
    for (ALuint& buffer : buffers) {
        if (buffer != 0) {
            alDeleteBuffers(1, &buffer);
        }
    }
}

void SoundBank::load(const std::string& folder, std::string& problems) {
    for (int s = 0; s < SOUND_COUNT; ++s) {
        const std::string base = folder + "/" + soundNames[s];
        bool found = false;
        for (const char* ending : soundFileEndings) {
            const std::string path = base + ending;
            if (!fileExists(path)) {
                continue;
            }
            found = true;
            SoundSamples samples;
            std::string error;
            if (!readSoundFile(path, samples, error)) {
                problems += error + "\n";
                continue; // the next ending may still be readable
            }
            alGenBuffers(1, &buffers[s]);
            alBufferData(buffers[s], AL_FORMAT_MONO16, samples.mono.data(),
                         static_cast<ALsizei>(samples.mono.size() * sizeof(short)),
                         samples.sampleRate);
            break;
        }
        if (!found) {
            problems += base + ": no .ogg, .flac or .wav file\n";
        }
    }
}
