// noise.h -- deterministic randomness for the asset tool: a seeded generator and value
// noise that tiles, so every run paints the same pictures and textures repeat seamlessly.
#pragma once

#include <cstdint>

class Random {
  public:
    explicit Random(std::uint64_t seed) : state(seed) {}
    std::uint32_t next();
    // Uniform in [0, 1).
    float uniform();
    float range(float low, float high) { return low + (high - low) * uniform(); }

  private:
    std::uint64_t state;
};

// Smooth value noise in [0, 1] on a lattice that repeats every periodX cells in x and
// periodY cells in y.
float valueNoise(float x, float y, int periodX, int periodY, std::uint32_t seed);
// Octaves of value noise, each twice as fine and half as strong; result in [0, 1].
float fractalNoise(float x, float y, int periodX, int periodY, int octaves, std::uint32_t seed);
inline float fractalNoise(float x, float y, int period, int octaves, std::uint32_t seed) {
    return fractalNoise(x, y, period, period, octaves, seed);
}
// Smooth 0-to-1 step between edge0 and edge1.
float smoothStep(float edge0, float edge1, float x);
float clamp01(float x);
float mix(float a, float b, float t);
