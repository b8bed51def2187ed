// crater.cpp -- a flat plateau under the arena, a bowl-shaped wall rising to a ragged rim
// about 21 world units out, and a gentle fall beyond it. The camera (8 units up) always
// stays well above the rim, and the ground never dips below the plateau, so nothing under
// the floor shows past its edge.
#include "crater.h"

#include "noise.h"

#include <cmath>

namespace {
constexpr float twoPi = 6.28318531f;
constexpr float plateauHalfWidth = crater::fieldHalfWidth + 1.2f / crater::acrossScale;
constexpr float plateauCornerRadius = 5.0f;
constexpr float rimHeight = crater::fileHeightOf(3.4f);
constexpr float outerHeight = crater::fileHeightOf(0.8f);
constexpr float rockAmplitude = 4.0f;  // file units of height
constexpr float gullyAmplitude = 3.5f; // file units of height
constexpr float longestReach = 60.0f;  // the plateau's reach is searched below this

float turnOf(float x, float z) {
    const float turn = std::atan2(-z, x) / twoPi;
    return turn < 0.0f ? turn + 1.0f : turn;
}
} // namespace

float plateauDistance(float x, float z) {
    const float inner = plateauHalfWidth - plateauCornerRadius;
    const float qx = std::fabs(x) - inner;
    const float qz = std::fabs(z) - inner;
    const float outside = std::hypot(std::fmax(qx, 0.0f), std::fmax(qz, 0.0f));
    return outside + std::fmin(std::fmax(qx, qz), 0.0f) - plateauCornerRadius;
}

float plateauReach(float turn) {
    const float dx = std::cos(turn * twoPi);
    const float dz = -std::sin(turn * twoPi);
    float low = 0.0f;
    float high = longestReach;
    for (int step = 0; step < 40; ++step) {
        const float middle = 0.5f * (low + high);
        if (plateauDistance(middle * dx, middle * dz) < 0.0f) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return 0.5f * (low + high);
}

float wallFraction(float x, float z) {
    const float edge = plateauDistance(x, z);
    if (edge <= 0.0f) {
        return 0.0f;
    }
    const float toRim = std::fmax(crater::rimRadius - std::hypot(x, z), 0.0f);
    return edge / (edge + toRim);
}

float craterHeight(float x, float z) {
    const float t = wallFraction(x, z);
    if (t <= 0.0f) {
        return crater::plateauHeight;
    }
    const float r = std::hypot(x, z);
    // Gentle at the foot, steepest just under the rim, as a crater's wall is.
    const float rise = t * t * (1.6f - 0.6f * t);
    const float wall = mix(crater::plateauHeight, rimHeight, rise);
    const float base = mix(wall, outerHeight, smoothStep(crater::rimRadius, crater::edgeRadius, r));
    const float rock = fractalNoise(x / 9.0f, z / 9.0f, 64, 4, 81u) - 0.5f;
    const float gully =
        1.0f - std::fabs(2.0f * valueNoise(turnOf(x, z) * 12.0f, r / 18.0f, 12, 64, 83u) - 1.0f);
    const float detail =
        smoothStep(0.0f, 0.35f, t) *
        (rockAmplitude * rock + gullyAmplitude * gully * smoothStep(0.3f, 1.0f, t));
    return std::fmax(base + detail, crater::plateauHeight);
}
