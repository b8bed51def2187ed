// main.cpp -- wibz3d-assets [--ogg] DIR [ICON_DIR]: writes every file of the game's data
// table (five models under DIR/models, thirteen images under DIR/tex, eleven sounds under
// DIR/sounds, as WAV or with --ogg as Ogg Vorbis for the browser), and the icon in the icon
// theme's layout under ICON_DIR/hicolor. Every run writes the same bytes, but for the Ogg
// streams' serial numbers, which libsndfile draws at random.
#include "assets/data_files.h"
#include "icon.h"
#include "models.h"
#include "pictures.h"
#include "sounds.h"
#include "tds_writer.h"

#include <IL/il.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>

namespace {
bool makeDirectory(const std::string& path) {
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

bool writeModel(const std::string& path, const TdsScene& scene) {
    TdsWriter out;
    const std::vector<std::uint8_t> bytes = buildTdsFile(scene);
    out.bytes(bytes.data(), bytes.size());
    return out.saveTo(path);
}

struct Painter {
    const char* path; // as in the game's textureFiles
    Image (*paint)();
    ImageFormat format;
};

Image paintComboSign() {
    return paintSign({"COMBO!"}, SignStyle::COMBO);
}
Image paintGetReadySign() {
    return paintSign({"GET", "READY"}, SignStyle::GET_READY);
}
Image paintGameOverSign() {
    return paintSign({"GAME", "OVER"}, SignStyle::GAME_OVER);
}

constexpr Painter painters[] = {
    {"tex/shadow.png", paintShadow, ImageFormat::PNG_RGB},
    {"tex/BG.jpg", paintBackground, ImageFormat::JPEG},
    {"tex/Base.png", paintGlow, ImageFormat::PNG_RGBA},
    {"tex/ship.png", paintShipSkin, ImageFormat::PNG_RGB},
    {"tex/stones.png", paintStones, ImageFormat::PNG_RGB},
    {"tex/nosort.png", paintLockRing, ImageFormat::PNG_RGBA},
    {"tex/shot.png", paintBeam, ImageFormat::PNG_RGBA},
    {"tex/twirl.png", paintTwirl, ImageFormat::PNG_RGBA},
    {"tex/smoke.png", paintSmoke, ImageFormat::PNG_RGBA},
    {"tex/mud.png", paintMud, ImageFormat::PNG_RGB},
    {"tex/kombo.png", paintComboSign, ImageFormat::PNG_RGBA},
    {"tex/gameover.png", paintGameOverSign, ImageFormat::PNG_RGBA},
    {"tex/getready.png", paintGetReadySign, ImageFormat::PNG_RGBA},
};

struct Maker {
    const char* path; // as in the game's modelFiles
    TdsScene (*make)();
};

constexpr Maker makers[] = {
    {"models/stones.3DS", makeFloorTile}, {"models/normal.3DS", makeCornerTower},
    {"models/ship.3DS", makeCraft},       {"models/world.3DS", makeWorld},
    {"models/shot.3DS", makeShot},
};

constexpr bool sameText(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// True when each of the game's files has exactly one entry here, so a file added to the
// game's table without a painter or maker (or a stale entry left here) fails the build.
template <typename Entry, std::size_t N, std::size_t M>
constexpr bool coversExactly(const Entry (&entries)[N], const DataFile (&files)[M]) {
    if (N != M) {
        return false;
    }
    for (const DataFile& file : files) {
        std::size_t matches = 0;
        for (const Entry& entry : entries) {
            matches += sameText(entry.path, file.path) ? 1 : 0;
        }
        if (matches != 1) {
            return false;
        }
    }
    return true;
}
static_assert(coversExactly(painters, textureFiles), "every game image needs one painter");
static_assert(coversExactly(makers, modelFiles), "every game model needs one maker");

// The sizes desktops ask for most: a launcher's grid and a software centre's page.
const int iconSizes[] = {64, 256};

int writeIcons(const std::string& root) {
    const TdsScene craft = makeCraft();
    const Image skin = paintShipSkin();
    int failures = 0;
    for (const int size : iconSizes) {
        const std::string side = std::to_string(size);
        const std::string folder = root + "/hicolor/" + side + "x" + side + "/apps";
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        const std::string path = folder + "/wibz3d.png";
        if (error || !paintIcon(craft.meshes[0], skin, size).save(path, ImageFormat::PNG_RGBA)) {
            std::fprintf(stderr, "wibz3d-assets: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures;
}
} // namespace

int main(int argc, char** argv) {
    const bool ogg = argc > 1 && std::string(argv[1]) == "--ogg";
    if (ogg) {
        --argc;
        ++argv;
    }
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: wibz3d-assets [--ogg] OUTPUT_DIR [ICON_DIR]\n");
        return 2;
    }
    const std::string root = argv[1];
    if (!makeDirectory(root) || !makeDirectory(root + "/models") || !makeDirectory(root + "/tex") ||
        !makeDirectory(root + "/sounds")) {
        std::fprintf(stderr, "wibz3d-assets: cannot make the folders under %s\n", root.c_str());
        return 1;
    }
    int failures = 0;
    for (const Maker& model : makers) {
        const std::string path = root + "/" + model.path;
        if (!writeModel(path, model.make())) {
            std::fprintf(stderr, "wibz3d-assets: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    ilInit();
    for (const Painter& picture : painters) {
        const std::string path = root + "/" + picture.path;
        if (!picture.paint().save(path, picture.format)) {
            std::fprintf(stderr, "wibz3d-assets: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    for (int s = 0; s < SOUND_COUNT; ++s) {
        const SoundId id = static_cast<SoundId>(s);
        const std::string path = root + "/sounds/" + soundName(id) + (ogg ? ".ogg" : ".wav");
        const SoundFileFormat format = ogg ? SoundFileFormat::OGG_VORBIS : SoundFileFormat::WAV;
        if (!saveClip(synthesiseSound(id), path, format)) {
            std::fprintf(stderr, "wibz3d-assets: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    if (argc == 3) {
        failures += writeIcons(argv[2]);
    }
    ilShutDown();
    return failures == 0 ? 0 : 1;
}
