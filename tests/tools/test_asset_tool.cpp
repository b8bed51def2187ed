// test_asset_tool.cpp -- the generated data: every file in its format, the models laid out
// as 3DS files are and read alike by lib3ds and by us, shapes and pictures that fit where
// the game draws them, and the same bytes on every run.
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
std::uint16_t u16At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t u32At(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// The ids of the chunks directly inside the chunk starting at offset.
std::vector<std::uint16_t> childIds(const std::vector<std::uint8_t>& b, std::size_t at) {
    std::vector<std::uint16_t> ids;
    const std::size_t end = at + u32At(b, at + 2);
    for (std::size_t child = at + 6; child + 6 <= end; child += u32At(b, child + 2)) {
        ids.push_back(u16At(b, child));
        if (u32At(b, child + 2) < 6) {
            break;
        }
    }
    return ids;
}

std::size_t childOffset(const std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t id) {
    const std::size_t end = at + u32At(b, at + 2);
    for (std::size_t child = at + 6; child + 6 <= end; child += u32At(b, child + 2)) {
        if (u16At(b, child) == id) {
            return child;
        }
    }
    return 0;
}

Model readModel(const std::string& path) {
    Model model;
    ModelReader reader;
    EXPECT_TRUE(reader.import3ds(model, path.c_str())) << path;
    return model;
}

struct Extent {
    Vector3 low;
    Vector3 high;
};

// Bounds in world units once drawn: the file's axes, scaled across and up.
Extent worldExtent(const ModelObject& object, float across, float up) {
    Extent e{object.vertices[0], object.vertices[0]};
    for (const Vector3& v : object.vertices) {
        e.low = Vector3(std::min(e.low.x, v.x), std::min(e.low.y, v.y), std::min(e.low.z, v.z));
        e.high = Vector3(std::max(e.high.x, v.x), std::max(e.high.y, v.y), std::max(e.high.z, v.z));
    }
    // Game axes (x, fileZ, -fileY) back to the file's (x, fileY up, fileZ).
    return Extent{Vector3(e.low.x * across, -e.high.z * up, e.low.y * across),
                  Vector3(e.high.x * across, -e.low.z * up, e.high.y * across)};
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

TEST_F(AssetTool, EveryModelIsAThreeDsFileLaidOutAsToolsWriteThem) {
    for (const DataFile& file : modelFiles) {
        SCOPED_TRACE(file.path);
        const std::vector<std::uint8_t> b = readWholeFile(dataDir() + "/" + file.path);
        ASSERT_GT(b.size(), 100u);
        EXPECT_EQ(u16At(b, 0), 0x4D4D);
        EXPECT_EQ(u32At(b, 2), b.size());
        const std::size_t editor = childOffset(b, 0, 0x3D3D);
        ASSERT_NE(editor, 0u);
        const std::vector<std::uint16_t> inside = childIds(b, editor);
        ASSERT_GE(inside.size(), 3u);
        EXPECT_EQ(inside.front(), 0x3D3E); // the mesh version comes first
        EXPECT_EQ(inside.back(), 0x4000);  // the one object comes after the materials
        EXPECT_EQ(std::count(inside.begin(), inside.end(), 0x4000), 1);
        EXPECT_GE(std::count(inside.begin(), inside.end(), 0xAFFF), 1);

        const Model model = readModel(dataDir() + "/" + file.path);
        ASSERT_EQ(model.objectCount, 1);
        const ModelObject& object = model.objects[0];
        EXPECT_TRUE(object.hasTexture);
        EXPECT_EQ(object.texCoordCount, object.vertexCount);
        EXPECT_GT(object.faceCount, 0);
        EXPECT_STRNE(model.materials[static_cast<std::size_t>(object.materialId)].mapFile, "");
    }
}

TEST_F(AssetTool, Lib3dsReadsTheModelsAsWeDo) {
    for (const DataFile& file : modelFiles) {
        SCOPED_TRACE(file.path);
        const std::string path = dataDir() + "/" + file.path;
        Lib3dsFile* other = lib3ds_file_load(path.c_str());
        ASSERT_NE(other, nullptr);
        const Model ours = readModel(path);

        int materials = 0;
        for (Lib3dsMaterial* m = other->materials; m != nullptr; m = m->next, ++materials) {
            ASSERT_LT(materials, ours.materialCount);
            EXPECT_STREQ(m->name, ours.materials[static_cast<std::size_t>(materials)].name);
            EXPECT_STREQ(m->texture1_map.name,
                         ours.materials[static_cast<std::size_t>(materials)].mapFile);
        }
        EXPECT_EQ(materials, ours.materialCount);

        int meshes = 0;
        for (Lib3dsMesh* mesh = other->meshes; mesh != nullptr; mesh = mesh->next, ++meshes) {
            ASSERT_LT(meshes, ours.objectCount);
            const ModelObject& object = ours.objects[static_cast<std::size_t>(meshes)];
            EXPECT_STREQ(mesh->name, object.name);
            ASSERT_EQ(static_cast<std::int32_t>(mesh->points), object.vertexCount);
            ASSERT_EQ(static_cast<std::int32_t>(mesh->faces), object.faceCount);
            ASSERT_EQ(static_cast<std::int32_t>(mesh->texels), object.texCoordCount);
            for (std::size_t v = 0; v < mesh->points; ++v) {
                const float* p = mesh->pointL[v].pos;
                ASSERT_TRUE(object.vertices[v].equals(p[0], p[2], -p[1])) << "vertex " << v;
                ASSERT_EQ(mesh->texelL[v][0], object.texCoords[v].u);
                ASSERT_EQ(mesh->texelL[v][1], object.texCoords[v].v);
            }
            for (std::size_t f = 0; f < mesh->faces; ++f) {
                for (int corner = 0; corner < 3; ++corner) {
                    ASSERT_EQ(mesh->faceL[f].points[corner], object.faces[f].vertexIndex[corner]);
                }
                ASSERT_STREQ(mesh->faceL[f].material,
                             ours.materials[static_cast<std::size_t>(object.materialId)].name);
            }
        }
        EXPECT_EQ(meshes, ours.objectCount);
        lib3ds_file_free(other);
    }
}

// The sizes each model needs where the game draws it, in world units.
TEST_F(AssetTool, ModelsFitTheirPlacesInTheWorld) {
    const auto extentOf = [](const char* file, float across, float up) {
        const Model model = readModel(dataDir() + "/" + file);
        return worldExtent(model.objects[0], across, up);
    };
    const Extent tile = extentOf("models/stones.3DS", 0.085f, 0.15f);
    EXPECT_NEAR(tile.high.x - tile.low.x, 1.5f, 0.1f); // most of a 1.625 cell
    EXPECT_NEAR(tile.high.z - tile.low.z, 1.5f, 0.1f);
    EXPECT_GE(tile.high.y, 0.0f); // top at or above the cell height -1.0...
    EXPECT_LT(tile.high.y, 0.2f); // ...and below the shadows at -0.8

    const Extent craft = extentOf("models/ship.3DS", 0.03f, 0.03f);
    EXPECT_GE(craft.high.x - craft.low.x, 1.2f);
    EXPECT_LE(craft.high.x - craft.low.x, 1.6f);
    EXPECT_NEAR(craft.high.x, -craft.low.x, 1e-4f); // symmetric about the vertical
    EXPECT_NEAR(craft.high.z, -craft.low.z, 1e-4f);

    // The corner pieces stand on the corner cells (height -1.0); the craft starts right
    // beside one, floating at 0.2, and must not be hidden by it.
    const Extent tower = extentOf("models/normal.3DS", 0.015f, 0.008f);
    EXPECT_NEAR(tower.high.x - tower.low.x, 1.0f, 0.3f);
    EXPECT_GT(tower.high.y - tower.low.y, 1.5f);
    EXPECT_LT(tower.high.y - tower.low.y, 2.0f);
    EXPECT_GT(tower.high.y, tile.high.y + 1.0f);          // a unit above the tiles...
    EXPECT_LT(-1.0f + tower.high.y, 0.2f + craft.high.y); // ...but below the craft's top

    const Extent shot = extentOf("models/shot.3DS", 1.0f, 1.0f);
    EXPECT_EQ(shot.low.y, 0.0f);
    EXPECT_EQ(shot.high.y, 100.0f);
    EXPECT_NEAR((shot.high.x - shot.low.x) * 0.02f, 1.0f, 0.1f);

    // Centred under the arena; wide enough to surround its 13 x 13 units, not past the
    // far plane; its rim well above the floor at -1.0 and below the camera, 8 units up.
    // Nothing lies lower than the ground just under the tiles' undersides.
    const Extent world = extentOf("models/world.3DS", 0.34f, 0.3f);
    EXPECT_GT(world.high.x - world.low.x, 3.0f * 13.0f);
    EXPECT_LT(world.high.x, 50.0f);
    EXPECT_GT(world.high.y - 7.2f, 2.0f);
    EXPECT_LT(world.high.y - 7.2f, 6.0f);
    EXPECT_LT(world.low.y - 7.2f, tile.low.y - 1.0f);
    EXPECT_GT(world.low.y - 7.2f, -1.6f);
    // The corner pieces reach down into that ground.
    EXPECT_LT(-1.0f + tower.low.y, world.low.y - 7.2f);
}

// The shot is drawn from 7 units below its tip, so the ground must be there, solid, under
// the whole field and a little round it, to hide the beam's lower part.
TEST_F(AssetTool, TheWorldHasSolidGroundUnderTheWholeField) {
    const Model model = readModel(dataDir() + "/models/world.3DS");
    const ModelObject& object = model.objects[0];
    // World position of a vertex: the file's (x, up, z) as the game scales and moves it.
    const auto worldOf = [&object](int i) {
        const Vector3& v = object.vertices[static_cast<std::size_t>(i)];
        return Vector3(1.5f + 0.34f * v.x, -7.2f + 0.3f * -v.z, -5.6f + 0.34f * v.y);
    };
    // The ground's height straight under (x, z), from the triangle that covers it.
    const auto groundUnder = [&](float x, float z) {
        for (int f = 0; f < object.faceCount; ++f) {
            const auto& corner = object.faces[static_cast<std::size_t>(f)].vertexIndex;
            const Vector3 a = worldOf(corner[0]);
            const Vector3 b = worldOf(corner[1]);
            const Vector3 c = worldOf(corner[2]);
            const float area = (b.x - a.x) * (c.z - a.z) - (c.x - a.x) * (b.z - a.z);
            if (area == 0.0f) {
                continue;
            }
            const float wb = ((x - a.x) * (c.z - a.z) - (c.x - a.x) * (z - a.z)) / area;
            const float wc = ((b.x - a.x) * (z - a.z) - (x - a.x) * (b.z - a.z)) / area;
            if (wb >= 0.0f && wc >= 0.0f && wb + wc <= 1.0f) {
                return a.y + wb * (b.y - a.y) + wc * (c.y - a.y);
            }
        }
        return -1000.0f; // a hole
    };
    // The field is x -5 to 8, z -12 to 1; sample it and a margin of half a unit round it.
    for (float x = -5.5f; x <= 8.5f; x += 0.5f) {
        for (float z = -12.5f; z <= 1.5f; z += 0.5f) {
            const float y = groundUnder(x, z);
            ASSERT_GT(y, -1.6f) << x << ", " << z;
            ASSERT_LT(y, -1.3f) << x << ", " << z; // under the tiles' undersides
        }
    }
}

TEST_F(AssetTool, EveryImageIsInItsFormatWithTheAlphaItIsDrawnWith) {
    for (const DataFile& file : textureFiles) {
        SCOPED_TRACE(file.path);
        const std::vector<std::uint8_t> b = readWholeFile(dataDir() + "/" + file.path);
        ASSERT_GT(b.size(), 8u);
        const bool jpeg = std::strcmp(file.path, "tex/BG.jpg") == 0;
        if (jpeg) {
            EXPECT_TRUE(b[0] == 0xFF && b[1] == 0xD8 && b[2] == 0xFF);
        } else {
            EXPECT_EQ(std::memcmp(b.data(), "\x89PNG\r\n\x1a\n", 8), 0);
        }
        const LoadedImage image(dataDir() + "/" + file.path);
        ASSERT_TRUE(image.ok());
        EXPECT_EQ(image.width() & (image.width() - 1), 0); // powers of two
        EXPECT_EQ(image.height() & (image.height() - 1), 0);
    }

    const LoadedImage glow(dataDir() + "/tex/Base.png");
    ASSERT_EQ(glow.bytesPerPixel(), 4);
    // Drawn at colour alpha 0.7 with an alpha test above 0.5: the core must pass...
    EXPECT_GT(glow.pixel(glow.width() / 2, glow.height() / 2)[3] * 0.7f / 255.0f, 0.5f);
    EXPECT_EQ(glow.pixel(0, 0)[3], 0); // ...and the quad's corners never show

    const LoadedImage shadow(dataDir() + "/tex/shadow.png");
    EXPECT_EQ(shadow.bytesPerPixel(), 3);
    EXPECT_EQ(shadow.pixel(0, 0)[0], 255); // multiplied: white leaves the floor alone
    EXPECT_EQ(shadow.pixel(shadow.width() / 2, 0)[1], 255);
    EXPECT_LT(shadow.pixel(shadow.width() / 2, shadow.height() / 2)[0], 128);

    for (const char* file : {"tex/nosort.png", "tex/kombo.png", "tex/getready.png",
                             "tex/gameover.png", "tex/twirl.png", "tex/smoke.png"}) {
        SCOPED_TRACE(file);
        const LoadedImage image(dataDir() + "/" + file);
        ASSERT_EQ(image.bytesPerPixel(), 4);
        EXPECT_EQ(image.pixel(0, 0)[3], 0);
        EXPECT_EQ(image.pixel(image.width() - 1, image.height() - 1)[3], 0);
    }
    // The signs show words: a good share of opaque pixels, the rest clear.
    for (const char* file : {"tex/kombo.png", "tex/getready.png", "tex/gameover.png"}) {
        SCOPED_TRACE(file);
        const LoadedImage sign(dataDir() + "/" + file);
        int opaque = 0;
        for (int y = 0; y < sign.height(); ++y) {
            for (int x = 0; x < sign.width(); ++x) {
                opaque += sign.pixel(x, y)[3] > 127 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, sign.width() * sign.height() / 20);
        EXPECT_LT(opaque, sign.width() * sign.height() / 2);
    }
}

// The craft is small on screen and the scene's light hardly shades it: its picture has
// to be bright and strongly coloured to read over the grey tiles.
TEST_F(AssetTool, TheCraftsPictureStandsOutFromTheFloorTiles) {
    struct Look {
        float brightness; // mean of each pixel's brightest channel
        float saturation; // mean of (max - min) / max
    };
    const auto lookOf = [](const LoadedImage& image, float radius) {
        Look look{0.0f, 0.0f};
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const float cx = (2.0f * x + 1.0f) / image.width() - 1.0f;
                const float cy = (2.0f * y + 1.0f) / image.height() - 1.0f;
                if (cx * cx + cy * cy > radius * radius) {
                    continue;
                }
                const ILubyte* p = image.pixel(x, y);
                const int high = std::max({p[0], p[1], p[2]});
                const int low = std::min({p[0], p[1], p[2]});
                look.brightness += static_cast<float>(high) / 255.0f;
                look.saturation += high == 0 ? 0.0f : static_cast<float>(high - low) / high;
                ++count;
            }
        }
        return Look{look.brightness / count, look.saturation / count};
    };
    // The hull's picture out to its rim; the tile's whole square.
    const Look craft = lookOf(LoadedImage(dataDir() + "/tex/ship.png"), 0.95f);
    const Look tiles = lookOf(LoadedImage(dataDir() + "/tex/stones.png"), 2.0f);
    EXPECT_GT(craft.brightness, 0.8f);
    EXPECT_GT(craft.saturation, 0.5f);
    EXPECT_LT(tiles.saturation, 0.2f);
}

// The icon: the craft whole on a transparent square, smoothed at its edges, alike at both
// sizes.
TEST_F(AssetTool, TheIconIsTheWholeCraftOnATransparentSquare) {
    std::vector<float> coverage;
    for (const int size : iconSizes) {
        SCOPED_TRACE(size);
        const LoadedImage icon(iconPath(WIBZ_ICON_DIR, size));
        ASSERT_TRUE(icon.ok());
        ASSERT_EQ(icon.bytesPerPixel(), 4);
        ASSERT_EQ(icon.width(), size);
        ASSERT_EQ(icon.height(), size);
        int opaque = 0;
        int partial = 0;
        int orange = 0;
        int onBorder = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const ILubyte* p = icon.pixel(x, y);
                const bool border = x == 0 || y == 0 || x == size - 1 || y == size - 1;
                onBorder += border && p[3] > 0 ? 1 : 0;
                partial += p[3] > 0 && p[3] < 255 ? 1 : 0;
                opaque += p[3] == 255 ? 1 : 0;
                orange += p[3] == 255 && p[0] > 150 && p[0] > 2 * p[2] ? 1 : 0;
            }
        }
        EXPECT_EQ(onBorder, 0); // nothing cut off
        EXPECT_GT(partial, size);
        EXPECT_GT(orange, opaque / 3); // the hull's colour, lit
        EXPECT_EQ(icon.pixel(size / 2, size / 2)[3], 255);
        coverage.push_back(static_cast<float>(opaque + partial) / (size * size));
    }
    EXPECT_GT(coverage[0], 0.4f);
    EXPECT_NEAR(coverage[0], coverage[1], 0.05f);
}

TEST_F(AssetTool, ASecondRunWritesTheSameBytes) {
    TempDir dir;
    const std::string command =
        std::string(WIBZ_ASSET_TOOL) + " " + dir.path() + " " + dir.path() + "/icons";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<DataFile> files(std::begin(modelFiles), std::end(modelFiles));
    files.insert(files.end(), std::begin(textureFiles), std::end(textureFiles));
    for (const DataFile& file : files) {
        SCOPED_TRACE(file.path);
        const std::vector<std::uint8_t> again = readWholeFile(dir.path() + "/" + file.path);
        ASSERT_FALSE(again.empty());
        EXPECT_TRUE(again == readWholeFile(dataDir() + "/" + file.path));
    }
    for (const int size : iconSizes) {
        const std::vector<std::uint8_t> again =
            readWholeFile(iconPath(dir.path() + "/icons", size));
        ASSERT_FALSE(again.empty());
        EXPECT_TRUE(again == readWholeFile(iconPath(WIBZ_ICON_DIR, size))) << size;
    }
}
