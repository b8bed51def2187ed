// sound_track.h -- a demo's sound rendered without a sound card, through OpenAL Soft's
// loopback device: one step's worth of samples (441 stereo frames) per game step, the same
// samples on every run. What the tests listen to, and wibz3d-demo --sound-track writes.
#pragma once

#include "camera/camera.h"
#include "game/events.h"

#include <memory>
#include <string>
#include <vector>

class SoundTrack {
  public:
    SoundTrack();
    SoundTrack(const SoundTrack&) = delete;
    SoundTrack& operator=(const SoundTrack&) = delete;
    ~SoundTrack();

    // Opens the loopback device and reads the sounds from folder; false with the reason.
    // Problems with single sound files (which then stay silent) go to problems.
    bool open(const std::string& folder, std::string& error, std::string& problems);
    void setVolume(float gain);
    // Starts the step's sounds as heard from the camera, then renders the step.
    void renderStep(const StepEvents& events, const Camera& camera);
    // Interleaved left, right, as mixed: 1 is full scale, and a mix that would clip goes past.
    const std::vector<float>& samples() const { return rendered; }
    // A 16-bit stereo WAV file at soundSampleRate.
    bool save(const std::string& path, std::string& error) const;

  private:
    struct Device;
    std::unique_ptr<Device> device;
    std::vector<float> rendered;
};
