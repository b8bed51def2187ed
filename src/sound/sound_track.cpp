// sound_track.cpp -- the loopback device. Rendered in floating point, without the output
// limiter, which would hide a mix that clips, without the dither 16-bit output would add,
// and without HRTF, so the track is plain stereo on any set-up.
#include "sound/sound_track.h"

#include "sound/sound_files.h"
#include "sound/sound_mixer.h"

#include <AL/alc.h>
#include <AL/alext.h>
#include <sndfile.h>

struct SoundTrack::Device {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::unique_ptr<SoundBank> bank;
    std::unique_ptr<SoundMixer> mixer;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;

    ~Device() {
        mixer.reset();
        bank.reset();
        alcMakeContextCurrent(nullptr);
        if (context != nullptr) {
            alcDestroyContext(context);
        }
        if (device != nullptr) {
            alcCloseDevice(device);
        }
    }
};

SoundTrack::SoundTrack() = default;
SoundTrack::~SoundTrack() = default;

bool SoundTrack::open(const std::string& folder, std::string& error, std::string& problems) {
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") != ALC_TRUE) {
        error = "OpenAL has no loopback device (ALC_SOFT_loopback)";
        return false;
    }
    auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    device = std::make_unique<Device>();
    device->renderSamples = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(
        alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    device->device = openLoopback(nullptr);
    if (device->device == nullptr) {
        error = "cannot open OpenAL's loopback device";
        return false;
    }
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                 ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,
                                 ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY,
                                 soundSampleRate,
                                 ALC_HRTF_SOFT,
                                 ALC_FALSE,
                                 ALC_OUTPUT_LIMITER_SOFT,
                                 ALC_FALSE,
                                 0};
    device->context = alcCreateContext(device->device, attributes);
    if (device->context == nullptr || alcMakeContextCurrent(device->context) != ALC_TRUE) {
        error = "OpenAL's loopback device does not take float stereo at 44100 Hz";
        return false;
    }
    device->bank = std::make_unique<SoundBank>();
    device->bank->load(folder, problems);
    device->mixer = std::make_unique<SoundMixer>(*device->bank);
    return true;
}

void SoundTrack::setVolume(float gain) {
    device->mixer->setVolume(gain);
}

void SoundTrack::renderStep(const StepEvents& events, const Camera& camera) {
    device->mixer->placeListener(camera);
    device->mixer->playEvents(events);
    const std::size_t start = rendered.size();
    rendered.resize(start + 2 * samplesPerStep);
    device->renderSamples(device->device, &rendered[start], samplesPerStep);
}

bool SoundTrack::save(const std::string& path, std::string& error) const {
    SF_INFO info = {};
    info.samplerate = soundSampleRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        error = path + ": " + sf_strerror(nullptr);
        return false;
    }
    const sf_count_t frames = static_cast<sf_count_t>(rendered.size() / 2);
    // A sample past full scale is written at full scale, not wrapped round.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const bool written = sf_writef_float(file, rendered.data(), frames) == frames;
    if (sf_close(file) != 0 || !written) {
        error = path + ": cannot write it";
        return false;
    }
    return true;
}
