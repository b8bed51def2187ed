// sound_mixer.h -- the step's events made audible: a pool of OpenAL sources, the listener
// at the camera, each sound at the place of its event. Works on whatever device is current:
// the player's sound card or the loopback device that renders a sound track.
#pragma once

#include "camera/camera.h"
#include "game/events.h"
#include "sound/sound_bank.h"
#include "sound/sound_cues.h"

// Voices at once: a busy step (a split, its debris, a combination, bounces) with room to
// spare for the sounds of the steps before.
constexpr int soundVoices = 24;

class SoundMixer {
  public:
    explicit SoundMixer(const SoundBank& bank);
    SoundMixer(const SoundMixer&) = delete;
    SoundMixer& operator=(const SoundMixer&) = delete;
    ~SoundMixer();

    // The ears where the camera is, looking where it looks.
    void placeListener(const Camera& camera);
    // 0 silent to 1 as the sounds were made.
    void setVolume(float gain);
    // Starts every sound of one step's events, in their order.
    void playEvents(const StepEvents& events);
    void play(const SoundCue& cue);

  private:
    int freeVoice() const;
    int bouncesSounding() const;

    const SoundBank& bank;
    ALuint sources[soundVoices] = {};
    bool bounceVoice[soundVoices] = {};
};
