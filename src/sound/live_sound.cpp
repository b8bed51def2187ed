// live_sound.cpp -- the device's thread, the sounds waiting for their frame, mute and the
// device's loss. OpenAL Soft's log and ALSA's error lines are kept off the console: the
// game's one line says what went wrong.
#include "sound/live_sound.h"

#include "sound/sound_mixer.h"

#include <AL/alc.h>
#include <AL/alext.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {
enum class DeviceState { CLOSED, OPENING, READY, FAILED, REPORTED };

// Room for the sounds of the most steps one drawn frame runs, without allocating in play.
constexpr std::size_t cuesReserved = 10 * 64;

struct LiveSound {
    std::atomic<DeviceState> state{DeviceState::CLOSED};
    std::thread opener;
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::unique_ptr<SoundBank> bank;
    std::unique_ptr<SoundMixer> mixer;
    std::string failure;  // written by the opener before FAILED
    std::string problems; // sound files that could not be read
    std::vector<SoundCue> waiting;
    float volume = 1.0f;
    bool muted = false;
};
LiveSound live;

// ALSA's first complaint while the device opens, for the one line that says why.
std::mutex alsaMutex;
std::string alsaComplaint;

void noteAlsaError(const char*, int, const char*, int, const char* format, ...) {
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    std::lock_guard<std::mutex> lock(alsaMutex);
    if (alsaComplaint.empty()) {
        alsaComplaint = text;
    }
}

// Why the default device could not be opened, in the words of the libraries' first
// complaint when there was one.
std::string noDeviceLine(const std::string& firstComplaint) {
    std::string line = "wibz3d: no sound: no sound device could be opened";
    if (!firstComplaint.empty()) {
        line += " (" + firstComplaint + ")";
    }
    return line + "; playing silent";
}

void openDevice() {
    live.device = alcOpenDevice(nullptr);
    if (live.device == nullptr) {
        std::lock_guard<std::mutex> lock(alsaMutex);
        live.failure = noDeviceLine(alsaComplaint);
        live.state.store(DeviceState::FAILED, std::memory_order_release);
        return;
    }
    live.context = alcCreateContext(live.device, nullptr);
    if (live.context == nullptr || alcMakeContextCurrent(live.context) != ALC_TRUE) {
        live.failure = "wibz3d: no sound: the sound device refused a context; playing silent";
        live.state.store(DeviceState::FAILED, std::memory_order_release);
        return;
    }
    live.bank = std::make_unique<SoundBank>();
    live.bank->load("sounds", live.problems);
    live.mixer = std::make_unique<SoundMixer>(*live.bank);
    live.state.store(DeviceState::READY, std::memory_order_release);
}

void closeLiveSound() {
    if (live.opener.joinable()) {
        live.opener.join();
    }
    live.mixer.reset();
    live.bank.reset();
    alcMakeContextCurrent(nullptr);
    if (live.context != nullptr) {
        alcDestroyContext(live.context);
    }
    if (live.device != nullptr) {
        alcCloseDevice(live.device);
    }
    live.state.store(DeviceState::CLOSED);
}

// A device unplugged or a sound server gone while playing: say so once and go on silent.
bool deviceStillThere() {
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(live.device, ALC_CONNECTED, 1, &connected);
    return connected == ALC_TRUE;
}

void applyVolume() {
    live.mixer->setVolume(live.muted ? 0.0f : live.volume);
}

// Once the opener is done: report a failure, and any sound file that could not be read;
// the volume is set here, as the mute key may have been pressed while the device opened.
void finishOpening(DeviceState state) {
    if (live.opener.joinable()) {
        live.opener.join();
    }
    if (state == DeviceState::READY) {
        applyVolume();
    }
    if (state == DeviceState::FAILED) {
        std::fprintf(stderr, "%s\n", live.failure.c_str());
        live.state.store(DeviceState::REPORTED);
    }
    if (!live.problems.empty()) {
        std::fputs(live.problems.c_str(), stderr);
        live.problems.clear();
    }
}
} // namespace

void startLiveSound(int volumePercent) {
    live.volume = static_cast<float>(volumePercent) / 100.0f;
    // The user's own setting wins: ALSOFT_LOGLEVEL=3 still shows OpenAL's whole log.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
    snd_lib_error_set_handler(noteAlsaError);
    live.waiting.reserve(cuesReserved);
    live.state.store(DeviceState::OPENING);
    live.opener = std::thread(openDevice);
    std::atexit(closeLiveSound);
}

void queueStepSounds(const StepEvents& events) {
    if (live.state.load(std::memory_order_acquire) != DeviceState::READY) {
        return;
    }
    SoundCue cue;
    for (const GameEvent& event : events) {
        if (soundCueFor(event, cue) && live.waiting.size() < live.waiting.capacity()) {
            live.waiting.push_back(cue);
        }
    }
}

void playQueuedSounds(const Camera& camera) {
    const DeviceState state = live.state.load(std::memory_order_acquire);
    if (state == DeviceState::FAILED || (state == DeviceState::READY && live.opener.joinable())) {
        finishOpening(state);
    }
    if (state != DeviceState::READY) {
        return;
    }
    if (!deviceStillThere()) {
        std::fprintf(stderr, "wibz3d: no sound: the sound device was lost; playing on silent\n");
        live.waiting.clear();
        live.state.store(DeviceState::REPORTED);
        return;
    }
    live.mixer->placeListener(camera);
    for (const SoundCue& cue : live.waiting) {
        live.mixer->play(cue);
    }
    live.waiting.clear();
}

void toggleSoundMute() {
    live.muted = !live.muted;
    // While the device opens, the opener's own thread owns the mixer; finishOpening applies it.
    if (live.state.load(std::memory_order_acquire) == DeviceState::READY &&
        !live.opener.joinable()) {
        applyVolume();
    }
}
