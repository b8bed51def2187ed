// glyph_atlas.cpp -- the atlas's file: "P5", a comment "# advances" with the 256 advances,
// the size, 255, then the rows top first.
#include "render/glyph_atlas.h"

#include <fstream>
#include <sstream>

namespace {
constexpr const char* advancesTag = "# advances";
} // namespace

bool writeGlyphAtlas(const GlyphAtlas& atlas, const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << advancesTag;
    for (const int advance : atlas.advance) {
        out << ' ' << advance;
    }
    out << '\n' << GlyphAtlas::width << ' ' << GlyphAtlas::height << "\n255\n";
    for (int row = GlyphAtlas::height - 1; row >= 0; --row) {
        out.write(reinterpret_cast<const char*>(
                      &atlas.coverage[static_cast<std::size_t>(row * GlyphAtlas::width)]),
                  GlyphAtlas::width);
    }
    return static_cast<bool>(out.flush());
}

bool readGlyphAtlas(const std::string& path, GlyphAtlas& into) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    std::string advances;
    if (!std::getline(in, magic) || magic != "P5" || !std::getline(in, advances) ||
        advances.rfind(advancesTag, 0) != 0) {
        return false;
    }
    GlyphAtlas atlas;
    std::istringstream numbers(advances.substr(std::string(advancesTag).size()));
    for (int& advance : atlas.advance) {
        if (!(numbers >> advance)) {
            return false;
        }
    }
    int width = 0;
    int height = 0;
    int maximum = 0;
    if (!(in >> width >> height >> maximum) || width != GlyphAtlas::width ||
        height != GlyphAtlas::height || maximum != 255 || in.get() != '\n') {
        return false;
    }
    for (int row = GlyphAtlas::height - 1; row >= 0; --row) {
        in.read(reinterpret_cast<char*>(
                    &atlas.coverage[static_cast<std::size_t>(row * GlyphAtlas::width)]),
                GlyphAtlas::width);
    }
    if (!in) {
        return false;
    }
    into = atlas;
    return true;
}
