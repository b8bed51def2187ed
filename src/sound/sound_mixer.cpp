// sound_mixer.cpp -- sources, the listener and the distance rule. A sound with no free voice
// or over the bounce limit is left out rather than cutting one already playing.
#include "sound/sound_mixer.h"

namespace {
// Distance in world units: full loudness within a stone's fall of the camera, then slowly
// softer, so the far corner of the arena (some 25 units away) still sounds at a third.
constexpr float fullGainDistance = 6.0f;
constexpr float rolloff = 0.6f;
constexpr float softestDistance = 60.0f;

bool isPlaying(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}
} // namespace

SoundMixer::SoundMixer(const SoundBank& soundBank) : bank(soundBank) {
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alGenSources(soundVoices, sources);
    for (const ALuint source : sources) {
        alSourcef(source, AL_REFERENCE_DISTANCE, fullGainDistance);
        alSourcef(source, AL_ROLLOFF_FACTOR, rolloff);
        alSourcef(source, AL_MAX_DISTANCE, softestDistance);
    }
}

SoundMixer::~SoundMixer() {
    // One at a time: emscripten's alSourceStopv (3.1.6) hands its stopper the sources' names
    // where it wants the sources, and throws.
    for (const ALuint source : sources) {
        alSourceStop(source);
    }
    alDeleteSources(soundVoices, sources);
}

void SoundMixer::placeListener(const Camera& camera) {
    const Vector3 eye = camera.getEye();
    const Vector3 view = camera.getView();
    const Vector3 up = camera.getUp();
    const ALfloat orientation[] = {view.x - eye.x, view.y - eye.y, view.z - eye.z,
                                   up.x,           up.y,           up.z};
    alListener3f(AL_POSITION, eye.x, eye.y, eye.z);
    alListenerfv(AL_ORIENTATION, orientation);
}

void SoundMixer::setVolume(float gain) {
    alListenerf(AL_GAIN, gain);
}

void SoundMixer::playEvents(const StepEvents& events) {
    SoundCue cue;
    for (const GameEvent& event : events) {
        if (soundCueFor(event, cue)) {
            play(cue);
        }
    }
}

int SoundMixer::freeVoice() const {
    for (int v = 0; v < soundVoices; ++v) {
        if (!isPlaying(sources[v])) {
            return v;
        }
    }
    return -1;
}

int SoundMixer::bouncesSounding() const {
    int count = 0;
    for (int v = 0; v < soundVoices; ++v) {
        count += bounceVoice[v] && isPlaying(sources[v]) ? 1 : 0;
    }
    return count;
}

void SoundMixer::play(const SoundCue& cue) {
    const ALuint buffer = bank.buffer(cue.id);
    if (buffer == 0) {
        return;
    }
    const bool bounce = isBounce(cue.id);
    if (bounce && bouncesSounding() >= maxBouncesAtOnce) {
        return;
    }
    const int v = freeVoice();
    if (v < 0) {
        return;
    }
    const ALuint source = sources[v];
    bounceVoice[v] = bounce;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
    alSourcef(source, AL_GAIN, cue.gain);
    alSourcef(source, AL_PITCH, cue.pitch);
    alSourcei(source, AL_SOURCE_RELATIVE, cue.atListener ? AL_TRUE : AL_FALSE);
    if (cue.atListener) {
        alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    } else {
        alSource3f(source, AL_POSITION, cue.where.x, cue.where.y, cue.where.z);
    }
    alSourcePlay(source);
}
