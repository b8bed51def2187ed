// noise.cpp -- SplitMix64 for the generator, an integer hash for the noise lattice.
#include "noise.h"

#include <cmath>

std::uint32_t Random::next() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

float Random::uniform() {
    return static_cast<float>(next() >> 8) / 16777216.0f;
}

namespace {
float latticeValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^
                      static_cast<std::uint32_t>(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFFu) / 16777215.0f;
}

int wrap(int i, int period) {
    const int r = i % period;
    return r < 0 ? r + period : r;
}
} // namespace

float smoothStep(float edge0, float edge1, float x) {
    const float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float clamp01(float x) {
    return x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x);
}

float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

float valueNoise(float x, float y, int periodX, int periodY, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int x0 = static_cast<int>(fx);
    const int y0 = static_cast<int>(fy);
    const float tx = smoothStep(0.0f, 1.0f, x - fx);
    const float ty = smoothStep(0.0f, 1.0f, y - fy);
    const int xa = wrap(x0, periodX);
    const int xb = wrap(x0 + 1, periodX);
    const int ya = wrap(y0, periodY);
    const int yb = wrap(y0 + 1, periodY);
    const float v00 = latticeValue(xa, ya, seed);
    const float v10 = latticeValue(xb, ya, seed);
    const float v01 = latticeValue(xa, yb, seed);
    const float v11 = latticeValue(xb, yb, seed);
    return mix(mix(v00, v10, tx), mix(v01, v11, tx), ty);
}

float fractalNoise(float x, float y, int periodX, int periodY, int octaves, std::uint32_t seed) {
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum +=
            weight * valueNoise(x, y, periodX, periodY, seed + static_cast<std::uint32_t>(octave));
        total += weight;
        x *= 2.0f;
        y *= 2.0f;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5f;
    }
    return sum / total;
}
