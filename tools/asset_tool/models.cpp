// models.cpp -- shapes designed for the game's drawing transforms: the floor tile is scaled
// 0.085 across and 0.15 up, the corner piece 0.015 and 0.008, the craft 0.03, the shot 0.02
// and 0.07, and the world 0.34 and 0.3 round (1.5, -7.2, -5.6). File y ends up as world up.
#include "models.h"

#include "crater.h"
#include "ground_map.h"
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
// Few cells: sixty of these tiles are drawn every frame, and a software renderer pays for
// every triangle while the light shows little of a finer top.
constexpr int slabTopCells = 2;
// The craft's picture covers a disc of this radius seen from above, rim included.
constexpr float craftMapRadius = 27.0f;
// The corner piece is drawn at 0.015 across and 0.008 up.
constexpr float cornerAcrossScale = 0.015f;
constexpr float cornerUpScale = 0.008f;
constexpr int cornerSides = 8;
// The world: a few rings over the flat plateau, the rest up the wall and beyond; the ground
// picture carries the detail, so the rings only need to follow the crater's shape.
constexpr int worldRings = 24;
constexpr int plateauRings = 4;
constexpr int worldSegments = 48;

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

// Corner piece: an octagonal stone post with a lamp on its capital, 1.7 world units above
// the plateau, low enough that the craft starting beside it stays in full view. Its foot
// goes down into the plateau, so it stands on the ground rather than floating.
TdsScene makeCornerTower() {
    struct OutlinePoint {
        float radius; // world units
        float height; // world units above the cell
    };
    const float plinth = tower::plinthRadius;
    const float foot = tower::footBottom;
    const float plinthTop = tower::plinthTop;
    const float chamferTop = tower::chamferTop;
    const float pillarTop = tower::pillarTop;
    const float capitalTop = tower::capitalTop;
    const float plateTop = tower::plateTop;
    // A point listed twice makes a crisp edge.
    const OutlinePoint outline[] = {{0.0f, foot},        {plinth, foot},      {plinth, foot},
                                    {plinth, plinthTop}, {plinth, plinthTop}, {0.38f, chamferTop},
                                    {0.38f, chamferTop}, {0.29f, chamferTop}, {0.29f, chamferTop},
                                    {0.26f, pillarTop},  {0.26f, pillarTop},  {0.42f, 1.03f},
                                    {0.42f, 1.03f},      {0.42f, capitalTop}, {0.42f, capitalTop},
                                    {0.22f, plateTop},   {0.22f, plateTop},   {0.21f, 1.14f},
                                    {0.16f, 1.2f},       {0.08f, 1.24f},      {0.0f, tower::tip}};
    std::vector<ProfilePoint> profile;
    for (const OutlinePoint& p : outline) {
        profile.push_back(
            {p.radius / cornerAcrossScale, p.height / cornerUpScale,
             groundMap::towerV0 + groundMap::towerSpan * tower::patchFractionOf(p.height)});
    }
    MeshBuilder mesh;
    mesh.revolve(profile, cornerSides, [](MeshVertex& v, float turn) {
        v.u = groundMap::towerU0 + groundMap::towerSpan * turn;
    });
    return sceneOf(TdsMaterial{"MUDTOWER", {150, 140, 125}, "mud.png"},
                   mesh.build("tower", "MUDTOWER"));
}

// A saucer 52 file units (1.56 world units) across: shallow belly, thin rim, sloping upper
// hull and a low cockpit dome. Mapped straight down, so the hull picture lies on it from
// above. The upper hull is kept flat enough to catch the light from any side.
TdsScene makeCraft() {
    const std::vector<ProfilePoint> profile = {
        {0.0f, -5.0f, 0.0f}, {9.0f, -4.7f, 0.0f}, {18.0f, -3.2f, 0.0f}, {23.5f, -1.2f, 0.0f},
        {26.0f, 0.0f, 0.0f}, {26.0f, 0.0f, 0.0f}, {26.0f, 0.8f, 0.0f},  {26.0f, 0.8f, 0.0f},
        {24.5f, 1.8f, 0.0f}, {17.0f, 3.6f, 0.0f}, {10.5f, 4.6f, 0.0f},  {10.5f, 4.6f, 0.0f},
        {9.8f, 6.2f, 0.0f},  {8.0f, 7.8f, 0.0f},  {5.0f, 9.0f, 0.0f},   {0.0f, 9.5f, 0.0f}};
    MeshBuilder mesh;
    mesh.revolve(profile, 32, [](MeshVertex& v, float) {
        v.u = 0.5f + v.x / (2.0f * craftMapRadius);
        v.v = 0.5f + v.z / (2.0f * craftMapRadius);
    });
    return sceneOf(TdsMaterial{"HULL", {230, 90, 40}, "ship.png"}, mesh.build("saucer", "HULL"));
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

// World: the crater of crater.cpp, in rings that follow the plateau's rounded edge near
// the middle and open out into circles towards the rim, so the plateau's edge is crisp.
// Mapped straight down onto the ground picture, which holds its light and colour.
TdsScene makeWorld() {
    MeshBuilder mesh;
    // Rows run from the outer edge inwards, so the surface faces up.
    mesh.grid(worldRings, worldSegments, [](int row, int column) {
        const int ring = worldRings - row; // 0 at the centre
        const float turn =
            column == worldSegments ? 0.0f : static_cast<float>(column) / worldSegments;
        const float reach = plateauReach(turn);
        float r = reach * static_cast<float>(ring) / plateauRings;
        if (ring > plateauRings) {
            const float s = static_cast<float>(ring - plateauRings) /
                            static_cast<float>(worldRings - plateauRings);
            r = mix(reach, crater::edgeRadius, std::pow(s, 1.2f));
        }
        const float x = r * std::cos(turn * twoPi);
        const float z = -r * std::sin(turn * twoPi);
        return MeshVertex{x, craterHeight(x, z), z + crater::centreZ, groundMap::uOf(x),
                          groundMap::vOf(z)};
    });
    return sceneOf(TdsMaterial{"MUDLAND", {160, 130, 100}, "mud.png"},
                   mesh.build("crater", "MUDLAND"));
}
