// test_asset_tool.cpp -- the generated data: the models read alike by lib3ds (an independent
// reader) and by us and sized for where the game draws them, every image in its format with
// edges that never show, and the same bytes on every run.
#include "asset_test_support.h"
#include "assets/data_files.h"
#include "assets/model_reader.h"

#include <IL/il.h>
#include <cstring>
#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>

namespace {
Model readModel(const std::string& path) {
    Model model;
    EXPECT_TRUE(ModelReader().import3ds(model, path.c_str())) << path;
    return model;
}

std::string iconPath(const std::string& root, int size) {
    const std::string side = std::to_string(size);
    return root + "/hicolor/" + side + "x" + side + "/apps/wibz3d.png";
}

// An image as DevIL loads it for the game; the one made last is the one bound.
struct Picture {
    explicit Picture(const std::string& path) {
        ilGenImages(1, &name);
        ilBindImage(name);
        ok = ilLoadImage(path.c_str()) == IL_TRUE;
        w = ilGetInteger(IL_IMAGE_WIDTH), h = ilGetInteger(IL_IMAGE_HEIGHT);
        depth = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    }
    ~Picture() { ilDeleteImages(1, &name); }
    // The last channel: alpha, or blue in an RGB image.
    int last(int x, int y) const { return ilGetData()[(y * w + x) * depth + depth - 1]; }
    std::vector<int> corners() const {
        return {last(0, 0), last(w - 1, 0), last(0, h - 1), last(w - 1, h - 1)};
    }
    ILuint name = 0;
    bool ok = false;
    int w = 0, h = 0, depth = 0;
};

class AssetTool : public testing::Test {
  protected:
    static void SetUpTestSuite() { ilInit(); }
    static void TearDownTestSuite() { ilShutDown(); }
};
} // namespace

// One textured object after the materials, the primary chunk's length the file's, and
// every name, map file, vertex, coordinate pair and face as lib3ds reads them.
TEST_F(AssetTool, Lib3dsReadsEveryModelAsWeDo) {
    for (const DataFile& file : modelFiles) {
        SCOPED_TRACE(file.path);
        const std::string path = dataPath(file.path);
        const std::vector<std::uint8_t> b = readWholeFile(path);
        ASSERT_GT(b.size(), 100u);
        EXPECT_TRUE(b[0] == 0x4D && b[1] == 0x4D &&
                    (b[2] | b[3] << 8 | b[4] << 16 | b[5] << 24) == static_cast<int>(b.size()));
        const Model ours = readModel(path);
        ASSERT_EQ(ours.objectCount, 1);
        const ModelObject& object = ours.objects[0];
        EXPECT_TRUE(object.hasTexture && object.faceCount > 0);
        ASSERT_EQ(object.texCoordCount, object.vertexCount); // before lib3ds's pairs are read
        Lib3dsFile* other = lib3ds_file_load(path.c_str());
        ASSERT_NE(other, nullptr);
        int materials = 0;
        for (Lib3dsMaterial* m = other->materials; m != nullptr; m = m->next, ++materials) {
            ASSERT_LT(materials, ours.materialCount);
            const ModelMaterial& material = ours.materials[static_cast<std::size_t>(materials)];
            EXPECT_TRUE(!std::strcmp(m->name, material.name) &&
                        !std::strcmp(m->texture1_map.name, material.mapFile));
        }
        EXPECT_EQ(materials, ours.materialCount);
        const Lib3dsMesh* mesh = other->meshes;
        ASSERT_TRUE(mesh != nullptr && mesh->next == nullptr);
        EXPECT_STREQ(mesh->name, object.name);
        ASSERT_TRUE(static_cast<std::int32_t>(mesh->points) == object.vertexCount &&
                    static_cast<std::int32_t>(mesh->faces) == object.faceCount &&
                    static_cast<std::int32_t>(mesh->texels) == object.texCoordCount);
        for (std::size_t v = 0; v < mesh->points; ++v) {
            const float* p = mesh->pointL[v].pos;
            ASSERT_TRUE(object.vertices[v].equals(p[0], p[2], -p[1]) &&
                        mesh->texelL[v][0] == object.texCoords[v].u &&
                        mesh->texelL[v][1] == object.texCoords[v].v)
                << "vertex " << v;
        }
        const char* materialName = ours.materials[static_cast<std::size_t>(object.materialId)].name;
        for (std::size_t f = 0; f < mesh->faces; ++f) {
            const std::int32_t* corners = object.faces[f].vertexIndex;
            const Lib3dsWord* theirs = mesh->faceL[f].points;
            ASSERT_TRUE(theirs[0] == corners[0] && theirs[1] == corners[1] &&
                        theirs[2] == corners[2] &&
                        !std::strcmp(mesh->faceL[f].material, materialName))
                << "face " << f;
        }
        lib3ds_file_free(other);
    }
}

