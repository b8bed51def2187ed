// ground_map.cpp -- paints "mud.png": the crater from above with its light baked in (the
// scene's own light washes out the ground's shape), darker earth under the floor tiles and
// round the corner pieces, and the corner pieces' stone, bronze and lamp in their patch.
#include "ground_map.h"

#include "noise.h"
#include "pictures.h"

#include <cmath>
#include <vector>

namespace {
constexpr int size = groundMap::sizePixels;
constexpr float fileUnitsPerPixel = 2.0f * groundMap::discRadiusFileUnits / size;
// The tower's patch is painted on into its margin, so filtering at its border only ever
// blends the patch with itself.
constexpr int towerBleedPixels = groundMap::towerLeftPixels;
static_assert(groundMap::towerTopPixels == groundMap::towerLeftPixels, "one margin all round");

struct Direction {
    float x;
    float y;
    float z;
};
// Towards the baked sun, in world axes: high in the sky, from -x and -z.
constexpr Direction sunDirection{-0.5f, 0.8f, -0.35f};

Rgba mixColour(Rgba a, Rgba b, float t) {
    return Rgba{mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), 1.0f};
}

Rgba scaled(Rgba c, float factor) {
    return Rgba{clamp01(c.r * factor), clamp01(c.g * factor), clamp01(c.b * factor), 1.0f};
}

// Ground point (file units, relative to the crater's centre) at a pixel's centre.
float groundX(int x) {
    return (static_cast<float>(x) + 0.5f) * fileUnitsPerPixel - groundMap::discRadiusFileUnits;
}
// Rows run along z as columns run along x (groundMap::vOf).
float groundZ(int y) {
    return groundX(y);
}

// Small relief that the mesh is too coarse to carry: clods on the plateau, rock on the wall.
float reliefAt(float x, float z) {
    const float clods = fractalNoise(x * 0.8f + 300.0f, z * 0.8f + 300.0f, 256, 3, 91u) - 0.5f;
    const float beyondRim = smoothStep(crater::rimRadius, crater::edgeRadius, std::hypot(x, z));
    return clods * (0.3f + 1.2f * wallFraction(x, z) * (1.0f - 0.6f * beyondRim));
}

std::vector<float> heightsOfMap() {
    std::vector<float> heights(static_cast<std::size_t>(size * size), 0.0f);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float gx = groundX(x);
            const float gz = groundZ(y);
            heights[static_cast<std::size_t>(y * size + x)] =
                craterHeight(gx, gz) + reliefAt(gx, gz);
        }
    }
    return heights;
}

// The baked light from the slope of the height field (file heights, so scaled to world).
float sunlightAt(const std::vector<float>& heights, int x, int y) {
    const auto h = [&heights](int px, int py) {
        px = px < 0 ? 0 : (px >= size ? size - 1 : px);
        py = py < 0 ? 0 : (py >= size ? size - 1 : py);
        return heights[static_cast<std::size_t>(py * size + px)];
    };
    const float run = 2.0f * fileUnitsPerPixel * crater::acrossScale;
    const float dx = (h(x + 1, y) - h(x - 1, y)) * crater::upScale / run;
    const float dz = (h(x, y + 1) - h(x, y - 1)) * crater::upScale / run;
    const float length = std::sqrt(dx * dx + 1.0f + dz * dz);
    const float sunLength =
        std::sqrt(sunDirection.x * sunDirection.x + sunDirection.y * sunDirection.y +
                  sunDirection.z * sunDirection.z);
    const float facing =
        (-dx * sunDirection.x + sunDirection.y - dz * sunDirection.z) / (length * sunLength);
    return 0.62f + 0.45f * std::fmax(facing, 0.0f);
}

// Distance (file units) outside the nearest floor tile; negative under one.
float distanceFromTiles(float x, float z) {
    const float half = crater::fieldHalfWidth;
    const float cell = crater::cellWidth;
    const int column = static_cast<int>(std::floor((x + half) / cell));
    const int row = static_cast<int>(std::floor((z + half) / cell));
    float nearest = 1.0e9f;
    for (int i = column - 1; i <= column + 1; ++i) {
        for (int j = row - 1; j <= row + 1; ++j) {
            const int last = crater::cellsPerSide - 1;
            const bool corner = (i == 0 || i == last) && (j == 0 || j == last);
            if (i < 0 || j < 0 || i > last || j > last || corner) {
                continue;
            }
            const float cx = -half + cell * (static_cast<float>(i) + 0.5f);
            const float cz = -half + cell * (static_cast<float>(j) + 0.5f);
            const float qx = std::fabs(x - cx) - crater::tileHalfWidth;
            const float qz = std::fabs(z - cz) - crater::tileHalfWidth;
            const float outside = std::hypot(std::fmax(qx, 0.0f), std::fmax(qz, 0.0f));
            nearest = std::fmin(nearest, outside + std::fmin(std::fmax(qx, qz), 0.0f));
        }
    }
    return nearest;
}

// Distance (file units) from the nearest corner piece's centre.
float distanceFromCornerPieces(float x, float z) {
    const float centre = crater::fieldHalfWidth - crater::cellWidth / 2.0f;
    return std::hypot(std::fabs(x) - centre, std::fabs(z) - centre);
}

