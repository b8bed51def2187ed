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

const int iconSizes[] = {64, 256};

std::string iconPath(const std::string& root, int size) {
    const std::string side = std::to_string(size);
    return root + "/hicolor/" + side + "x" + side + "/apps/wibz3d.png";
}

class LoadedImage {
  public:
    explicit LoadedImage(const std::string& path) {
        ilGenImages(1, &name);
        ilBindImage(name);
        loaded = ilLoadImage(path.c_str()) == IL_TRUE;
    }
    ~LoadedImage() { ilDeleteImages(1, &name); }
    bool ok() const { return loaded; }
    int bytesPerPixel() const { return ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL); }
    int width() const { return ilGetInteger(IL_IMAGE_WIDTH); }
    int height() const { return ilGetInteger(IL_IMAGE_HEIGHT); }
    const ILubyte* pixel(int x, int y) const {
        return ilGetData() + (static_cast<std::size_t>(y) * width() + x) * bytesPerPixel();
    }
    // The last channel at the four corners: alpha, or blue for an RGB image.
    std::vector<int> cornerLast() const {
        std::vector<int> out;
        for (const int y : {0, height() - 1}) {
            for (const int x : {0, width() - 1}) {
                out.push_back(pixel(x, y)[bytesPerPixel() - 1]);
            }
        }
        return out;
    }

  private:
    ILuint name = 0;
    bool loaded = false;
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
        EXPECT_TRUE(b[0] == 0x4D && b[1] == 0x4D);
        EXPECT_EQ(b[2] | b[3] << 8 | b[4] << 16 | b[5] << 24, static_cast<int>(b.size()));
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
            EXPECT_STREQ(m->name, material.name);
            EXPECT_STREQ(m->texture1_map.name, material.mapFile);
        }
        EXPECT_EQ(materials, ours.materialCount);
        const Lib3dsMesh* mesh = other->meshes;
        ASSERT_TRUE(mesh != nullptr && mesh->next == nullptr);
        EXPECT_STREQ(mesh->name, object.name);
        ASSERT_EQ(static_cast<std::int32_t>(mesh->points), object.vertexCount);
        ASSERT_EQ(static_cast<std::int32_t>(mesh->faces), object.faceCount);
        ASSERT_EQ(static_cast<std::int32_t>(mesh->texels), object.texCoordCount);
        for (std::size_t v = 0; v < mesh->points; ++v) {
            const float* p = mesh->pointL[v].pos;
            ASSERT_TRUE(object.vertices[v].equals(p[0], p[2], -p[1])) << "vertex " << v;
            ASSERT_TRUE(mesh->texelL[v][0] == object.texCoords[v].u &&
                        mesh->texelL[v][1] == object.texCoords[v].v)
                << "vertex " << v;
        }
        const char* materialName = ours.materials[static_cast<std::size_t>(object.materialId)].name;
        for (std::size_t f = 0; f < mesh->faces; ++f) {
            for (int corner = 0; corner < 3; ++corner) {
                ASSERT_EQ(mesh->faceL[f].points[corner], object.faces[f].vertexIndex[corner]);
            }
            ASSERT_STREQ(mesh->faceL[f].material, materialName);
        }
        lib3ds_file_free(other);
    }
}