// Sizes in world units once drawn with the scales the game draws each model at.
TEST_F(AssetTool, ModelsFitTheirPlacesInTheWorld) {
    struct Extent {
        Vector3 low, high;
        float width() const { return high.x - low.x; }
    };
    const auto extentOf = [](const char* file, float across, float up) {
        const Model model = readModel(dataPath(file));
        Vector3 low = model.objects[0].vertices[0], high = low;
        for (const Vector3& v : model.objects[0].vertices) {
            low = Vector3(std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z));
            high = Vector3(std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z));
        }
        // Drawn turned back to the file's axes: game (x, fileZ, -fileY) to (x, fileY up, fileZ).
        return Extent{Vector3(low.x * across, -high.z * up, low.y * across),
                      Vector3(high.x * across, -low.z * up, high.y * across)};
    };
    const Extent tile = extentOf("models/stones.3DS", 0.085f, 0.15f);
    EXPECT_TRUE(std::abs(tile.width() - 1.5f) < 0.1f &&
                std::abs(tile.high.z - tile.low.z - 1.5f) < 0.1f); // most of a 1.625 cell
    EXPECT_TRUE(tile.high.y >= 0.0f && tile.high.y < 0.2f); // below the shadows at -0.8 + 1.0
    const Extent craft = extentOf("models/ship.3DS", 0.03f, 0.03f);
    EXPECT_TRUE(craft.width() >= 1.2f && craft.width() <= 1.6f);
    EXPECT_TRUE(std::abs(craft.high.x + craft.low.x) < 1e-4f &&
                std::abs(craft.high.z + craft.low.z) < 1e-4f); // centred
    // A corner piece stands on a corner cell (height -1.0), a unit above the tiles but
    // below the top of the craft starting beside it at 0.2.
    const Extent tower = extentOf("models/normal.3DS", 0.015f, 0.008f);
    EXPECT_TRUE(tower.high.y - tower.low.y > 1.5f && tower.high.y - tower.low.y < 2.0f);
    EXPECT_TRUE(tower.high.y > tile.high.y + 1.0f && -1.0f + tower.high.y < 0.2f + craft.high.y);
    const Extent shot = extentOf("models/shot.3DS", 0.02f, 0.07f);
    EXPECT_NEAR(shot.width(), 1.0f, 0.1f);
    EXPECT_TRUE(shot.low.y == 0.0f &&
                std::abs(shot.high.y - 7.0f) < 1e-4f); // drawn from 7 below its tip
    // Round the 13 x 13 arena and inside the far plane; the rim between the floor (-1.0)
    // and the camera (8 up), moved down 7.2; the ground below the tiles' undersides.
    const Extent world = extentOf("models/world.3DS", 0.34f, 0.3f);
    EXPECT_TRUE(world.width() > 3.0f * 13.0f && world.high.x < 50.0f);
    EXPECT_TRUE(world.high.y - 7.2f > 2.0f && world.high.y - 7.2f < 6.0f);
    EXPECT_TRUE(world.low.y - 7.2f < tile.low.y - 1.0f && world.low.y - 7.2f > -1.6f);
    EXPECT_LT(-1.0f + tower.low.y, world.low.y - 7.2f); // the corner pieces reach into it
}

// Sides are powers of two for GL 1.x. What is drawn with alpha fades to nothing at its
// corners, the multiplied shadow to white, the icon to clear, so no square edge shows.
TEST_F(AssetTool, EveryImageIsInItsFormatWithCornersThatDoNotShow) {
    for (const DataFile& file : textureFiles) {
        SCOPED_TRACE(file.path);
        const std::vector<std::uint8_t> b = readWholeFile(dataPath(file.path));
        const bool jpeg = std::strcmp(file.path, "tex/BG.jpg") == 0;
        ASSERT_GT(b.size(), 8u);
        EXPECT_EQ(std::memcmp(b.data(), jpeg ? "\xFF\xD8\xFF" : "\x89PNG\r\n\x1a\n", jpeg ? 3 : 8),
                  0);
        const Picture image(dataPath(file.path));
        ASSERT_TRUE(image.ok);
        EXPECT_TRUE((image.w & (image.w - 1)) == 0 && (image.h & (image.h - 1)) == 0);
        if (image.depth == 4 && file.slot != TEX_SHOT) { // the beam runs end to end
            EXPECT_EQ(image.corners(), std::vector<int>(4, 0));
        }
    }
    const Picture shadow(dataPath("tex/shadow.png"));
    EXPECT_TRUE(shadow.depth == 3 && shadow.corners() == std::vector<int>(4, 255));
    EXPECT_LT(shadow.last(shadow.w / 2, shadow.h / 2), 128);
    // Drawn at colour alpha 0.7 with an alpha test above 0.5: the glow's core must pass.
    const Picture glow(dataPath("tex/Base.png"));
    EXPECT_GT(glow.last(glow.w / 2, glow.h / 2) * 0.7f / 255.0f, 0.5f);
    for (const int size : {64, 256}) {
        const Picture icon(iconPath(WIBZ_ICON_DIR, size));
        ASSERT_TRUE(icon.ok && icon.depth == 4 && icon.w == size && icon.h == size) << size;
        EXPECT_EQ(icon.corners(), std::vector<int>(4, 0)) << size;
        EXPECT_EQ(icon.last(size / 2, size / 2), 255) << size;
    }
}

TEST_F(AssetTool, ASecondRunWritesTheSameBytes) {
    TempDir dir;
    const std::string command =
        std::string(WIBZ_ASSET_TOOL) + " " + dir.path() + " " + dir.path() + "/icons";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<std::pair<std::string, std::string>> files; // the new copy, the build's
    std::vector<DataFile> data(std::begin(modelFiles), std::end(modelFiles));
    data.insert(data.end(), std::begin(textureFiles), std::end(textureFiles));
    for (const DataFile& file : data) {
        files.emplace_back(dir.path() + "/" + file.path, dataPath(file.path));
    }
    for (const int size : {64, 256}) {
        files.emplace_back(iconPath(dir.path() + "/icons", size), iconPath(WIBZ_ICON_DIR, size));
    }
    for (const auto& [again, built] : files) {
        const std::vector<std::uint8_t> bytes = readWholeFile(again);
        EXPECT_TRUE(!bytes.empty() && bytes == readWholeFile(built)) << built;
    }
}
