// sound_cues.h -- what each of the step's events sounds like: which sound, how loud, at
// what pitch and where. Plain rules without OpenAL, so they are tested headless.
#pragma once

#include "game/events.h"
#include "sound/sound_files.h"

struct SoundCue {
    SoundId id = SoundId::SHOT;
    float gain = 1.0f;
    float pitch = 1.0f;
    // Heard in the player's head (the combination, get-ready, game over), not at a place.
    bool atListener = false;
    Vector3 where{0.0f, 0.0f, 0.0f}; // world axes, y up
};

// The cue of an event; false for an event that makes no sound of its own (the split and
// the debris are heard in the hit's sound, a lock is silent).
bool soundCueFor(const GameEvent& event, SoundCue& cue);

bool isBounce(SoundId id);

// How many bounces may sound at once: a busy arena stays a rattle, not a roar.
constexpr int maxBouncesAtOnce = 3;
