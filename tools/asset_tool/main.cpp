// main.cpp -- wibz3d-assets DIR [ICON_DIR]: writes the game's five models under DIR/models
// and its thirteen images under DIR/tex, and the icon in the icon theme's layout under
// ICON_DIR/hicolor. Every run writes the same bytes.
#include "icon.h"
#include "models.h"
#include "pictures.h"
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

struct PictureFile {
    const char* name;
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

const PictureFile pictureFiles[] = {
    {"shadow.png", paintShadow, ImageFormat::PNG_RGB},
    {"BG.jpg", paintBackground, ImageFormat::JPEG},
    {"Base.png", paintGlow, ImageFormat::PNG_RGBA},
    {"ship.png", paintShipSkin, ImageFormat::PNG_RGB},
    {"stones.png", paintStones, ImageFormat::PNG_RGB},
    {"nosort.png", paintLockRing, ImageFormat::PNG_RGBA},
    {"shot.png", paintBeam, ImageFormat::PNG_RGBA},
    {"twirl.png", paintTwirl, ImageFormat::PNG_RGBA},
    {"smoke.png", paintSmoke, ImageFormat::PNG_RGBA},
    {"mud.png", paintMud, ImageFormat::PNG_RGB},
    {"kombo.png", paintComboSign, ImageFormat::PNG_RGBA},
    {"gameover.png", paintGameOverSign, ImageFormat::PNG_RGBA},
    {"getready.png", paintGetReadySign, ImageFormat::PNG_RGBA},
};

struct ModelFile {
    const char* name;
    TdsScene (*make)();
};

const ModelFile modelFiles[] = {
    {"stones.3DS", makeFloorTile}, {"normal.3DS", makeCornerTower}, {"ship.3DS", makeCraft},
    {"world.3DS", makeWorld},      {"shot.3DS", makeShot},
};

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
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: wibz3d-assets OUTPUT_DIR [ICON_DIR]\n");
        return 2;
    }
    const std::string root = argv[1];
    if (!makeDirectory(root) || !makeDirectory(root + "/models") || !makeDirectory(root + "/tex")) {
        std::fprintf(stderr, "wibz3d-assets: cannot make the folders under %s\n", root.c_str());
        return 1;
    }
    int failures = 0;
    for (const ModelFile& model : modelFiles) {
        const std::string path = root + "/models/" + model.name;
        if (!writeModel(path, model.make())) {
            std::fprintf(stderr, "wibz3d-assets: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    ilInit();
    for (const PictureFile& picture : pictureFiles) {
        const std::string path = root + "/tex/" + picture.name;
        if (!picture.paint().save(path, picture.format)) {
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
