// live_sound.cpp -- the device opened in the background, the sounds waiting for their frame, mute
// and the device's loss. The sound libraries' own messages are kept off the console
// (sound_device.h): the game's one line says what went wrong.
#include "sound/live_sound.h"

#include "platform/background_start.h"
#include "platform/process_exit.h"
#include "sound/sound_device.h"
#include "sound/sound_mixer.h"

#include <AL/alc.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {
// Room for the sounds of the most steps one drawn frame runs, without allocating in play.
constexpr std::size_t cuesReserved = 10 * 64;

// What the opener found: the device with its sounds, or why there is none. Built on the
// opener's thread and handed over whole.
struct OpenedDevice {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    std::unique_ptr<SoundBank> bank;
    std::unique_ptr<SoundMixer> mixer;
    std::string failure;  // why there is no device; empty when it opened
    std::string problems; // sound files that could not be read
};

struct LiveSound {
    BackgroundStart<OpenedDevice> opener;
    std::optional<OpenedDevice> opened; // the main thread's once handed over
    bool playing = false;               // a device to play on, not lost
    std::vector<SoundCue> waiting;
    float volume = 1.0f;
    bool muted = false;
};
LiveSound live;

// Why the default device could not be opened, in the words of the libraries' first
// complaint when there was one.
std::string noDeviceLine(const std::string& firstComplaint) {
    std::string line = "wibz3d: no sound: no sound device could be opened";
    if (!firstComplaint.empty()) {
        line += " (" + firstComplaint + ")";
    }
    return line + "; playing silent";
}

// On the opener's thread: touches nothing but what it hands over and the libraries'
// complaint.
OpenedDevice openDevice() {
    OpenedDevice opened;
    opened.device = alcOpenDevice(nullptr);
    if (opened.device == nullptr) {
        opened.failure = noDeviceLine(firstSoundComplaint());
        return opened;
    }
    opened.context = alcCreateContext(opened.device, nullptr);
    if (opened.context == nullptr || alcMakeContextCurrent(opened.context) != ALC_TRUE) {
        opened.failure = "wibz3d: no sound: the sound device refused a context; playing silent";
        return opened;
    }
    opened.bank = std::make_unique<SoundBank>();
    opened.bank->load("sounds", opened.problems);
    opened.mixer = std::make_unique<SoundMixer>(*opened.bank);
    return opened;
}

// A device unplugged or a sound server gone while playing: say so once and go on silent.
bool deviceStillThere() {
    return soundDeviceConnected(live.opened->device);
}

void applyVolume() {
    live.opened->mixer->setVolume(live.muted ? 0.0f : live.volume);
}

// Once the opener is done: report a failure, and any sound file that could not be read;
// the volume is set here, as the mute key may have been pressed while the device opened.
void takeOverDevice() {
    std::optional<OpenedDevice> opened = live.opener.take();
    if (!opened) {
        return;
    }
    live.opened = std::move(opened);
    if (!live.opened->failure.empty()) {
        std::fprintf(stderr, "%s\n", live.opened->failure.c_str());
    } else {
        live.playing = true;
        applyVolume();
    }
    if (!live.opened->problems.empty()) {
        std::fputs(live.opened->problems.c_str(), stderr);
    }
}
// At exit: a device opened is closed, so a file it writes is finished; one still opening is
// left to itself.
void closeLiveSound() {
    takeOverDevice();
    if (!live.opened) {
        return;
    }
    live.opened->mixer.reset();
    live.opened->bank.reset();
    alcMakeContextCurrent(nullptr);
    if (live.opened->context != nullptr) {
        alcDestroyContext(live.opened->context);
    }
    if (live.opened->device != nullptr) {
        alcCloseDevice(live.opened->device);
    }
    live.opened.reset();
    live.playing = false;
}
} // namespace

void startLiveSound(int volumePercent) {
    live.volume = static_cast<float>(volumePercent) / 100.0f;
    quietSoundLibraries();
    live.waiting.reserve(cuesReserved);
    live.opener.begin(openDevice);
    atLeaving(closeLiveSound);
}

void queueStepSounds(const StepEvents& events) {
    if (!live.playing) {
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
    takeOverDevice();
    if (!live.playing) {
        return;
    }
    if (!deviceStillThere()) {
        std::fprintf(stderr, "wibz3d: no sound: the sound device was lost; playing on silent\n");
        live.waiting.clear();
        live.playing = false;
        return;
    }
    live.opened->mixer->placeListener(camera);
    for (const SoundCue& cue : live.waiting) {
        live.opened->mixer->play(cue);
    }
    live.waiting.clear();
}

void toggleSoundMute() {
    live.muted = !live.muted;
    // While the device opens, the opener's thread owns the mixer; the take-over applies it.
    if (live.playing) {
        applyVolume();
    }
}

bool liveSoundWaitsForPlayer() {
    return live.playing && soundDeviceWaitsForPlayer();
}
