// glyph_atlas.h -- the HUD font's letters as one picture, for the shader path: the letter of
// each character code in a cell of a fixed grid, its pixels placed from the raster position
// exactly as freeglut's glutBitmapCharacter places them, and how far the raster position
// moves after it. Kept as a binary PGM picture whose comment line holds the advances.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GlyphAtlas {
    static constexpr int codes = 256; // every byte; 0 ends a text and is never drawn
    static constexpr int columns = 16;
    static constexpr int cellPixels = 32; // a cell is square
    // The raster position's pixel within its cell, counted from the cell's lower left.
    static constexpr int originX = 8;
    static constexpr int originY = 10;
    static constexpr int width = columns * cellPixels;
    static constexpr int height = codes / columns * cellPixels;

    // 255 where a letter sets its pixel, 0 elsewhere; width x height, the bottom row first as
    // GL reads and takes pixels. The cell of code c starts at column (c % columns) and row
    // (c / columns) of cells.
    std::vector<std::uint8_t> coverage = std::vector<std::uint8_t>(width * height, 0);
    int advance[codes] = {}; // pixels the raster position moves right after the letter

    static int cellX(int code) { return code % columns * cellPixels; }
    static int cellY(int code) { return code / columns * cellPixels; }
};

// The atlas as a PGM file (top row first, as the format has it); false when it cannot be
// written.
bool writeGlyphAtlas(const GlyphAtlas& atlas, const std::string& path);
// Reads what writeGlyphAtlas wrote; false, leaving into as it was, for anything else.
bool readGlyphAtlas(const std::string& path, GlyphAtlas& into);
