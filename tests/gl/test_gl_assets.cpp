// test_gl_assets.cpp -- textures and display lists in a real GLUT window under Xvfb: the
// loading lines, formats and conversions, the list slots and rebuilds, and what a list
// sends, read back through GL's feedback mode. Runs in the generated data folder.
#include "asset_test_support.h"
#include "assets/display_lists.h"
#include "assets/model.h"
#include "assets/model_reader.h"
#include "assets/textures.h"
#include "tds_file.h"
#include "test_support.h"

#include <GL/freeglut.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>

namespace {
class GlutWindow : public testing::Environment {
  public:
    void SetUp() override {
        int argc = 1;
        char name[] = "wibz_gl_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitWindowSize(400, 300);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutCreateWindow("Wibz3D GL tests");
        ilInit();
        iluInit();
    }
};
const testing::Environment* const window = testing::AddGlobalTestEnvironment(new GlutWindow);

// Runs fn inside a data folder linking every generated file but one.
template <typename Fn> void withoutDataFile(const std::string& left, Fn fn) {
    TempDir dir;
    for (const char* sub : {"models", "tex"}) {
        std::filesystem::create_directories(dir.path() + "/" + sub);
        for (const auto& entry : std::filesystem::directory_iterator(dataDir() + "/" + sub)) {
            const std::string name = std::string(sub) + "/" + entry.path().filename().string();
            if (name != left) {
                std::filesystem::create_symlink(entry.path(), dir.path() + "/" + name);
            }
        }
    }
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    fn();
    std::filesystem::current_path(saved);
}

GLint internalFormatOf(GLuint texture) {
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    return format;
}

struct FedVertex {
    float x, y, z;
    float colour[4];
    float tex[4];
};

// What a list sent to the rasteriser: one token per point, line or polygon, and every
// vertex in order.
struct Feedback {
    std::vector<GLfloat> tokens;
    std::vector<FedVertex> vertices;
    std::size_t count(std::initializer_list<GLfloat> kinds) const {
        return static_cast<std::size_t>(std::count_if(tokens.begin(), tokens.end(), [&](GLfloat t) {
            return std::find(kinds.begin(), kinds.end(), t) != kinds.end();
        }));
    }
};

// Calls the list in feedback mode with lighting and texturing off. The projection spans
// +-1000 so whole models stay inside the clip volume.
Feedback feedbackOf(GLuint list, bool unitView = false) {
    static std::vector<GLfloat> buffer(4000000);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glViewport(0, 0, 400, 300);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (!unitView) {
        glOrtho(-1000, 1000, -1000, 1000, -1000, 1000);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glCallList(list);
    const std::size_t used = static_cast<std::size_t>(glRenderMode(GL_RENDER));
    Feedback out;
    for (std::size_t i = 0; i < used;) {
        const GLfloat token = buffer[i++];
        out.tokens.push_back(token);
        std::size_t count = 1;
        if (token == GL_POLYGON_TOKEN) {
            count = static_cast<std::size_t>(buffer[i++]);
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            count = 2;
        }
        for (std::size_t k = 0; k < count; ++k, i += 11) {
            FedVertex v{};
            std::memcpy(&v, &buffer[i], sizeof v);
            out.vertices.push_back(v);
        }
    }
    return out;
}

// Reads a test file into a model of its own and compiles its first object as
// buildModelLists does.
GLuint listOf(const std::string& path) {
    Model model;
    ModelReader().import3ds(model, path.c_str());
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    emitModel(model, 0);
    glEnd();
    glEndList();
    return list;
}
} // namespace

TEST(Textures, ImagesLoadInTableOrderEachWithItsLineAndAMissingOneLeavesItsSlotZero) {
    const std::string out = captureStdout(loadTextures);
    EXPECT_EQ(out.rfind("Loaded 'tex/shadow.png' ok (", 0), 0u) << out;
    std::string expected; // each line with its slot's GL name; DevIL's image names left out
    GLuint previous = 0;
    for (const DataFile& file : textureFiles) {
        const GLuint name = textures[file.slot];
        expected += "Loaded '" + std::string(file.path) + "' ok (" + std::to_string(name) + "@)\n";
        EXPECT_GT(name, previous) << file.path; // GL names are taken in loading order
        EXPECT_EQ(glIsTexture(name), GL_TRUE);
        previous = name;
    }
    EXPECT_EQ(std::regex_replace(out, std::regex("@[0-9]+\\)"), "@)"), expected);
    EXPECT_EQ(internalFormatOf(textures[TEX_BASE]), GL_RGBA);  // PNG, 4 bytes per pixel
    EXPECT_EQ(internalFormatOf(textures[TEX_BG]), GL_RGB);     // JPEG, 3
    EXPECT_EQ(internalFormatOf(textures[TEX_SHADOW]), GL_RGB); // PNG, 3

    std::string without;
    withoutDataFile("tex/kombo.png", [&] { without = captureStdout(loadTextures); });
    std::ostringstream error;
    error << "Error loading texture(" << IL_COULD_NOT_OPEN_FILE
          << "): " << iluErrorString(IL_COULD_NOT_OPEN_FILE) << "\nLoaded 'tex/gameover.png' ok (";
    EXPECT_EQ(static_cast<std::size_t>(std::count(without.begin(), without.end(), '\n')),
              textureFileCount); // a line for each
    EXPECT_NE(without.find(error.str()), std::string::npos) << without;
    EXPECT_EQ(textures[TEX_KOMBO], 0u);
}

TEST(Textures, GreyPalettedAndSixteenBitImagesAreConvertedBeforeUpload) {
    TempDir dir;
    const ILubyte grey[4] = {200, 200, 200, 200};
    const ILubyte greyAlpha[8] = {200, 255, 200, 255, 200, 255, 200, 255};
    const ILushort deep[12] = {0xC800, 0x6400, 0x0A00, 0xC800, 0x6400, 0x0A00,
                               0xC800, 0x6400, 0x0A00, 0xC800, 0x6400, 0x0A00};
    const ILubyte colour[12] = {200, 100, 10, 200, 100, 10, 200, 100, 10, 200, 100, 10};
    const struct {
        ILubyte channels;
        ILenum layout;
        ILenum type;
        const void* pixels;
        bool palette;
        GLint format;
        GLubyte rgb[3];
    } cases[] = {
        {1, IL_LUMINANCE, IL_UNSIGNED_BYTE, grey, false, GL_RGB, {200, 200, 200}},
        {2, IL_LUMINANCE_ALPHA, IL_UNSIGNED_BYTE, greyAlpha, false, GL_RGBA, {200, 200, 200}},
        {3, IL_RGB, IL_UNSIGNED_SHORT, deep, false, GL_RGB, {200, 100, 10}},
        {3, IL_RGB, IL_UNSIGNED_BYTE, colour, true, GL_RGB, {200, 100, 10}},
    };
    for (const auto& c : cases) {
        const std::string path = dir.path() + "/" + std::to_string(&c - cases) + ".png";
        SCOPED_TRACE(path);
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        ilTexImage(2, 2, 1, c.channels, c.layout, c.type, const_cast<void*>(c.pixels));
        if (c.palette) {
            ilConvertImage(IL_COLOUR_INDEX, IL_UNSIGNED_BYTE);
        }
        EXPECT_TRUE(ilSave(IL_PNG, path.c_str()));
        ilDeleteImages(1, &image);

        GLuint name = 0;
        captureStdout([&] { name = loadTexture(path.c_str(), false); });
        ASSERT_NE(name, 0u);
        EXPECT_EQ(internalFormatOf(name), c.format);
        GLubyte pixels[2 * 2 * 4] = {};
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(pixels[k], c.rgb[k], 2) << k;
        }
        EXPECT_EQ(pixels[15], 255);
    }
}

