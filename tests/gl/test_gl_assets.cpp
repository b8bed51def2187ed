// test_gl_assets.cpp -- textures and display lists in a real GLUT window under Xvfb: the
// loading lines, formats and conversions, the list slots and rebuilds, and what a list
// sends, read back through GL's feedback mode. Runs in the generated data folder.
#include "asset_test_support.h"
#include "assets/display_lists.h"
#include "assets/model.h"
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
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <unistd.h>

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

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Runs with the working directory switched, for data folders missing a file.
class InFolder {
  public:
    explicit InFolder(const std::string& path) : saved(std::filesystem::current_path()) {
        std::filesystem::current_path(path);
    }
    ~InFolder() { std::filesystem::current_path(saved); }

  private:
    std::filesystem::path saved;
};

// A data folder linking every generated file but one.
void linkDataExcept(const TempDir& dir, const std::string& left) {
    for (const char* sub : {"models", "tex"}) {
        std::filesystem::create_directories(dir.path() + "/" + sub);
        for (const auto& entry : std::filesystem::directory_iterator(dataDir() + "/" + sub)) {
            const std::string name = std::string(sub) + "/" + entry.path().filename().string();
            if (name != left) {
                std::filesystem::create_symlink(entry.path(), dir.path() + "/" + name);
            }
        }
    }
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

struct Primitive {
    GLfloat token;
    std::vector<FedVertex> vertices;
};

// Calls the list in feedback mode with lighting and texturing off and returns what reached
// the rasteriser. The projection spans +-1000 so whole models stay inside the clip volume.
std::vector<Primitive> feedbackOf(GLuint list, bool unitView = false) {
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
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Primitive> out;
    const auto vertexAt = [&](GLint& i) {
        FedVertex v{};
        std::memcpy(&v, &buffer[static_cast<std::size_t>(i)], sizeof v);
        i += 11;
        return v;
    };
    for (GLint i = 0; i < used;) {
        Primitive p{buffer[static_cast<std::size_t>(i++)], {}};
        int count = 1;
        if (p.token == GL_POLYGON_TOKEN) {
            count = static_cast<int>(buffer[static_cast<std::size_t>(i++)]);
        } else if (p.token == GL_LINE_TOKEN || p.token == GL_LINE_RESET_TOKEN) {
            count = 2;
        }
        for (int k = 0; k < count; ++k) {
            p.vertices.push_back(vertexAt(i));
        }
        out.push_back(p);
    }
    return out;
}

std::size_t countOf(const std::vector<Primitive>& primitives,
                    std::initializer_list<GLfloat> tokens) {
    std::size_t n = 0;
    for (const Primitive& p : primitives) {
        for (GLfloat t : tokens) {
            n += p.token == t ? 1 : 0;
        }
    }
    return n;
}

// Builds one list from a test file through emitModel, as buildModelLists does.
GLuint listOf(const std::string& path) {
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    emitModel(path.c_str());
    glEnd();
    glEndList();
    return list;
}

TdsMesh triangle(const std::string& material) {
    TdsMesh mesh;
    mesh.name = "tri";
    mesh.materialName = material;
    mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}};
    mesh.faces = {{0, 1, 2}};
    return mesh;
}
} // namespace

TEST(Textures, ThirteenImagesLoadInOrderEachWithItsLine) {
    const std::string out = captureStdout([] { loadTextures(); });
    const std::vector<std::string> lines = linesOf(out);
    ASSERT_EQ(lines.size(), 13u) << out;
    const std::vector<std::pair<std::string, int>> order = {{"tex/shadow.png", TEX_SHADOW},
                                                            {"tex/Base.png", TEX_BASE},
                                                            {"tex/BG.jpg", TEX_BG},
                                                            {"tex/ship.png", TEX_SHIP},
                                                            {"tex/stones.png", TEX_STONES},
                                                            {"tex/nosort.png", TEX_NOSORT},
                                                            {"tex/shot.png", TEX_SHOT},
                                                            {"tex/twirl.png", TEX_TWIRL},
                                                            {"tex/smoke.png", TEX_SMOKE},
                                                            {"tex/mud.png", TEX_MUD},
                                                            {"tex/kombo.png", TEX_KOMBO},
                                                            {"tex/gameover.png", TEX_GAMEOVER},
                                                            {"tex/getready.png", TEX_GETREADY}};
    const std::regex loaded(R"(Loaded '([^']+)' ok \((\d+)@(\d+)\))");
    GLuint previous = 0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, loaded)) << lines[i];
        EXPECT_EQ(match[1].str(), order[i].first);
        const GLuint name = textures[order[i].second];
        EXPECT_EQ(match[2].str(), std::to_string(name));
        EXPECT_GT(name, previous); // names taken in loading order
        EXPECT_EQ(glIsTexture(name), GL_TRUE);
        previous = name;
    }
    EXPECT_EQ(internalFormatOf(textures[TEX_BASE]), GL_RGBA);  // PNG, 4 bytes per pixel
    EXPECT_EQ(internalFormatOf(textures[TEX_BG]), GL_RGB);     // JPEG, 3
    EXPECT_EQ(internalFormatOf(textures[TEX_SHADOW]), GL_RGB); // PNG, 3
    EXPECT_EQ(textures[0], 0u);
}

