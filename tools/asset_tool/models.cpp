// models.cpp -- shapes designed for the game's drawing transforms: the floor tile is scaled
// 0.085 across and 0.15 up, the corner tower 0.015 and 0.008, the craft 0.03, the shot 0.02
// and 0.07, and the world 0.34 and 0.3 round (1.5, -7.2, -5.6). File y ends up as world up.
#include "models.h"

#include "mesh_builder.h"
#include "noise.h"

#include <cmath>

namespace {
constexpr float twoPi = 6.28318531f;

// Floor tile: 1.5 world units wide in a 1.625 cell, its top 0.075 above the cell height.
constexpr float slabHalfWidth = 8.8f;
constexpr float slabBevel = 0.6f;
constexpr float slabTop = 0.5f;
constexpr float slabBevelFoot = -0.1f;
constexpr float slabBottom = -2.0f;
constexpr int slabTopCells = 8;
// The craft's picture covers a disc of this radius seen from above, rim included.
constexpr float craftMapRadius = 24.0f;

TdsScene sceneOf(const TdsMaterial& material, const TdsMesh& mesh) {
    TdsScene scene;
    scene.materials.push_back(material);
    scene.meshes.push_back(mesh);
    return scene;
}

// The top face, gently uneven inside a flat border so it meets the bevel cleanly.
void addSlabTop(MeshBuilder& mesh) {
    const float inner = slabHalfWidth - slabBevel;
    const float span = 2.0f * slabHalfWidth;
    mesh.grid(slabTopCells, slabTopCells, [&](int row, int column) {
        const float x = -inner + 2.0f * inner * static_cast<float>(column) / slabTopCells;
        const float z = inner - 2.0f * inner * static_cast<float>(row) / slabTopCells;
        const bool border =
            row == 0 || column == 0 || row == slabTopCells || column == slabTopCells;
        const float bump =
            border ? 0.0f : 0.16f * (valueNoise(x * 0.4f, z * 0.4f, 64, 64, 3u) - 0.5f);
        return MeshVertex{x, slabTop + bump, z, (x + slabHalfWidth) / span,
                          (slabHalfWidth - z) / span};
    });
}

// One side: the bevel from the top's edge down and out, then the wall to the bottom.
// Corners are given counter-clockwise seen from above, so the side faces outwards.
void addSlabSide(MeshBuilder& mesh, float ax, float az, float bx, float bz) {
    const float inner = (slabHalfWidth - slabBevel) / slabHalfWidth;
    const float span = 2.0f * slabHalfWidth;
    const auto at = [&](float x, float y, float z) {
        return mesh.vertex(
            MeshVertex{x, y, z, (x + slabHalfWidth) / span, (slabHalfWidth - z) / span});
    };
    const std::uint16_t topA = at(ax * inner, slabTop, az * inner);
    const std::uint16_t topB = at(bx * inner, slabTop, bz * inner);
    const std::uint16_t footA = at(ax, slabBevelFoot, az);
    const std::uint16_t footB = at(bx, slabBevelFoot, bz);
    mesh.quad(footA, footB, topB, topA);
    const std::uint16_t wallTopA = at(ax, slabBevelFoot, az);
    const std::uint16_t wallTopB = at(bx, slabBevelFoot, bz);
    const std::uint16_t bottomA = at(ax, slabBottom, az);
    const std::uint16_t bottomB = at(bx, slabBottom, bz);
    mesh.quad(bottomA, bottomB, wallTopB, wallTopA);
}
} // namespace

TdsScene makeFloorTile() {
    MeshBuilder mesh;
    addSlabTop(mesh);
    const float w = slabHalfWidth;
    // Seen from above with -z at the top of the view, counter-clockwise: front, right,
    // back, left.
    addSlabSide(mesh, -w, w, w, w);
    addSlabSide(mesh, w, w, w, -w);
    addSlabSide(mesh, w, -w, -w, -w);
    addSlabSide(mesh, -w, -w, -w, w);
    const std::uint16_t a = mesh.vertex({-w, slabBottom, -w, 0.0f, 0.0f});
    const std::uint16_t b = mesh.vertex({w, slabBottom, -w, 1.0f, 0.0f});
    const std::uint16_t c = mesh.vertex({w, slabBottom, w, 1.0f, 1.0f});
    const std::uint16_t d = mesh.vertex({-w, slabBottom, w, 0.0f, 1.0f});
    mesh.quad(a, b, c, d); // the underside, facing down
    return sceneOf(TdsMaterial{"STONE", {200, 200, 210}, "stones.png"},
                   mesh.build("slab", "STONE"));
}

