// sound_file_vorbis.cpp -- reading the browser's sound files: Ogg Vorbis, decoded by
// stb_vorbis (libsndfile is not there). The build makes the page's sounds in this format.
#include "sound/sound_bank.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

#include <cstdlib>

namespace {
bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}
} // namespace

bool readSoundFile(const std::string& path, SoundSamples& samples, std::string& error) {
    if (!endsWith(path, ".ogg")) {
        error = path + ": the browser reads Ogg Vorbis (.ogg) sounds only";
        return false;
    }
    int channels = 0;
    int rate = 0;
    short* interleaved = nullptr;
    const int frames = stb_vorbis_decode_filename(path.c_str(), &channels, &rate, &interleaved);
    if (frames <= 0 || channels <= 0) {
        std::free(interleaved);
        error = path + (frames < 0 ? ": not an Ogg Vorbis file" : ": no sound in it");
        return false;
    }
    samples.sampleRate = rate;
    samples.mono.resize(static_cast<std::size_t>(frames));
    const std::size_t width = static_cast<std::size_t>(channels);
    for (std::size_t f = 0; f < samples.mono.size(); ++f) {
        int sum = 0;
        for (std::size_t c = 0; c < width; ++c) {
            sum += interleaved[f * width + c];
        }
        samples.mono[f] = static_cast<short>(sum / channels);
    }
    std::free(interleaved);
    return true;
}