TEST(Textures, AMissingImagePrintsTheLibrarysErrorAndLeavesItsSlotZero) {
    TempDir dir;
    linkDataExcept(dir, "tex/kombo.png");
    std::string out;
    {
        InFolder inside(dir.path());
        out = captureStdout([] { loadTextures(); });
    }
    const std::vector<std::string> lines = linesOf(out);
    ASSERT_EQ(lines.size(), 13u) << out;
    std::ostringstream expected;
    expected << "Error loading texture(" << IL_COULD_NOT_OPEN_FILE
             << "): " << iluErrorString(IL_COULD_NOT_OPEN_FILE);
    EXPECT_EQ(lines[10], expected.str());
    EXPECT_EQ(lines[11].rfind("Loaded 'tex/gameover.png' ok (", 0), 0u);
    EXPECT_EQ(textures[TEX_KOMBO], 0u);
    EXPECT_NE(textures[TEX_GETREADY], 0u);
}

TEST(Textures, GreyPalettedAndSixteenBitImagesAreConvertedBeforeUpload) {
    TempDir dir;
    const auto save = [&dir](const char* name, ILubyte channels, ILenum layout, ILenum type,
                             const void* pixels, bool palette) {
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        ilTexImage(2, 2, 1, channels, layout, type, const_cast<void*>(pixels));
        if (palette) {
            ilConvertImage(IL_COLOUR_INDEX, IL_UNSIGNED_BYTE);
        }
        ilEnable(IL_FILE_OVERWRITE);
        const std::string path = dir.path() + "/" + name;
        EXPECT_TRUE(ilSave(IL_PNG, path.c_str()));
        ilDeleteImages(1, &image);
        return path;
    };
    const ILubyte grey[4] = {200, 200, 200, 200};
    const ILubyte greyAlpha[8] = {200, 255, 200, 255, 200, 255, 200, 255};
    const ILushort deep[12] = {0xC800, 0x6400, 0x0A00, 0xC800, 0x6400, 0x0A00,
                               0xC800, 0x6400, 0x0A00, 0xC800, 0x6400, 0x0A00};
    const ILubyte colour[12] = {200, 100, 10, 200, 100, 10, 200, 100, 10, 200, 100, 10};
    struct Case {
        std::string path;
        GLint format;
        std::array<GLubyte, 3> rgb;
    };
    const std::vector<Case> cases = {
        {save("grey.png", 1, IL_LUMINANCE, IL_UNSIGNED_BYTE, grey, false), GL_RGB, {200, 200, 200}},
        {save("greyalpha.png", 2, IL_LUMINANCE_ALPHA, IL_UNSIGNED_BYTE, greyAlpha, false),
         GL_RGBA,
         {200, 200, 200}},
        {save("deep.png", 3, IL_RGB, IL_UNSIGNED_SHORT, deep, false), GL_RGB, {200, 100, 10}},
        {save("palette.png", 3, IL_RGB, IL_UNSIGNED_BYTE, colour, true), GL_RGB, {200, 100, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        GLuint name = 0;
        captureStdout([&] { name = loadTexture(c.path.c_str(), false); });
        ASSERT_NE(name, 0u);
        EXPECT_EQ(internalFormatOf(name), c.format);
        GLubyte pixels[2 * 2 * 4] = {};
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        EXPECT_NEAR(pixels[0], c.rgb[0], 2);
        EXPECT_NEAR(pixels[1], c.rgb[1], 2);
        EXPECT_NEAR(pixels[2], c.rgb[2], 2);
        EXPECT_EQ(pixels[15], 255);
    }
}

TEST(DisplayLists, StartUpFillsTheSlotsAndARebuildReplacesEveryNameAndObject) {
    sceneModel.objects.emplace_back(); // left from an earlier build: a build starts afresh
    sceneModel.objectCount += 1;
    const int drawnBefore = modelsDrawn;
    GLuint table[LIST_SLOT_COUNT] = {};
    std::string messages;
    messages = captureStderr([&] { EXPECT_TRUE(buildModelLists(table, GL_TRIANGLES)); });
    EXPECT_EQ(messages, "");
    ASSERT_EQ(sceneModel.objectCount, 5);
    EXPECT_EQ(modelsDrawn, drawnBefore + 5);
    const char* const names[5] = {"slab", "tower", "saucer", "crater", "beam"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_STREQ(sceneModel.objects[static_cast<std::size_t>(i)].name, names[i]);
    }
    const int slots[6] = {LIST_STONES, LIST_NORMAL, LIST_QUAD, LIST_SHOT, LIST_SHIP, LIST_WORLD};
    GLuint first[LIST_SLOT_COUNT] = {};
    std::copy(std::begin(table), std::end(table), std::begin(first));
    for (int slot : slots) {
        EXPECT_EQ(glIsList(table[slot]), GL_TRUE) << slot;
    }
    EXPECT_EQ(table[LIST_SHADOW_QUAD], table[LIST_QUAD]);
    EXPECT_EQ(table[0], 0u);
    EXPECT_EQ(table[2], 0u);
    const std::size_t slabFaces = static_cast<std::size_t>(sceneModel.objects[0].faceCount);
    EXPECT_EQ(countOf(feedbackOf(table[LIST_STONES]), {GL_POLYGON_TOKEN}), slabFaces);

    captureStderr([&] { EXPECT_TRUE(buildModelLists(table, GL_LINE_STRIP)); });
    // The model holds the five objects just read, not ten: F3 does not grow it.
    ASSERT_EQ(sceneModel.objectCount, 5);
    EXPECT_EQ(sceneModel.objects.size(), 5u);
    EXPECT_STREQ(sceneModel.objects[3].name, "crater");
    EXPECT_EQ(modelsDrawn, drawnBefore + 10);
    for (int slot : slots) {
        EXPECT_EQ(glIsList(first[slot]), GL_FALSE) << slot; // the old names were deleted
        EXPECT_EQ(glIsList(table[slot]), GL_TRUE) << slot;
    }
    EXPECT_EQ(table[LIST_SHADOW_QUAD], table[LIST_QUAD]);
    // One polyline through every corner of every face.
    EXPECT_EQ(countOf(feedbackOf(table[LIST_STONES]), {GL_LINE_TOKEN, GL_LINE_RESET_TOKEN}),
              3 * slabFaces - 1);
    // The quad stays filled.
    EXPECT_GE(countOf(feedbackOf(table[LIST_QUAD], true), {GL_POLYGON_TOKEN}), 1u);
}

TEST(DisplayLists, TheQuadIsTwoUnitsSquareFacingZWithTheImagesFirstRowAtTheTop) {
    GLuint table[LIST_SLOT_COUNT] = {};
    captureStderr([&] { buildModelLists(table, GL_TRIANGLES); });
    glNormal3f(0.0f, 1.0f, 0.0f);
    // Mesa feeds the quad back as one polygon or as two triangles; either way each corner
    // comes with its texture coordinates.
    std::vector<FedVertex> corners;
    for (const Primitive& p : feedbackOf(table[LIST_QUAD], true)) {
        EXPECT_EQ(p.token, GL_POLYGON_TOKEN);
        corners.insert(corners.end(), p.vertices.begin(), p.vertices.end());
    }
    // Identity transforms: x -1..1 covers the 400-pixel viewport, y -1..1 its 300 rows.
    const float expected[4][4] = {{0, 0, 0, 1}, {400, 0, 1, 1}, {400, 300, 1, 0}, {0, 300, 0, 0}};
    for (const auto& corner : expected) {
        const auto found = std::find_if(corners.begin(), corners.end(), [&](const FedVertex& v) {
            return std::fabs(v.x - corner[0]) < 1e-3f && std::fabs(v.y - corner[1]) < 1e-3f;
        });
        ASSERT_NE(found, corners.end()) << corner[0] << "," << corner[1];
        EXPECT_EQ(found->tex[0], corner[2]);
        EXPECT_EQ(found->tex[1], corner[3]);
    }
    for (const FedVertex& v : corners) {
        EXPECT_TRUE((v.x == 0.0f || std::fabs(v.x - 400.0f) < 1e-3f) &&
                    (v.y == 0.0f || std::fabs(v.y - 300.0f) < 1e-3f));
    }
    GLfloat normal[4] = {};
    glCallList(table[LIST_QUAD]);
    glGetFloatv(GL_CURRENT_NORMAL, normal);
    EXPECT_EQ(normal[2], 1.0f);
}

TEST(DisplayLists, ObjectsSendCoordinatesOnlyWhereTheyExistAndColoursOnlyWhenUntextured) {
    TempDir dir;
    TdsScene partial;
    partial.materials = {{"SKINNED", {1, 2, 3}, "skin.png"}};
    partial.meshes = {triangle("SKINNED")};
    partial.meshes[0].texCoords = {{0.25f, 0.5f}, {0.75f, 1.0f}}; // three vertices, two pairs
    TdsScene painted;
    painted.materials = {{"PAINTED", {255, 0, 51}, ""}};
    painted.meshes = {triangle("PAINTED")};
    TdsScene bare;
    bare.meshes = {triangle("")};
    Model saved = sceneModel;
    sceneModel = Model(); // so "bare" meets no materials from earlier files
    const GLuint bareList = listOf(dir.write("bare.3DS", buildTdsFile(bare)));
    const GLuint partialList = listOf(dir.write("partial.3DS", buildTdsFile(partial)));
    const GLuint paintedList = listOf(dir.write("painted.3DS", buildTdsFile(painted)));
    sceneModel = saved;

    glColor4f(0.5f, 0.25f, 1.0f, 1.0f);
    glTexCoord2f(0.125f, 0.375f);
    const std::vector<Primitive> p = feedbackOf(partialList);
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].vertices[0].tex[0], 0.25f);
    EXPECT_EQ(p[0].vertices[1].tex[1], 1.0f);
    EXPECT_EQ(p[0].vertices[2].tex[0], 0.75f);   // no pair of its own: the last one sent holds
    EXPECT_EQ(p[0].vertices[2].colour[0], 0.5f); // textured: no colour sent

    const std::vector<Primitive> q = feedbackOf(paintedList);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].vertices[1].colour[0], 1.0f);
    EXPECT_NEAR(q[0].vertices[1].colour[2], 0.2f, 1e-6f);

    glColor4f(0.5f, 0.25f, 1.0f, 1.0f);
    const std::vector<Primitive> r = feedbackOf(bareList);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].vertices[0].colour[1], 0.25f); // no material: the current colour
}

TEST(DisplayLists, AMissingModelEmptiesOnlyItsOwnList) {
    TempDir dir;
    linkDataExcept(dir, "models/ship.3DS");
    GLuint table[LIST_SLOT_COUNT] = {};
    std::string messages;
    {
        InFolder inside(dir.path());
        messages = captureStderr([&] { buildModelLists(table, GL_TRIANGLES); });
    }
    EXPECT_EQ(messages, "Error: Unable to find the file: models/ship.3DS!\n");
    EXPECT_EQ(glIsList(table[LIST_SHIP]), GL_TRUE);
    EXPECT_TRUE(feedbackOf(table[LIST_SHIP]).empty());
    // The lists after it still draw their own objects: the world is the crater.
    const ModelObject& crater =
        sceneModel.objects[static_cast<std::size_t>(sceneModel.objectCount - 2)];
    EXPECT_STREQ(crater.name, "crater");
    EXPECT_EQ(countOf(feedbackOf(table[LIST_WORLD]), {GL_POLYGON_TOKEN}),
              static_cast<std::size_t>(crater.faceCount));
}
