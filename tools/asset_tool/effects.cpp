// effects.cpp -- shadow, glow, lock ring, beam, swirl and smoke. Each fades to nothing at
// the quad's border (white for the multiplied shadow, zero alpha for the rest), so no
// square edge ever shows.
#include "pictures.h"

#include "noise.h"

#include <cmath>

namespace {
constexpr int effectSize = 128;
constexpr float pi = 3.14159265f;
// Glows and debris pass the alpha test only where 0.7 x texture alpha exceeds 0.5.
constexpr float glowSolidRadius = 0.55f;
constexpr float glowFadeRadius = 0.95f;

float radiusAt(const Image& image, int x, int y) {
    return std::hypot(image.centredX(x), image.centredY(y));
}

float angleAt(const Image& image, int x, int y) {
    return std::atan2(image.centredY(y), image.centredX(x));
}
} // namespace

// Multiplied into the floor: white leaves it alone, the soft core darkens it to a third.
Image paintShadow() {
    Image image(effectSize, effectSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float r = radiusAt(image, x, y);
            const float v = 1.0f - 0.68f * (1.0f - smoothStep(0.2f, 0.95f, r));
            image.at(x, y) = Rgba{v, v, v, 1.0f};
        }
    }
    return image;
}

// A glowing, mottled stone: full alpha out to where the alpha test cuts, bright rim.
Image paintGlow() {
    Image image(effectSize, effectSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float r = radiusAt(image, x, y);
            const float u = static_cast<float>(x) / effectSize * 6.0f;
            const float v = static_cast<float>(y) / effectSize * 6.0f;
            const float rock = fractalNoise(u, v, 6, 4, 11u);
            const float core = 1.0f - smoothStep(0.0f, 0.35f, r);
            const float rim = smoothStep(0.4f, 0.68f, r) * (1.0f - smoothStep(0.7f, 0.8f, r));
            const float light = clamp01(0.45f + 0.45f * rock + 0.35f * core + 0.4f * rim);
            const float alpha = 1.0f - smoothStep(glowSolidRadius, glowFadeRadius, r);
            image.at(x, y) = Rgba{light, light, clamp01(light * 1.05f), alpha};
        }
    }
    return image;
}

// Orange target ring with four inward ticks and an outer dashed ring that shows the spin.
Image paintLockRing() {
    Image image(effectSize, effectSize);
    const Rgba orange{1.0f, 0.5f, 0.1f, 1.0f};
    const Rgba yellow{1.0f, 0.9f, 0.3f, 1.0f};
    const float pixel = 2.0f / effectSize;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float r = radiusAt(image, x, y);
            const float a = angleAt(image, x, y);
            const float ring = clamp01((0.06f - std::fabs(r - 0.7f)) / pixel);
            const float dash = std::fmod(a + pi + 2.0f * pi, pi / 6.0f) < pi / 9.0f ? 1.0f : 0.0f;
            const float outer = dash * clamp01((0.035f - std::fabs(r - 0.9f)) / pixel);
            // Ticks along the axes, from r 0.35 to 0.64.
            const float along =
                std::fmin(std::fabs(image.centredX(x)), std::fabs(image.centredY(y)));
            const float tick = (r > 0.35f && r < 0.64f) ? clamp01((0.035f - along) / pixel) : 0.0f;
            image.blend(x, y, orange, ring);
            image.blend(x, y, yellow, std::fmax(outer, tick));
        }
    }
    return image;
}

// Wraps round the shot's tube (u) and repeats along it (v): streaks of energy.
Image paintBeam() {
    Image image(effectSize / 2, effectSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float u = static_cast<float>(x) / image.width();
            const float v = static_cast<float>(y) / image.height();
            const float streak = fractalNoise(u * 12.0f, v * 2.0f, 12, 2, 3, 21u);
            const float bands = 0.5f + 0.5f * std::sin(2.0f * pi * (v * 4.0f + streak));
            const float energy = clamp01(std::pow(streak, 1.5f) * 1.6f * (0.6f + 0.4f * bands));
            image.at(x, y) = Rgba{clamp01(0.35f + energy * 0.7f), clamp01(0.7f + energy * 0.3f),
                                  1.0f, clamp01(0.25f + energy)};
        }
    }
    return image;
}

// Three arms curling into the centre, bright cyan, fading out before the border.
Image paintTwirl() {
    Image image(effectSize, effectSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float r = radiusAt(image, x, y);
            const float a = angleAt(image, x, y);
            const float arm = 0.5f + 0.5f * std::cos(3.0f * a + 9.0f * r);
            const float fade = 1.0f - smoothStep(0.55f, 0.95f, r);
            const float centre = 1.0f - smoothStep(0.0f, 0.25f, r);
            const float glow = clamp01((std::pow(arm, 3.0f) * 0.9f + centre * 0.6f) * fade);
            image.at(x, y) =
                Rgba{clamp01(0.3f + glow * 0.7f), clamp01(0.75f + glow * 0.25f), 1.0f, glow};
        }
    }
    return image;
}

// Exhaust under the craft: soft billows, densest in a ring round the centre.
Image paintSmoke() {
    Image image(effectSize, effectSize);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const float r = radiusAt(image, x, y);
            const float u = static_cast<float>(x) / effectSize * 5.0f;
            const float v = static_cast<float>(y) / effectSize * 5.0f;
            const float billow = fractalNoise(u, v, 5, 4, 31u);
            const float body =
                (1.0f - smoothStep(0.35f, 0.95f, r)) * (0.55f + 0.45f * smoothStep(0.0f, 0.4f, r));
            // Added to the scene under a bright light: kept faint and bluish, or whatever
            // stands under the craft turns white.
            const float alpha = clamp01(body * (0.2f + 0.7f * billow) * 0.38f);
            const float shade = 0.55f + 0.35f * billow;
            image.at(x, y) = Rgba{shade * 0.6f, shade * 0.85f, shade, alpha};
        }
    }
    return image;
}
