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
        for (const auto& entry : std::filesystem::directory_iterator(dataPath(sub))) {
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

// Each model file's list sends what the object its file supplied holds: perFace tokens a
// face, less one for the polyline; files read in table order, one object each, and the
// missing one supplying none and leaving its list empty.
void expectEachListDrawsItsOwnObject(const GLuint* table, std::initializer_list<GLfloat> kinds,
                                     std::size_t perFace, std::size_t less = 0,
                                     const std::string& missing = "") {
    std::size_t object = 0;
    for (const DataFile& file : modelFiles) {
        const std::size_t tokens = feedbackOf(table[file.slot]).count(kinds);
        if (file.path == missing) {
            EXPECT_EQ(tokens, 0u) << file.path;
        } else if (object < sceneModel.objects.size()) {
            EXPECT_EQ(tokens, perFace * sceneModel.objects[object++].faces.size() - less)
                << file.path;
        }
    }
    EXPECT_EQ(sceneModel.objects.size(), object);
    EXPECT_EQ(sceneModel.objectCount, static_cast<std::int32_t>(object));
}
} // namespace

TEST(Textures, ImagesLoadInTableOrderEachWithItsLineAndAMissingOneLeavesItsSlotZero) {
    const std::string out = captureStdout(loadTextures);
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
    const std::string error = "Error loading texture(" + std::to_string(IL_COULD_NOT_OPEN_FILE) +
                              "): " + iluErrorString(IL_COULD_NOT_OPEN_FILE);
    std::istringstream lines(without);
    for (const DataFile& file : textureFiles) { // a line for each, in the table's order
        std::string line;
        std::getline(lines, line);
        const std::string start = "Loaded '" + std::string(file.path) + "' ok (";
        EXPECT_EQ(line.rfind(file.slot == TEX_KOMBO ? error : start, 0), 0u) << line;
    }
    EXPECT_EQ(textures[TEX_KOMBO], 0u);
}

TEST(Textures, GreyPalettedAndSixteenBitImagesAreConvertedBeforeUpload) {
    TempDir dir;
    const ILubyte grey[1] = {200}, greyAlpha[2] = {200, 255}, colour[3] = {200, 100, 10};
    const ILushort deep[3] = {0xC800, 0x6400, 0x0A00};
    const struct {
        ILubyte channels;
        ILenum layout, type;
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
        ilTexImage(1, 1, 1, c.channels, c.layout, c.type, const_cast<void*>(c.pixels));
        if (c.palette) {
            ilConvertImage(IL_COLOUR_INDEX, IL_UNSIGNED_BYTE);
        }
        EXPECT_TRUE(ilSave(IL_PNG, path.c_str()));
        ilDeleteImages(1, &image);

        GLuint name = 0;
        captureStdout([&] { name = loadTexture(path.c_str(), false); });
        ASSERT_NE(name, 0u);
        EXPECT_EQ(internalFormatOf(name), c.format);
        GLubyte rgba[4] = {};
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(rgba[k], c.rgb[k], 2) << k;
        }
        EXPECT_EQ(rgba[3], 255);
    }
}

TEST(DisplayLists, StartUpFillsTheSlotsAndARebuildReplacesEveryNameAndObject) {
    sceneModel.objects.emplace_back(); // left from an earlier build: a build starts afresh
    sceneModel.objectCount += 1;
    const int drawnBefore = modelsDrawn;
    GLuint table[LIST_SLOT_COUNT] = {};
    EXPECT_EQ(captureStderr([&] { EXPECT_TRUE(buildModelLists(table, GL_TRIANGLES)); }), "");
    EXPECT_EQ(modelsDrawn, drawnBefore + static_cast<int>(modelFileCount));
    expectEachListDrawsItsOwnObject(table, {GL_POLYGON_TOKEN}, 1);
    const std::vector<GLuint> first(table, table + LIST_SLOT_COUNT);
    // The model lists and the quad, whose name the shadow's slot shares.
    EXPECT_EQ(LIST_SLOT_COUNT - std::count(first.begin(), first.end(), 0u), modelFileCount + 2);
    EXPECT_EQ(table[LIST_SHADOW_QUAD], table[LIST_QUAD]);

    // F3: one polyline through every corner of every face; the model does not grow.
    captureStderr([&] { EXPECT_TRUE(buildModelLists(table, GL_LINE_STRIP)); });
    EXPECT_EQ(modelsDrawn, drawnBefore + 2 * static_cast<int>(modelFileCount));
    expectEachListDrawsItsOwnObject(table, {GL_LINE_TOKEN, GL_LINE_RESET_TOKEN}, 3, 1);
    for (int slot = 0; slot < LIST_SLOT_COUNT; ++slot) {
        if (first[slot] != 0) { // every filled slot has a new list; the old ones were deleted
            EXPECT_TRUE(glIsList(first[slot]) == GL_FALSE && glIsList(table[slot]) == GL_TRUE);
        }
    }

    // The quad stays filled: two units square facing z, the image's first row at the top.
    // Mesa feeds it back as one polygon or two triangles; with identity transforms x -1..1
    // covers the 400-pixel viewport, y the 300 rows.
    const Feedback quad = feedbackOf(table[LIST_QUAD], true);
    EXPECT_TRUE(!quad.tokens.empty() && quad.count({GL_POLYGON_TOKEN}) == quad.tokens.size());
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
    glNormal3f(0.0f, 1.0f, 0.0f);
    glCallList(table[LIST_QUAD]);
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_EQ(normal[2], 1.0f);
}

TEST(DisplayLists, AMissingModelEmptiesOnlyItsOwnList) {
    GLuint table[LIST_SLOT_COUNT] = {};
    std::string messages;
    withoutDataFile("models/ship.3DS", [&] {
        messages = captureStderr([&] { buildModelLists(table, GL_TRIANGLES); });
    });
    EXPECT_EQ(messages, "Error: Unable to find the file: models/ship.3DS!\n");
    EXPECT_EQ(glIsList(table[LIST_SHIP]), GL_TRUE);
    expectEachListDrawsItsOwnObject(table, {GL_POLYGON_TOKEN}, 1, 0, "models/ship.3DS");
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
        Model model;
        ModelReader().import3ds(model, dir.write(file, buildTdsFile(scene)).c_str());
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        emitModel(model, 0);
        glEnd();
        glEndList();
        return feedbackOf(list).vertices;
    };
    glColor4f(0.5f, 0.25f, 1.0f, 1.0f);
    glTexCoord2f(0.125f, 0.375f);
    const std::vector<FedVertex> s = listWith("skinned.3DS", {{"SKINNED", {1, 2, 3}, "skin.png"}});
    ASSERT_EQ(s.size(), 3u);
    EXPECT_TRUE(s[0].tex[0] == 0.25f && s[1].tex[1] == 1.0f);
    EXPECT_EQ(s[2].tex[0], 0.75f);   // no pair of its own: the last one sent holds
    EXPECT_EQ(s[2].colour[0], 0.5f); // textured: no colour sent

    const std::vector<FedVertex> p = listWith("painted.3DS", {{"PAINTED", {255, 0, 51}, ""}});
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[1].colour[0], 1.0f);
    EXPECT_NEAR(p[1].colour[2], 0.2f, 1e-6f);

    glColor4f(0.5f, 0.25f, 1.0f, 1.0f);
    const std::vector<FedVertex> b = listWith("bare.3DS", {});
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0].colour[1], 0.25f); // no material: the current colour
}
