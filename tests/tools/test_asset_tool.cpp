// test_asset_tool.cpp -- the generated data: the models read alike by lib3ds (an independent
// reader) and by us, every image loadable with edges that never show, the same bytes twice.
#include "asset_test_support.h"
#include "assets/data_files.h"
#include "assets/model_reader.h"
#include "sound/sound_files.h"

#include <IL/il.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <lib3ds/file.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <sndfile.h>

namespace {
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

// One textured object after the materials, and every name, map file, vertex, coordinate
// pair and face as lib3ds reads them.
TEST_F(AssetTool, Lib3dsReadsEveryModelAsWeDo) {
    for (const DataFile& file : modelFiles) {
        SCOPED_TRACE(file.path);
        const std::string path = dataPath(file.path);
        Model ours;
        Lib3dsFile* other = lib3ds_file_load(path.c_str());
        ASSERT_TRUE(other != nullptr && ModelReader().import3ds(ours, path.c_str()) &&
                    ours.objectCount == 1);
        const ModelObject& object = ours.objects[0];
        // The pairs counted before lib3ds's are read.
        ASSERT_TRUE(object.hasTexture && object.faceCount > 0 &&
                    object.texCoordCount == object.vertexCount);
        int materials = 0;
        for (Lib3dsMaterial* m = other->materials; m != nullptr; m = m->next, ++materials) {
            ASSERT_LT(materials, ours.materialCount);
            const ModelMaterial& material = ours.materials[static_cast<std::size_t>(materials)];
            EXPECT_TRUE(!std::strcmp(m->name, material.name) &&
                        !std::strcmp(m->texture1_map.name, material.mapFile));
        }
        EXPECT_EQ(materials, ours.materialCount);
        const Lib3dsMesh* mesh = other->meshes;
        ASSERT_TRUE(mesh != nullptr && mesh->next == nullptr &&
                    !std::strcmp(mesh->name, object.name));
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
            const std::int32_t* ours3 = object.faces[f].vertexIndex;
            const Lib3dsWord* theirs = mesh->faceL[f].points;
            ASSERT_TRUE(theirs[0] == ours3[0] && theirs[1] == ours3[1] && theirs[2] == ours3[2] &&
                        !std::strcmp(mesh->faceL[f].material, materialName))
                << "face " << f;
        }
        lib3ds_file_free(other);
    }
}

// Every image loads as the game loads it, its sides powers of two for GL 1.x. What is drawn
// with alpha fades to nothing at its corners, the multiplied shadow to white, the icon to
// clear, so no square edge shows.
TEST_F(AssetTool, EveryImageLoadsWithCornersThatDoNotShow) {
    for (const DataFile& file : textureFiles) {
        SCOPED_TRACE(file.path);
        const Picture image(dataPath(file.path));
        ASSERT_TRUE(image.ok && (image.w & (image.w - 1)) == 0 && (image.h & (image.h - 1)) == 0);
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

// Read back by libsndfile: one channel at the game's rate, a peak with room beside the
// others', and no click where the sound starts or stops.
TEST_F(AssetTool, EverySoundIsMonoWithHeadroomAndStartsAndEndsQuietly) {
    for (const char* name : soundNames) {
        const std::string path = dataPath(std::string("sounds/") + name + ".wav");
        SF_INFO info = {};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        ASSERT_NE(file, nullptr) << path;
        std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
        sf_readf_float(file, samples.data(), info.frames);
        sf_close(file);
        EXPECT_EQ(info.channels, 1) << name;
        EXPECT_EQ(info.samplerate, soundSampleRate) << name;
        EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << name;
        float peak = 0.0f;
        for (const float s : samples) {
            peak = std::max(peak, std::fabs(s));
        }
        EXPECT_GE(peak, 0.1f) << name;
        EXPECT_LE(peak, 0.35f) << name;
        ASSERT_GT(samples.size(), 100u) << name;
        EXPECT_LT(std::fabs(samples.front()), 0.01f) << name;
        EXPECT_LT(std::fabs(samples.back()), 0.001f) << name;
    }
}

TEST_F(AssetTool, ASecondRunWritesTheSameBytes) {
    TempDir dir;
    const std::string command =
        std::string(WIBZ_ASSET_TOOL) + " " + dir.path() + " " + dir.path() + "/icons";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto same = [](const std::string& again, const std::string& built) {
        const std::vector<std::uint8_t> bytes = readWholeFile(again);
        EXPECT_TRUE(!bytes.empty() && bytes == readWholeFile(built)) << built;
    };
    for (const DataFile& file : modelFiles) {
        same(dir.path() + "/" + file.path, dataPath(file.path));
    }
    for (const DataFile& file : textureFiles) {
        same(dir.path() + "/" + file.path, dataPath(file.path));
    }
    for (const char* name : soundNames) {
        const std::string path = std::string("sounds/") + name + ".wav";
        same(dir.path() + "/" + path, dataPath(path));
    }
    for (const int size : {64, 256}) {
        same(iconPath(dir.path() + "/icons", size), iconPath(WIBZ_ICON_DIR, size));
    }
}
