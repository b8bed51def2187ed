// crater.h -- the ground round the arena as one height field in the world model's file
// units, shared by the world mesh and its baked picture so that the two agree. Where the
// game draws the world comes from the game's table (data_files.h).
#pragma once

#include "assets/data_files.h"

namespace crater {
constexpr float acrossScale = worldAcrossScale;
constexpr float upScale = worldUpScale;
constexpr float worldDropUnits = -worldOriginY;

constexpr float fileHeightOf(float worldY) {
    return (worldY + worldDropUnits) / upScale;
}

// The arena's middle (1.5, -5.5) lies 0.1 world units along +z from the model's origin;
// the whole ground is centred there.
constexpr float centreZ = 0.1f / acrossScale;
constexpr float fieldHalfWidth = 6.5f / acrossScale;
constexpr int cellsPerSide = 8; // the corner cells hold corner pieces, the rest tiles
constexpr float cellWidth = 1.625f / acrossScale;
constexpr float tileHalfWidth = 0.75f / acrossScale;
// Just below the floor tiles' undersides (-1.3), so the tiles rest on solid ground and the
// beam's lower end disappears into it.
constexpr float plateauHeight = fileHeightOf(-1.45f);
// Radius of the crater's rim, about 21 world units, and of the edge of the world's disc.
constexpr float rimRadius = 62.0f;
constexpr float edgeRadius = 100.0f;
} // namespace crater

// Signed distance from the plateau's edge, a rounded square a little larger than the
// field: negative on the plateau. Points relative to the ground's centre.
float plateauDistance(float x, float z);
// How far the plateau reaches from the centre in the direction of the given turn (0 to 1,
// counter-clockwise from +x seen from above).
float plateauReach(float turn);
// The ground's height at a point relative to the centre; never below the plateau.
float craterHeight(float x, float z);
// 0 on the plateau, rising to 1 on the crater's rim: how far up the wall a point is.
float wallFraction(float x, float z);