// Sizes in world units once drawn with the scales the game draws each model at.
TEST_F(AssetTool, ModelsFitTheirPlacesInTheWorld) {
    struct Extent {
        Vector3 low, high;
        float width() const { return high.x - low.x; }
        float height() const { return high.y - low.y; }
    };
    const auto extentOf = [](const char* file, float across, float up) {
        const Model model = readModel(dataPath(file));
        Extent e{model.objects[0].vertices[0], model.objects[0].vertices[0]};
        for (const Vector3& v : model.objects[0].vertices) {
            e.low = Vector3(std::min(e.low.x, v.x), std::min(e.low.y, v.y), std::min(e.low.z, v.z));
            e.high =
                Vector3(std::max(e.high.x, v.x), std::max(e.high.y, v.y), std::max(e.high.z, v.z));
        }
        // Drawn turned back to the file's axes: game (x, fileZ, -fileY) to (x, fileY up, fileZ).
        return Extent{Vector3(e.low.x * across, -e.high.z * up, e.low.y * across),
                      Vector3(e.high.x * across, -e.low.z * up, e.high.y * across)};
    };
    const Extent tile = extentOf("models/stones.3DS", 0.085f, 0.15f);
    EXPECT_NEAR(tile.width(), 1.5f, 0.1f); // most of a 1.625 cell
    EXPECT_NEAR(tile.high.z - tile.low.z, 1.5f, 0.1f);
    EXPECT_TRUE(tile.high.y >= 0.0f && tile.high.y < 0.2f); // below the shadows at -0.8 + 1.0
    const Extent craft = extentOf("models/ship.3DS", 0.03f, 0.03f);
    EXPECT_TRUE(craft.width() >= 1.2f && craft.width() <= 1.6f);
    EXPECT_NEAR(craft.high.x, -craft.low.x, 1e-4f); // symmetric about the vertical
    EXPECT_NEAR(craft.high.z, -craft.low.z, 1e-4f);
    // A corner piece stands on a corner cell (height -1.0), a unit above the tiles but
    // below the top of the craft starting beside it at 0.2.
    const Extent tower = extentOf("models/normal.3DS", 0.015f, 0.008f);
    EXPECT_TRUE(tower.height() > 1.5f && tower.height() < 2.0f);
    EXPECT_TRUE(tower.high.y > tile.high.y + 1.0f && -1.0f + tower.high.y < 0.2f + craft.high.y);
    const Extent shot = extentOf("models/shot.3DS", 0.02f, 0.07f);
    EXPECT_NEAR(shot.width(), 1.0f, 0.1f);
    EXPECT_EQ(shot.low.y, 0.0f);
    EXPECT_NEAR(shot.high.y, 7.0f, 1e-4f); // drawn from 7 units below its tip
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
        ASSERT_GT(b.size(), 8u);
        const bool jpeg = std::strcmp(file.path, "tex/BG.jpg") == 0;
        EXPECT_EQ(std::memcmp(b.data(), jpeg ? "\xFF\xD8\xFF" : "\x89PNG\r\n\x1a\n", jpeg ? 3 : 8),
                  0);
        const LoadedImage image(dataPath(file.path));
        ASSERT_TRUE(image.ok());
        EXPECT_TRUE((image.width() & (image.width() - 1)) == 0 &&
                    (image.height() & (image.height() - 1)) == 0);
        if (image.bytesPerPixel() == 4 && file.slot != TEX_SHOT) { // the beam runs end to end
            EXPECT_EQ(image.cornerLast(), std::vector<int>(4, 0));
        }
    }
    const LoadedImage shadow(dataPath("tex/shadow.png"));
    ASSERT_EQ(shadow.bytesPerPixel(), 3);
    EXPECT_EQ(shadow.cornerLast(), std::vector<int>(4, 255));
    EXPECT_LT(shadow.pixel(shadow.width() / 2, shadow.height() / 2)[0], 128);
    // Drawn at colour alpha 0.7 with an alpha test above 0.5: the glow's core must pass.
    const LoadedImage glow(dataPath("tex/Base.png"));
    EXPECT_GT(glow.pixel(glow.width() / 2, glow.height() / 2)[3] * 0.7f / 255.0f, 0.5f);
    for (const int size : iconSizes) {
        const LoadedImage icon(iconPath(WIBZ_ICON_DIR, size));
        ASSERT_TRUE(icon.ok() && icon.bytesPerPixel() == 4) << size;
        EXPECT_TRUE(icon.width() == size && icon.height() == size) << size;
        EXPECT_EQ(icon.cornerLast(), std::vector<int>(4, 0)) << size;
        EXPECT_EQ(icon.pixel(size / 2, size / 2)[3], 255) << size;
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
    for (const int size : iconSizes) {
        files.emplace_back(iconPath(dir.path() + "/icons", size), iconPath(WIBZ_ICON_DIR, size));
    }
    for (const auto& [again, built] : files) {
        SCOPED_TRACE(built);
        const std::vector<std::uint8_t> bytes = readWholeFile(again);
        ASSERT_FALSE(bytes.empty());
        EXPECT_TRUE(bytes == readWholeFile(built));
    }
}