TEST(DisplayLists, StartUpFillsTheSlotsAndARebuildReplacesEveryNameAndObject) {
    sceneModel.objects.emplace_back(); // left from an earlier build: a build starts afresh
    sceneModel.objectCount += 1;
    const int drawnBefore = modelsDrawn;
    GLuint table[LIST_SLOT_COUNT] = {};
    EXPECT_EQ(captureStderr([&] { EXPECT_TRUE(buildModelLists(table, GL_TRIANGLES)); }), "");
    ASSERT_EQ(sceneModel.objectCount, 5);
    EXPECT_EQ(modelsDrawn, drawnBefore + 5);
    const char* const names[5] = {"slab", "tower", "saucer", "crater", "beam"};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_STREQ(sceneModel.objects[i].name, names[i]);
    }
    const std::size_t slabFaces = static_cast<std::size_t>(sceneModel.objects[0].faceCount);
    EXPECT_EQ(feedbackOf(table[LIST_STONES]).count({GL_POLYGON_TOKEN}), slabFaces);
    const std::vector<GLuint> first(table, table + LIST_SLOT_COUNT);
    EXPECT_EQ(std::count(first.begin(), first.end(), 0u), LIST_SLOT_COUNT - 7); // 5 models, quad x2

    captureStderr([&] { EXPECT_TRUE(buildModelLists(table, GL_LINE_STRIP)); });
    // The model holds the five objects just read, not ten: F3 does not grow it.
    ASSERT_EQ(sceneModel.objectCount, 5);
    EXPECT_EQ(sceneModel.objects.size(), 5u);
    EXPECT_STREQ(sceneModel.objects[3].name, "crater");
    EXPECT_EQ(modelsDrawn, drawnBefore + 10);
    for (int slot = 0; slot < LIST_SLOT_COUNT; ++slot) {
        if (first[slot] != 0) { // every filled slot has a new list; the old ones were deleted
            EXPECT_EQ(glIsList(first[slot]), GL_FALSE) << slot;
            EXPECT_EQ(glIsList(table[slot]), GL_TRUE) << slot;
        }
    }
    EXPECT_EQ(table[LIST_SHADOW_QUAD], table[LIST_QUAD]);
    // One polyline through every corner of every face.
    EXPECT_EQ(feedbackOf(table[LIST_STONES]).count({GL_LINE_TOKEN, GL_LINE_RESET_TOKEN}),
              3 * slabFaces - 1);

    // The quad stays filled: two units square, facing z, the image's first row at the top.
    // Mesa feeds it back as one polygon or as two triangles, each corner with its texture
    // coordinates; with identity transforms x -1..1 covers the 400-pixel viewport, y 300 rows.
    glNormal3f(0.0f, 1.0f, 0.0f);
    const Feedback quad = feedbackOf(table[LIST_QUAD], true);
    EXPECT_EQ(quad.count({GL_POLYGON_TOKEN}), quad.tokens.size());
    EXPECT_GE(quad.tokens.size(), 1u);
    std::set<int> seen;
    for (const FedVertex& v : quad.vertices) {
        const bool right = std::fabs(v.x - 400.0f) < 1e-3f;
        const bool top = std::fabs(v.y - 300.0f) < 1e-3f;
        EXPECT_TRUE((right || v.x == 0.0f) && (top || v.y == 0.0f)) << v.x << "," << v.y;
        EXPECT_TRUE(v.tex[0] == (right ? 1.0f : 0.0f) && v.tex[1] == (top ? 0.0f : 1.0f));
        seen.insert(2 * right + top);
    }
    EXPECT_EQ(seen.size(), 4u); // every corner
    GLfloat normal[4] = {};
    glCallList(table[LIST_QUAD]);
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_EQ(normal[2], 1.0f);
}