// A round tower about 0.85 world units thick and 3.4 tall: plinth, tapering shaft, a
// collar near the top and a spire.
TdsScene makeCornerTower() {
    const std::vector<ProfilePoint> profile = {
        {0.0f, 0.0f, 0.0f},     {40.0f, 0.0f, 0.4f},   {40.0f, 0.0f, 0.4f},
        {40.0f, 26.0f, 0.6f},   {40.0f, 26.0f, 0.6f},  {34.0f, 36.0f, 0.7f},
        {29.0f, 40.0f, 0.75f},  {29.0f, 40.0f, 0.75f}, {27.5f, 170.0f, 2.0f},
        {26.0f, 300.0f, 3.3f},  {26.0f, 300.0f, 3.3f}, {33.0f, 312.0f, 3.45f},
        {33.0f, 312.0f, 3.45f}, {33.0f, 338.0f, 3.7f}, {33.0f, 338.0f, 3.7f},
        {27.0f, 346.0f, 3.8f},  {27.0f, 346.0f, 3.8f}, {14.0f, 390.0f, 4.2f},
        {0.0f, 425.0f, 4.5f}};
    MeshBuilder mesh;
    mesh.revolve(profile, 16, [](MeshVertex& v, float turn) { v.u = turn * 3.0f; });
    return sceneOf(TdsMaterial{"MUDTOWER", {150, 120, 90}, "mud.png"},
                   mesh.build("tower", "MUDTOWER"));
}

// A saucer 46 file units (1.4 world units) across: shallow belly, thin rim, sloping upper
// hull and a cockpit dome. Mapped straight down, so the hull picture lies on it from above.
TdsScene makeCraft() {
    const std::vector<ProfilePoint> profile = {
        {0.0f, -4.5f, 0.0f}, {8.0f, -4.2f, 0.0f}, {16.0f, -2.8f, 0.0f}, {21.0f, -1.0f, 0.0f},
        {23.0f, 0.0f, 0.0f}, {23.0f, 0.0f, 0.0f}, {23.0f, 0.7f, 0.0f},  {23.0f, 0.7f, 0.0f},
        {21.5f, 1.7f, 0.0f}, {15.0f, 3.3f, 0.0f}, {9.0f, 4.3f, 0.0f},   {9.0f, 4.3f, 0.0f},
        {8.4f, 6.2f, 0.0f},  {7.0f, 8.2f, 0.0f},  {4.5f, 9.6f, 0.0f},   {0.0f, 10.3f, 0.0f}};
    MeshBuilder mesh;
    mesh.revolve(profile, 32, [](MeshVertex& v, float) {
        v.u = 0.5f + v.x / (2.0f * craftMapRadius);
        v.v = 0.5f + v.z / (2.0f * craftMapRadius);
    });
    return sceneOf(TdsMaterial{"HULL", {200, 205, 220}, "ship.png"}, mesh.build("saucer", "HULL"));
}

// An open tube 50 across and 100 high: the game draws it from the shot's tip down.
TdsScene makeShot() {
    std::vector<ProfilePoint> profile;
    constexpr int rings = 8;
    for (int i = 0; i <= rings; ++i) {
        const float height = 100.0f * static_cast<float>(i) / rings;
        profile.push_back({25.0f, height, height / 50.0f});
    }
    MeshBuilder mesh;
    mesh.revolve(profile, 16, [](MeshVertex&, float) {});
    return sceneOf(TdsMaterial{"BEAM", {120, 220, 255}, "shot.png"}, mesh.build("beam", "BEAM"));
}

namespace {
// World: a crater round the arena. Radii in file units (x 0.34 gives world units); heights
// in file units (x 0.3, minus 7.2). The arena floor sits at height 20.7.
constexpr float craterFloorRadius = 24.0f;
constexpr float craterRimRadius = 66.0f;
constexpr float craterRimHeight = 32.0f;
constexpr float worldRadius = 100.0f;
constexpr float worldEdgeHeight = 12.0f;
constexpr int worldRings = 36;
constexpr int worldSegments = 64;
constexpr float mudRepeatFileUnits = 12.0f;

float craterHeight(float r, float turn) {
    const float wall =
        craterRimHeight * std::pow(smoothStep(craterFloorRadius, craterRimRadius, r), 1.4f);
    const float outside = smoothStep(craterRimRadius, worldRadius, r);
    const float base = mix(wall, worldEdgeHeight, outside);
    // Rock grows rougher towards the rim; zero at the centre so the middle ring closes.
    const float roughness =
        2.0f + 7.0f * smoothStep(craterFloorRadius, craterRimRadius, r) * (1.0f - 0.5f * outside);
    const float rock = fractalNoise(turn * 16.0f, r / 10.0f, 16, 64, 4, 81u) - 0.5f;
    const float ridge =
        1.0f - std::fabs(2.0f * valueNoise(turn * 8.0f, r / 25.0f, 8, 64, 83u) - 1.0f);
    return base + smoothStep(0.0f, 12.0f, r) *
                      (roughness * rock + 5.0f * ridge * smoothStep(40.0f, 66.0f, r));
}
} // namespace

TdsScene makeWorld() {
    MeshBuilder mesh;
    // Rows run from the outer edge inwards, so the surface faces up.
    mesh.grid(worldRings, worldSegments, [](int row, int column) {
        const float t = 1.0f - static_cast<float>(row) / worldRings;
        const float r = worldRadius * std::pow(t, 1.15f);
        const float turn =
            column == worldSegments ? 0.0f : static_cast<float>(column) / worldSegments;
        const float x = r * std::cos(turn * twoPi);
        const float z = -r * std::sin(turn * twoPi);
        const float y = craterHeight(r, turn);
        return MeshVertex{x, y, z, x / mudRepeatFileUnits, z / mudRepeatFileUnits};
    });
    return sceneOf(TdsMaterial{"MUDLAND", {160, 130, 100}, "mud.png"},
                   mesh.build("crater", "MUDLAND"));
}
