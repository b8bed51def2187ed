// surfaces.cpp -- the textures on the floor slab and the craft's hull, and the sky
// picture; the ground's picture is ground_map.cpp. The scene's lights are dim, so the
// surfaces are painted bright.
#include "pictures.h"

#include "noise.h"

#include <cmath>

namespace {
constexpr int surfaceSize = 256;
constexpr float pi = 3.14159265f;

Rgba shade(Rgba colour, float factor) {
    return Rgba{clamp01(colour.r * factor), clamp01(colour.g * factor), clamp01(colour.b * factor),
                1.0f};
}

Rgba mixColour(Rgba a, Rgba b, float t) {
    return Rgba{mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), mix(a.a, b.a, t)};
}

// Thin dark lines where the noise crosses its middle: cracks and veins.
float crackAt(float u, float v, int period, std::uint32_t seed, float width) {
    const float n = fractalNoise(u, v, period, 4, seed);
    return 1.0f - smoothStep(0.0f, width, std::fabs(n - 0.5f));
}

// How far inside the square [0, 1]^2 a point is, 0 on its border.
float insetOf(float u, float v) {
    return std::fmin(std::fmin(u, 1.0f - u), std::fmin(v, 1.0f - v));
}
} // namespace

// One whole slab per floor tile: grey-blue stone, a bevelled border lit from the top left,
// a carved groove near the edge and a few fine cracks.
Image paintStones() {
    Image image(surfaceSize, surfaceSize);
    const Rgba stone{0.62f, 0.64f, 0.7f, 1.0f};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / surfaceSize;
            const float v = (static_cast<float>(y) + 0.5f) / surfaceSize;
            float light = 0.8f + 0.3f * fractalNoise(u * 8.0f, v * 8.0f, 8, 5, 41u);
            light -= 0.15f * crackAt(u * 3.0f, v * 3.0f, 3, 43u, 0.008f);
            const float inset = insetOf(u, v);
            if (inset < 0.05f) { // bevel: top and left edges catch the light
                light *= (u < v) == (u < 1.0f - v) ? 1.25f : 0.7f;
            }
            const float groove = std::fabs(inset - 0.14f);
            light *= 1.0f - 0.35f * (1.0f - smoothStep(0.006f, 0.014f, groove));
            image.at(x, y) = shade(stone, light);
        }
    }
    return image;
}

// The craft seen from above (it is mapped straight down): glass dome, hull panels with
// radial seams, and a dark rim with running lights that show its spin.
Image paintShipSkin() {
    Image image(surfaceSize, surfaceSize);
    const Rgba hull{0.78f, 0.8f, 0.86f, 1.0f};
    const Rgba rimColour{0.3f, 0.32f, 0.4f, 1.0f};
    const Rgba glass{0.25f, 0.75f, 1.0f, 1.0f};
    const Rgba lights[2] = {{1.0f, 0.25f, 0.15f, 1.0f}, {1.0f, 0.85f, 0.2f, 1.0f}};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float r = std::hypot(image.centredX(x), image.centredY(y));
            const float a = std::atan2(image.centredY(y), image.centredX(x)) + pi;
            Rgba colour = shade(hull, 0.9f + 0.15f * fractalNoise(a * 4.0f, r * 8.0f, 25, 3, 61u));
            const float seam = std::fabs(std::fmod(a, pi / 6.0f) - pi / 12.0f);
            if (r > 0.34f && r < 0.84f && seam > pi / 12.0f - 0.012f / r) {
                colour = shade(colour, 0.55f);
            }
            if (std::fabs(r - 0.6f) < 0.01f || std::fabs(r - 0.34f) < 0.012f) {
                colour = shade(colour, 0.5f);
            }
            if (r >= 0.84f) {
                colour = rimColour;
                const int lamp = static_cast<int>(a / (pi / 8.0f));
                const float lampAngle = (static_cast<float>(lamp) + 0.5f) * pi / 8.0f;
                const float lampDistance = std::hypot(r - 0.92f, (a - lampAngle) * 0.92f);
                colour = mixColour(colour, lights[lamp % 2],
                                   1.0f - smoothStep(0.025f, 0.045f, lampDistance));
            }
            if (r < 0.32f) { // dome, a highlight towards the top left
                const float highlight = 1.0f - smoothStep(0.0f, 0.14f,
                                                          std::hypot(image.centredX(x) + 0.1f,
                                                                     image.centredY(y) + 0.1f));
                colour = mixColour(shade(glass, 0.6f + 0.6f * (0.32f - r)), Rgba{1, 1, 1, 1},
                                   highlight * 0.8f);
            }
            image.at(x, y) = colour;
        }
    }
    return image;
}

// Night sky: deep blue fading to black at the top, a violet and teal nebula, and stars.
Image paintBackground() {
    Image image(2 * surfaceSize, surfaceSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float u = static_cast<float>(x) / image.width();
            const float v = static_cast<float>(y) / image.height();
            const float cloud = fractalNoise(u * 6.0f, v * 3.0f, 6, 3, 5, 71u);
            const float band =
                1.0f -
                smoothStep(0.0f, 0.35f, std::fabs(v - 0.55f - 0.15f * std::sin(u * 2.0f * pi)));
            const float nebula = smoothStep(0.45f, 0.8f, cloud) * band;
            Rgba colour{0.01f, 0.02f, 0.06f + 0.1f * v, 1.0f};
            colour = mixColour(colour, Rgba{0.45f, 0.2f, 0.6f, 1.0f}, nebula * 0.7f);
            colour = mixColour(colour, Rgba{0.1f, 0.55f, 0.6f, 1.0f},
                               nebula * smoothStep(0.6f, 0.9f, cloud) * 0.6f);
            image.at(x, y) = colour;
        }
    }
    Random random(73u);
    constexpr int starCount = 700;
    for (int i = 0; i < starCount; ++i) {
        const int x = static_cast<int>(random.uniform() * image.width());
        const int y = static_cast<int>(random.uniform() * image.height());
        const float brightness = std::pow(random.uniform(), 3.0f);
        const Rgba star{0.8f + 0.2f * brightness, 0.85f + 0.15f * brightness, 1.0f, 1.0f};
        image.blend(x, y, star, 0.3f + 0.7f * brightness);
        if (brightness > 0.6f) { // the brightest get a small cross
            image.blend(x + 1, y, star, brightness * 0.5f);
            image.blend(x - 1, y, star, brightness * 0.5f);
            image.blend(x, y + 1, star, brightness * 0.5f);
            image.blend(x, y - 1, star, brightness * 0.5f);
        }
    }
    return image;
}
