// sounds.cpp -- the synthesiser: sine and noise voices with pitch glides and decays, one
// recipe per sound. Everything is computed from fixed seeds, so every run writes the same
// bytes.
#include "sounds.h"

#include "noise.h"

#include <sndfile.h>

#include <cmath>
#include <cstdint>

namespace {
constexpr float rate = static_cast<float>(soundSampleRate);
constexpr float twoPi = 6.28318530718f;
// Ramps at both ends keep a clip from starting or stopping with a click.
constexpr float attackSeconds = 0.002f;
constexpr float releaseSeconds = 0.01f;

Clip silence(float seconds) {
    Clip clip;
    clip.samples.assign(static_cast<std::size_t>(seconds * rate), 0.0f);
    return clip;
}

// 0 to 1 over the attack, 1 to 0 over the release before `seconds`: a voice that starts or
// stops in the middle of a clip does so without a click.
float ramps(float t, float seconds) {
    return std::fmin(1.0f, std::fmin(t / attackSeconds, (seconds - t) / releaseSeconds));
}

// A tone gliding exponentially from startHz to endHz over the clip's length from `at`,
// decaying with the time constant `decay`; `harmonic` adds the third harmonic for an edge.
struct Tone {
    float at = 0.0f;
    float seconds = 0.2f;
    float startHz = 440.0f;
    float endHz = 440.0f;
    float decay = 0.1f;
    float level = 1.0f;
    float harmonic = 0.0f;
};

void addTone(Clip& clip, const Tone& tone) {
    const std::size_t first = static_cast<std::size_t>(tone.at * rate);
    const std::size_t length = static_cast<std::size_t>(tone.seconds * rate);
    double phase = 0.0;
    for (std::size_t i = 0; i < length && first + i < clip.samples.size(); ++i) {
        const float t = static_cast<float>(i) / rate;
        const float hz = tone.startHz * std::pow(tone.endHz / tone.startHz, t / tone.seconds);
        phase += static_cast<double>(twoPi * hz / rate);
        const float p = static_cast<float>(phase);
        const float wave = std::sin(p) + tone.harmonic * std::sin(3.0f * p) / 3.0f;
        const float ends = ramps(t, tone.seconds);
        clip.samples[first + i] += tone.level * ends * std::exp(-t / tone.decay) * wave;
    }
}

// Noise through a one-pole low-pass (brightness 0 dull to 1 raw), decaying from `at`.
struct Burst {
    float at = 0.0f;
    float seconds = 0.2f;
    float decay = 0.05f;
    float brightness = 0.5f;
    float level = 1.0f;
    std::uint64_t seed = 1;
};

void addBurst(Clip& clip, const Burst& burst) {
    Random random(burst.seed);
    const std::size_t first = static_cast<std::size_t>(burst.at * rate);
    const std::size_t length = static_cast<std::size_t>(burst.seconds * rate);
    float filtered = 0.0f;
    for (std::size_t i = 0; i < length && first + i < clip.samples.size(); ++i) {
        const float t = static_cast<float>(i) / rate;
        filtered += burst.brightness * (random.range(-1.0f, 1.0f) - filtered);
        const float ends = ramps(t, burst.seconds);
        clip.samples[first + i] += burst.level * ends * std::exp(-t / burst.decay) * filtered;
    }
}

// Scales the clip to its peak level and fades its last samples out.
Clip finished(Clip clip, float peakLevel) {
    float peak = 0.0f;
    for (const float s : clip.samples) {
        peak = std::fmax(peak, std::fabs(s));
    }
    const float scale = peak > 0.0f ? peakLevel / peak : 0.0f;
    const std::size_t n = clip.samples.size();
    const std::size_t fade = static_cast<std::size_t>(releaseSeconds * rate);
    for (std::size_t i = 0; i < n; ++i) {
        const float tail = i + fade > n ? static_cast<float>(n - i) / fade : 1.0f;
        clip.samples[i] *= scale * tail;
    }
    return clip;
}

// The beam: a bright glide upwards, as the beam rises.
Clip shot() {
    Clip clip = silence(0.35f);
    addTone(clip, {0.0f, 0.35f, 330.0f, 1320.0f, 0.12f, 1.0f, 0.6f});
    addBurst(clip, {0.0f, 0.1f, 0.02f, 0.8f, 0.3f, 11});
    return clip;
}

// A stone breaking: a falling thud for its weight and a crack of noise.
Clip split(float thudHz, float brightness, float seconds, std::uint64_t seed) {
    Clip clip = silence(seconds);
    addTone(clip, {0.0f, seconds, thudHz, thudHz * 0.6f, seconds / 4.0f, 1.0f, 0.3f});
    addBurst(clip, {0.0f, seconds, seconds / 6.0f, brightness, 1.2f, seed});
    addBurst(clip, {0.03f, seconds * 0.6f, seconds / 8.0f, brightness * 0.6f, 0.6f, seed + 1});
    return clip;
}

// A small stone gone: a sharp crack, then debris pattering down.
Clip shatter() {
    Clip clip = silence(0.7f);
    addBurst(clip, {0.0f, 0.2f, 0.03f, 0.9f, 1.0f, 31});
    addTone(clip, {0.0f, 0.15f, 520.0f, 300.0f, 0.04f, 0.5f, 0.0f});
    Random when(32);
    for (int piece = 0; piece < 9; ++piece) {
        const float at = 0.08f + 0.5f * when.uniform();
        addBurst(clip, {at, 0.04f, 0.006f, 0.7f, 0.5f * (1.0f - at), 40u + piece});
    }
    return clip;
}

// A reward: a rising major arpeggio of bell tones.
Clip combo() {
    Clip clip = silence(0.8f);
    const float notesHz[] = {523.25f, 659.25f, 783.99f, 1046.5f};
    float at = 0.0f;
    for (const float hz : notesHz) {
        addTone(clip, {at, 0.8f - at, hz, hz, 0.18f, 1.0f, 0.0f});
        addTone(clip, {at, 0.8f - at, 2.0f * hz, 2.0f * hz, 0.08f, 0.3f, 0.0f});
        at += 0.09f;
    }
    return clip;
}

// Something coming in from above: a falling whistle over a soft rush.
Clip arrive() {
    Clip clip = silence(0.9f);
    addTone(clip, {0.0f, 0.9f, 1400.0f, 420.0f, 0.5f, 1.0f, 0.0f});
    addBurst(clip, {0.0f, 0.9f, 0.4f, 0.05f, 1.5f, 51});
    return clip;
}

Clip floorBounce() {
    Clip clip = silence(0.3f);
    addTone(clip, {0.0f, 0.3f, 95.0f, 55.0f, 0.07f, 1.0f, 0.2f});
    addBurst(clip, {0.0f, 0.05f, 0.01f, 0.3f, 0.6f, 61});
    return clip;
}

Clip wallBounce() {
    Clip clip = silence(0.2f);
    addTone(clip, {0.0f, 0.2f, 310.0f, 280.0f, 0.035f, 1.0f, 0.0f});
    addTone(clip, {0.0f, 0.2f, 540.0f, 520.0f, 0.02f, 0.5f, 0.0f});
    addBurst(clip, {0.0f, 0.03f, 0.005f, 0.6f, 0.5f, 71});
    return clip;
}

// The craft struck: a crash and a long falling tone, the life going.
Clip struck() {
    Clip clip = silence(1.1f);
    addBurst(clip, {0.0f, 0.6f, 0.15f, 0.5f, 1.0f, 81});
    addTone(clip, {0.0f, 1.1f, 440.0f, 90.0f, 0.4f, 0.8f, 1.0f});
    return clip;
}

// Play again: two short rising beeps.
Clip getReady() {
    Clip clip = silence(0.4f);
    addTone(clip, {0.0f, 0.12f, 880.0f, 880.0f, 0.06f, 1.0f, 0.3f});
    addTone(clip, {0.16f, 0.24f, 1318.5f, 1318.5f, 0.08f, 1.0f, 0.3f});
    return clip;
}

// Three falling notes, the last held.
Clip gameOver() {
    Clip clip = silence(1.8f);
    addTone(clip, {0.0f, 0.35f, 392.0f, 392.0f, 0.2f, 1.0f, 0.8f});
    addTone(clip, {0.35f, 0.35f, 329.6f, 329.6f, 0.2f, 1.0f, 0.8f});
    addTone(clip, {0.7f, 1.1f, 261.6f, 250.0f, 0.45f, 1.0f, 0.8f});
    return clip;
}
} // namespace

