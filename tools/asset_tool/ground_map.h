// ground_map.h -- the layout of "mud.png", which the game binds for the world and for the
// corner pieces: the whole crater seen from above in a disc, with the corner pieces' own
// patch of surface in the top left corner, which the disc leaves free.
#pragma once

#include "crater.h"

namespace groundMap {
constexpr int sizePixels = 1024;
// The disc of the world, radius edgeRadius, fits inside the picture with a small margin.
constexpr float discRadiusFileUnits = crater::edgeRadius * 1.02f;

// Texture coordinates of a ground point relative to the crater's centre; t grows with z.
constexpr float uOf(float x) {
    return 0.5f + x / (2.0f * discRadiusFileUnits);
}
constexpr float vOf(float z) {
    return 0.5f + z / (2.0f * discRadiusFileUnits);
}

// The corner pieces' patch: u wraps once round the piece, v runs from its tip (top row)
// down to its foot.
constexpr int towerLeftPixels = sizePixels / 256;
constexpr int towerTopPixels = sizePixels / 256;
constexpr int towerSizePixels = sizePixels / 8;
constexpr float towerU0 = static_cast<float>(towerLeftPixels) / sizePixels;
constexpr float towerV0 = static_cast<float>(towerTopPixels) / sizePixels;
constexpr float towerSpan = static_cast<float>(towerSizePixels) / sizePixels;
} // namespace groundMap

// The corner piece's heights in world units above the cell it stands on (the floor's
// height, -1.0), from the foot sunk in the plateau to the tip. The painter colours its
// patch by the same heights.
namespace tower {
constexpr float plinthRadius = 0.5f;
constexpr float footBottom = -0.5f;
constexpr float plinthTop = 0.06f;
constexpr float chamferTop = 0.14f;
constexpr float pillarTop = 0.95f;
constexpr float capitalTop = 1.07f;
constexpr float plateTop = 1.09f; // the lamp sits on the capital's top plate
constexpr float tip = 1.25f;

// Where a height lies down the patch, 0 at the tip and 1 at the foot.
constexpr float patchFractionOf(float height) {
    return (tip - height) / (tip - footBottom);
}
constexpr float heightOfPatchFraction(float fraction) {
    return tip - fraction * (tip - footBottom);
}
} // namespace tower