// Earth colour: packed brown mud on the plateau, bands of ochre and rust up the wall,
// pale dust on the rim and beyond.
Rgba earthAt(float x, float z, float height) {
    const Rgba packed{0.46f, 0.36f, 0.27f, 1.0f};
    const Rgba ochre{0.68f, 0.52f, 0.34f, 1.0f};
    const Rgba rust{0.54f, 0.36f, 0.25f, 1.0f};
    const Rgba dust{0.7f, 0.58f, 0.44f, 1.0f};
    const float wall = wallFraction(x, z);
    const float wobble = fractalNoise(x / 14.0f + 40.0f, z / 14.0f + 40.0f, 64, 3, 93u) - 0.5f;
    const float layer = 0.5f + 0.5f * std::sin((height + 6.0f * wobble) * 0.55f);
    Rgba colour = mixColour(rust, ochre, layer);
    colour = mixColour(colour, dust, smoothStep(0.75f, 1.0f, wall + 0.3f * wobble));
    colour = mixColour(packed, colour, smoothStep(0.0f, 0.25f, wall));
    const float patches = fractalNoise(x / 6.0f + 20.0f, z / 6.0f + 20.0f, 128, 4, 95u);
    return scaled(colour, 0.85f + 0.3f * patches);
}

// Dry cracks on the plateau, fading out up the wall.
float crackShade(float x, float z) {
    const float n = fractalNoise(x / 5.0f + 70.0f, z / 5.0f + 70.0f, 128, 3, 97u);
    const float crack = 1.0f - smoothStep(0.0f, 0.007f, std::fabs(n - 0.5f));
    return 1.0f - 0.18f * crack * (1.0f - smoothStep(0.0f, 0.3f, wallFraction(x, z)));
}

Rgba groundPixel(const std::vector<float>& heights, int x, int y) {
    const float gx = groundX(x);
    const float gz = groundZ(y);
    Rgba colour = earthAt(gx, gz, heights[static_cast<std::size_t>(y * size + x)]);
    const float grain = fractalNoise(gx * 3.0f, gz * 3.0f, 1024, 2, 99u);
    const float pebble = smoothStep(0.8f, 0.86f, valueNoise(gx * 2.2f, gz * 2.2f, 512, 512, 101u));
    float light = sunlightAt(heights, x, y) * (0.9f + 0.18f * grain) * crackShade(gx, gz);
    light += 0.12f * pebble;
    // Shade under and just round the tiles and the corner pieces' plinths.
    const float underTiles = 1.0f - smoothStep(-0.6f, 1.2f, distanceFromTiles(gx, gz));
    const float plinthRadius = tower::plinthRadius / crater::acrossScale;
    const float underPlinths = 1.0f - smoothStep(plinthRadius - 0.5f, plinthRadius + 1.5f,
                                                 distanceFromCornerPieces(gx, gz));
    light *= 1.0f - 0.6f * std::fmax(underTiles, underPlinths);
    return scaled(colour, light);
}

// The corner piece's surface at a place of its patch: across is the turn round it (any
// value; the pattern repeats once per turn), height in world units above its cell.
Rgba towerPixel(float across, float height) {
    const Rgba stone{0.52f, 0.5f, 0.47f, 1.0f};
    const Rgba bronze{0.78f, 0.55f, 0.26f, 1.0f};
    const Rgba lampEdge{1.0f, 0.62f, 0.16f, 1.0f};
    const Rgba lampCore{1.0f, 0.97f, 0.82f, 1.0f};
    const float grain = fractalNoise(across * 16.0f, height * 24.0f, 16, 64, 3, 103u);
    if (height >= tower::plateTop) {
        const float core = smoothStep(tower::plateTop, tower::tip, height);
        return mixColour(lampEdge, lampCore, core);
    }
    if (height >= tower::pillarTop) {
        const float rib = std::fabs(std::fmod(across * 16.0f + 16.0f, 1.0f) - 0.5f);
        return scaled(bronze, 0.85f + 0.3f * grain - 0.25f * smoothStep(0.3f, 0.5f, rib));
    }
    const float side = std::fmod(across * 8.0f + 8.0f, 1.0f); // across one of the 8 faces
    if (height >= tower::chamferTop) {
        // A lamp-lit groove down the middle of each face of the pillar.
        const float groove = 1.0f - smoothStep(0.06f, 0.1f, std::fabs(side - 0.5f));
        const Rgba face = scaled(stone, 0.9f + 0.25f * grain);
        return mixColour(face, lampEdge, groove * 0.9f);
    }
    if (height >= tower::plinthTop) {
        return scaled(stone, 1.1f + 0.2f * grain);
    }
    // Plinth: courses of blocks, joints offset on every other course.
    const float course = (height - tower::footBottom) / 0.13f;
    const float offset = static_cast<int>(std::floor(course)) % 2 == 0 ? 0.0f : 0.5f;
    const float block = std::fmod(side + offset + 1.0f, 1.0f);
    const float joint =
        std::fmin(std::fabs(course - std::round(course)), std::fmin(block, 1.0f - block) * 0.4f);
    return scaled(stone, (0.8f + 0.25f * grain) *
                             (1.0f - 0.4f * (1.0f - smoothStep(0.02f, 0.05f, joint))));
}

void paintTowerPatch(Image& image) {
    const int first = -towerBleedPixels;
    const int last = groundMap::towerSizePixels + towerBleedPixels;
    for (int py = first; py < last; ++py) {
        for (int px = first; px < last; ++px) {
            const float across = (static_cast<float>(px) + 0.5f) / groundMap::towerSizePixels;
            const float down =
                clamp01((static_cast<float>(py) + 0.5f) / groundMap::towerSizePixels);
            image.at(groundMap::towerLeftPixels + px, groundMap::towerTopPixels + py) =
                towerPixel(across, tower::heightOfPatchFraction(down));
        }
    }
}
} // namespace

Image paintMud() {
    Image image(size, size);
    const std::vector<float> heights = heightsOfMap();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.at(x, y) = groundPixel(heights, x, y);
        }
    }
    paintTowerPatch(image);
    return image;
}
