// sound_latency.cpp -- wibz_sound_latency [TRIALS]: how long a sound started as the game starts
// one (alSourcePlay on the default device) takes to be mixed, and the device's own output
// latency after that, as OpenAL Soft reports it (AL_SOFT_source_latency). Prints the median
// and the largest of each over the trials. Run with ALSOFT_CONF naming a configuration to
// try a backend; see docs/PERFORMANCE.md. CTest's script_sound_latency runs 3 trials on
// OpenAL Soft's wave writer.
#include "platform/clock.h"
#include "platform/frame_pacer.h"
#include "sound/sound_files.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char** argv) {
    const int trials = argc > 1 ? std::atoi(argv[1]) : 50;
    ALCdevice* device = alcOpenDevice(nullptr);
    ALCcontext* context = device != nullptr ? alcCreateContext(device, nullptr) : nullptr;
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        std::fprintf(stderr, "no sound device\n");
        return 1;
    }
    auto sourcei64v =
        reinterpret_cast<LPALGETSOURCEI64VSOFT>(alGetProcAddress("alGetSourcei64vSOFT"));
    // Two seconds of a steady tone: still playing when it is asked about on a busy machine.
    std::vector<short> tone(2 * soundSampleRate, 8000);
    ALuint buffer = 0;
    ALuint source = 0;
    alGenBuffers(1, &buffer);
    alBufferData(buffer, AL_FORMAT_MONO16, tone.data(), static_cast<ALsizei>(tone.size() * 2),
                 soundSampleRate);
    alGenSources(1, &source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    std::vector<double> untilMixed;
    std::vector<double> outputLatency;
    for (int t = 0; t < trials && sourcei64v != nullptr; ++t) {
        const double start = clockMilliseconds();
        alSourcePlay(source);
        ALint64SOFT offsetAndLatency[2] = {0, 0};
        // The offset is 32.32 fixed-point sample frames; the latency nanoseconds.
        while (offsetAndLatency[0] == 0 && clockMilliseconds() - start < 1000.0) {
            sourcei64v(source, AL_SAMPLE_OFFSET_LATENCY_SOFT, offsetAndLatency);
        }
        untilMixed.push_back(clockMilliseconds() - start);
        outputLatency.push_back(static_cast<double>(offsetAndLatency[1]) / 1e6);
        alSourceStop(source);
        sleepMilliseconds(37.0); // off the mixer's beat, so the trials fall at all its phases
    }
    if (untilMixed.empty()) {
        std::fprintf(stderr, "the device has no AL_SOFT_source_latency\n");
        return 1;
    }
    std::printf("device %s, %d trials\n", alcGetString(device, ALC_DEVICE_SPECIFIER), trials);
    std::printf("play to first mixed sample: median %.1f ms, max %.1f ms\n", median(untilMixed),
                *std::max_element(untilMixed.begin(), untilMixed.end()));
    std::printf("output latency reported: median %.1f ms, max %.1f ms\n", median(outputLatency),
                *std::max_element(outputLatency.begin(), outputLatency.end()));
    alDeleteSources(1, &source);
    alDeleteBuffers(1, &buffer);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    return 0;
}
