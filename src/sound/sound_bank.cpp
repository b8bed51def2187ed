// sound_bank.cpp -- the sound files found under sounds/ and handed to OpenAL.
#include "sound/sound_bank.h"

#include <sys/stat.h>

namespace {
bool fileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
} // namespace

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