float soundPeakLevel(SoundId id) {
    switch (id) {
    case SoundId::SPLIT_LARGE:
        return 0.33f;
    case SoundId::SPLIT_MEDIUM:
    case SoundId::SHATTER:
    case SoundId::STRUCK:
        return 0.3f;
    case SoundId::SHOT:
    case SoundId::COMBO:
    case SoundId::GAME_OVER:
        return 0.24f;
    case SoundId::ARRIVE:
    case SoundId::GET_READY:
    case SoundId::FLOOR_BOUNCE:
        return 0.18f;
    case SoundId::WALL_BOUNCE:
        return 0.15f;
    }
    return 0.15f;
}

Clip synthesiseSound(SoundId id) {
    Clip clip;
    switch (id) {
    case SoundId::SHOT:
        clip = shot();
        break;
    case SoundId::SPLIT_LARGE:
        clip = split(70.0f, 0.25f, 0.7f, 21);
        break;
    case SoundId::SPLIT_MEDIUM:
        clip = split(115.0f, 0.45f, 0.5f, 25);
        break;
    case SoundId::SHATTER:
        clip = shatter();
        break;
    case SoundId::COMBO:
        clip = combo();
        break;
    case SoundId::ARRIVE:
        clip = arrive();
        break;
    case SoundId::FLOOR_BOUNCE:
        clip = floorBounce();
        break;
    case SoundId::WALL_BOUNCE:
        clip = wallBounce();
        break;
    case SoundId::STRUCK:
        clip = struck();
        break;
    case SoundId::GET_READY:
        clip = getReady();
        break;
    case SoundId::GAME_OVER:
        clip = gameOver();
        break;
    }
    return finished(std::move(clip), soundPeakLevel(id));
}

bool saveClip(const Clip& clip, const std::string& path, SoundFileFormat format) {
    SF_INFO info = {};
    info.samplerate = soundSampleRate;
    info.channels = 1;
    info.format = format == SoundFileFormat::OGG_VORBIS ? SF_FORMAT_OGG | SF_FORMAT_VORBIS
                                                        : SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    if (format == SoundFileFormat::OGG_VORBIS) {
        // Short effects at a size a page loads at once; 0 is the smallest, 1 the best.
        double quality = vorbisQuality;
        sf_command(file, SFC_SET_VBR_ENCODING_QUALITY, &quality, sizeof quality);
    }
    const sf_count_t frames = static_cast<sf_count_t>(clip.samples.size());
    const bool written = sf_writef_float(file, clip.samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}
