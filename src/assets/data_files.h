// data_files.h -- the one list of the game's data files and the table slots they fill: the
// images in loading order, the models in building order, and where the world model stands.
// Plain constants without GL, so the asset tool, the tests and the benchmarks use the same
// table as the game.
#pragma once

#include <cstddef>
#include <iterator>

// Slots of the texture table (textures.h); drawing binds by these.
constexpr int TEXTURE_SLOT_COUNT = 100;
constexpr int TEX_BG = 1; // loaded, drawn on nothing
constexpr int TEX_STONES = 2;
constexpr int TEX_MUD = 4;
constexpr int TEX_BASE = 10;
constexpr int TEX_SHADOW = 30;
constexpr int TEX_SHIP = 50;
constexpr int TEX_NOSORT = 60;
constexpr int TEX_KOMBO = 61;
constexpr int TEX_GAMEOVER = 62;
constexpr int TEX_GETREADY = 63;
constexpr int TEX_SHOT = 70;
constexpr int TEX_TWIRL = 80;
constexpr int TEX_SMOKE = 90;

// Slots of the mesh and display-list tables (render/mesh.h, desktop_gl/display_lists.h);
// drawing calls by these.
constexpr int LIST_SLOT_COUNT = 101;
constexpr int LIST_STONES = 1;       // the floor tile (arena.h)
constexpr int LIST_NORMAL = 3;       // the corner piece
constexpr int LIST_QUAD = 10;        // built in code, not read from a file
constexpr int LIST_SHADOW_QUAD = 30; // the same list name as LIST_QUAD
constexpr int LIST_SHOT = 40;
constexpr int LIST_SHIP = 50;
constexpr int LIST_WORLD = 100;

// A file under the working directory and the slot it fills.
struct DataFile {
    const char* path;
    int slot;
};

// In loading order, which is the order GL texture names are taken in.
inline constexpr DataFile textureFiles[] = {
    {"tex/shadow.png", TEX_SHADOW},
    {"tex/Base.png", TEX_BASE},
    {"tex/BG.jpg", TEX_BG},
    {"tex/ship.png", TEX_SHIP},
    {"tex/stones.png", TEX_STONES},
    {"tex/nosort.png", TEX_NOSORT},
    {"tex/shot.png", TEX_SHOT},
    {"tex/twirl.png", TEX_TWIRL},
    {"tex/smoke.png", TEX_SMOKE},
    {"tex/mud.png", TEX_MUD},
    {"tex/kombo.png", TEX_KOMBO},
    {"tex/gameover.png", TEX_GAMEOVER},
    {"tex/getready.png", TEX_GETREADY},
};

// In reading order, which is the order of their objects in the model.
inline constexpr DataFile modelFiles[] = {
    {"models/stones.3DS", LIST_STONES}, {"models/normal.3DS", LIST_NORMAL},
    {"models/ship.3DS", LIST_SHIP},     {"models/world.3DS", LIST_WORLD},
    {"models/shot.3DS", LIST_SHOT},
};

constexpr std::size_t textureFileCount = std::size(textureFiles);
constexpr std::size_t modelFileCount = std::size(modelFiles);

// A new line with a slot outside its table fails the build rather than writing past it;
// slot 0 stays empty (arena cells of kind 0 call list 0, which draws nothing).
template <std::size_t N> constexpr bool slotsWithin(const DataFile (&files)[N], int slotCount) {
    for (const DataFile& file : files) {
        if (file.slot <= 0 || file.slot >= slotCount) {
            return false;
        }
    }
    return true;
}
static_assert(slotsWithin(textureFiles, TEXTURE_SLOT_COUNT), "a texture slot is out of range");
static_assert(slotsWithin(modelFiles, LIST_SLOT_COUNT), "a list slot is out of range");

// Where the game stands the world model (LIST_WORLD): file units scaled, then the model's
// origin moved here. The asset tool shapes the ground in file units from the same numbers.
constexpr float worldOriginX = 1.5f;
constexpr float worldOriginY = -7.2f; // the origin lies this far below y = 0
constexpr float worldOriginZ = -5.6f;
constexpr float worldAcrossScale = 0.34f; // world units per file unit, across
constexpr float worldUpScale = 0.3f;      // world units per file unit, up
