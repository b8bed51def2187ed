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

// The craft seen from above (it is mapped straight down), painted in colours nothing else
// in the scene has, so it reads at a glance over grey tiles and brown earth: a glowing
// cyan cockpit in a white collar, red-orange hull panels with a yellow stripe, and a white
// rim with running lights that show its spin. Radii as fractions of the map's radius.
Image paintShipSkin() {
    Image image(surfaceSize, surfaceSize);
    const Rgba panelDark{0.92f, 0.22f, 0.08f, 1.0f};
    const Rgba panelLight{1.0f, 0.4f, 0.12f, 1.0f};
    const Rgba stripe{1.0f, 0.86f, 0.2f, 1.0f};
    const Rgba white{0.97f, 0.97f, 0.93f, 1.0f};
    const Rgba glass{0.4f, 0.95f, 1.0f, 1.0f};
    const Rgba lights[2] = {{0.2f, 0.95f, 1.0f, 1.0f}, {1.0f, 0.85f, 0.1f, 1.0f}};
    constexpr float domeEdge = 0.39f;
    constexpr float collarEdge = 0.45f;
    constexpr float rimStart = 0.88f;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float r = std::hypot(image.centredX(x), image.centredY(y));
            const float a = std::atan2(image.centredY(y), image.centredX(x)) + pi;
            const int panel = static_cast<int>(a / (pi / 6.0f));
            Rgba colour = panel % 2 == 0 ? panelDark : panelLight;
            colour = shade(colour, 0.92f + 0.12f * fractalNoise(a * 4.0f, r * 8.0f, 25, 3, 61u));
            const float seam = std::fabs(std::fmod(a, pi / 6.0f) - pi / 12.0f);
            if (seam > pi / 12.0f - 0.01f / r) {
                colour = shade(colour, 0.6f);
            }
            colour =
                mixColour(colour, stripe, 1.0f - smoothStep(0.025f, 0.04f, std::fabs(r - 0.66f)));
            if (r >= rimStart) {
                colour = white;
                const int lamp = static_cast<int>(a / (pi / 8.0f));
                const float lampAngle = (static_cast<float>(lamp) + 0.5f) * pi / 8.0f;
                const float lampDistance = std::hypot(r - 0.93f, (a - lampAngle) * 0.93f);
                colour = mixColour(colour, lights[lamp % 2],
                                   1.0f - smoothStep(0.03f, 0.05f, lampDistance));
            }
            if (r < collarEdge) {
                colour = white;
            }
            if (r < domeEdge) { // glass lit from inside, a highlight towards the top left
                const float highlight = 1.0f - smoothStep(0.0f, 0.12f,
                                                          std::hypot(image.centredX(x) + 0.12f,
                                                                     image.centredY(y) + 0.12f));
                colour =
                    mixColour(shade(glass, 1.0f - 0.4f * r), Rgba{1, 1, 1, 1}, highlight * 0.85f);
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