TEST(DisplayLists, ObjectsSendCoordinatesOnlyWhereTheyExistAndColoursOnlyWhenUntextured) {
    TempDir dir;
    // The triangle with three vertices and two coordinate pairs, in the material if any.
    const auto listWith = [&dir](const char* file, std::vector<TdsMaterial> materials) {
        TdsScene scene;
        scene.materials = materials;
        scene.meshes = {TdsMesh{"tri",
                                {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}},
                                {{0.25f, 0.5f}, {0.75f, 1.0f}},
                                {{0, 1, 2}},
                                materials.empty() ? "" : materials[0].name}};
        return listOf(dir.write(file, buildTdsFile(scene)));
    };
    const GLuint bare = listWith("bare.3DS", {});
    const GLuint skinned = listWith("skinned.3DS", {{"SKINNED", {1, 2, 3}, "skin.png"}});
    const GLuint painted = listWith("painted.3DS", {{"PAINTED", {255, 0, 51}, ""}});

    glColor4f(0.5f, 0.25f, 1.0f, 1.0f);
    glTexCoord2f(0.125f, 0.375f);
    const std::vector<FedVertex> s = feedbackOf(skinned).vertices;
    ASSERT_EQ(s.size(), 3u);
    EXPECT_TRUE(s[0].tex[0] == 0.25f && s[1].tex[1] == 1.0f);
    EXPECT_EQ(s[2].tex[0], 0.75f);   // no pair of its own: the last one sent holds
    EXPECT_EQ(s[2].colour[0], 0.5f); // textured: no colour sent

    const std::vector<FedVertex> p = feedbackOf(painted).vertices;
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[1].colour[0], 1.0f);
    EXPECT_NEAR(p[1].colour[2], 0.2f, 1e-6f);

    glColor4f(0.5f, 0.25f, 1.0f, 1.0f);
    const std::vector<FedVertex> b = feedbackOf(bare).vertices;
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0].colour[1], 0.25f); // no material: the current colour
}

TEST(DisplayLists, AMissingModelEmptiesOnlyItsOwnList) {
    GLuint table[LIST_SLOT_COUNT] = {};
    std::string messages;
    withoutDataFile("models/ship.3DS", [&] {
        messages = captureStderr([&] { buildModelLists(table, GL_TRIANGLES); });
    });
    EXPECT_EQ(messages, "Error: Unable to find the file: models/ship.3DS!\n");
    EXPECT_EQ(glIsList(table[LIST_SHIP]), GL_TRUE);
    EXPECT_TRUE(feedbackOf(table[LIST_SHIP]).tokens.empty());
    // The lists after it still draw their own objects: the world is the crater.
    const ModelObject& crater =
        sceneModel.objects[static_cast<std::size_t>(sceneModel.objectCount - 2)];
    EXPECT_STREQ(crater.name, "crater");
    EXPECT_EQ(feedbackOf(table[LIST_WORLD]).count({GL_POLYGON_TOKEN}),
              static_cast<std::size_t>(crater.faceCount));
}
