// test_gl_assets.cpp -- textures and display lists in a real GLUT window under Xvfb: the
// loading lines, the list slots and rebuilds, and what each list sends, read back through
// GL's feedback mode. Runs in the data folder; opens the window test_scene_drawing.cpp uses.
#include "asset_test_support.h"
#include "desktop_gl/display_lists.h"
#include "desktop_gl/image_files.h"
#include "render/textures.h"
#include "test_support.h"

#include <GL/freeglut.h>
#include <IL/il.h>
#include <IL/ilu.h>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <malloc.h>
#include <regex>

// AddressSanitizer's count of the bytes its malloc has handed out and not taken back; absent
// from a build without it, where glibc's counters serve.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace {
// The program's one window, 400 x 300, opened before the first test and mapped, so what a
// swapped frame shows can be read back.
const bool windowOpen = [] {
    int argc = 1;
    char name[] = "wibz_gl_tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitWindowSize(400, 300);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Wibz3D GL tests");
    glutDisplayFunc([] {});
    for (int i = 0; i < 20; ++i) {
        glutMainLoopEvent();
    }
    return true;
}();

// Runs fn inside a copy of the data folder without one of its files.
template <typename Fn> void withoutDataFile(const std::string& left, Fn fn) {
    TempDir dir;
    for (const char* sub : {"models", "tex"}) {
        std::filesystem::copy(dataPath(sub), dir.path() + "/" + sub);
    }
    std::filesystem::remove(dir.path() + "/" + left);
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    fn();
    std::filesystem::current_path(saved);
}

// Heap bytes in use, not counting free memory the allocator keeps for reuse.
std::size_t heapInUse() {
    if (__sanitizer_get_current_allocated_bytes != nullptr) {
        return __sanitizer_get_current_allocated_bytes();
    }
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

struct FedVertex {
    float x, y, z, colour[4], tex[4];
};
// What a list sent to the rasteriser: its polygons or lines, their corners, and the normal
// it left current.
struct Feedback {
    std::size_t primitives = 0;
    std::vector<FedVertex> vertices;
    GLfloat normal[4] = {};
};

// Calls the list in feedback mode, lighting off, after a colour and a normal of its own,
// through a 400 x 300 viewport and an orthographic view of +-extent (1000 holds whole models).
Feedback feedbackOf(GLuint list, double extent = 1000.0) {
    static std::vector<GLfloat> buffer(4000000);
    glDisable(GL_LIGHTING);
    glColor4f(0.5f, 0.25f, 1.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 0.0f);
    glViewport(0, 0, 400, 300);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-extent, extent, -extent, extent, -extent, extent);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    glCallList(list);
    const auto used = static_cast<std::size_t>(glRenderMode(GL_RENDER));
    Feedback out;
    glGetFloatv(GL_CURRENT_NORMAL, out.normal);
    for (std::size_t i = 0; i < used;) {
        const GLfloat token = buffer[i++];
        out.primitives += token != GL_POINT_TOKEN; // lists hold no bitmaps or pixel copies
        auto corners = token == GL_POLYGON_TOKEN ? static_cast<std::size_t>(buffer[i++])
                                                 : std::size_t{token == GL_POINT_TOKEN ? 1u : 2u};
        for (; corners > 0; --corners, i += 11) {
            out.vertices.emplace_back();
            std::memcpy(&out.vertices.back(), &buffer[i], sizeof(FedVertex));
        }
    }
    return out;
}

// Each model file's list sends the object its own file supplied: a polygon a face, or one
// polyline of three lines a face less one; files read in table order, one object each, the
// missing one supplying none and leaving its list empty. The game's models are textured:
// each corner sends its normal and its vertex's coordinates, and no colour.
void expectEachListDrawsItsOwnObject(const GLuint* table, bool lines, const char* missing = "") {
    std::size_t object = 0;
    for (const DataFile& file : modelFiles) {
        const Feedback sent = feedbackOf(table[file.slot]);
        if (file.path == std::string(missing)) {
            EXPECT_EQ(sent.vertices.size(), 0u);
        } else if (object < sceneModel.objects.size() && !sent.vertices.empty()) {
            const ModelObject& o = sceneModel.objects[object++];
            const std::size_t faces = o.faces.size();
            EXPECT_EQ(sent.primitives, lines ? 3 * faces - 1 : faces) << file.path;
            const TexCoord& t = o.texCoords.at(o.faces.at(0).vertexIndex[0]);
            const FedVertex& v = sent.vertices[0];
            EXPECT_TRUE(v.tex[0] == t.u && v.tex[1] == t.v && v.colour[0] == 0.5f) << file.path;
            const Vector3& last = o.normals.at(o.faces.back().vertexIndex[2]);
            EXPECT_TRUE(sent.normal[0] == last.x && sent.normal[1] == last.y &&
                        sent.normal[2] == last.z);
        }
    }
    EXPECT_EQ(sceneModel.objects.size(), object);
}
} // namespace

TEST(Textures, ImagesLoadInTableOrderEachWithItsLineAndAMissingOneLeavesItsSlotZero) {
    std::string out, expected;
    withoutDataFile("tex/kombo.png", [&] { out = captureStdout(loadTextures); });
    GLuint previous = 0; // GL names are taken in loading order
    for (const DataFile& file : textureFiles) {
        const GLuint name = textures[file.slot];
        const bool missing = file.slot == TEX_KOMBO;
        EXPECT_TRUE(missing ? name == 0 : name > previous && glIsTexture(name)) << file.path;
        previous = std::max(previous, name);
        // Each image's line with its slot's GL name; DevIL's image names left out.
        expected += missing ? "Error loading texture(" + std::to_string(IL_COULD_NOT_OPEN_FILE) +
                                  "): " + iluErrorString(IL_COULD_NOT_OPEN_FILE) + "\n"
                            : "Loaded '" + std::string(file.path) + "' ok (" +
                                  std::to_string(name) + "@)\n";
    }
    EXPECT_EQ(std::regex_replace(out, std::regex("@[0-9]+\\)"), "@)"), expected);
    GLint format = 0;
    glBindTexture(GL_TEXTURE_2D, textures[TEX_BASE]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(format, GL_RGBA); // a PNG with alpha keeps it: the glows' edges fade
}

// An image wider than GL takes: the line gives GL's error code with GL's own text for it.
TEST(Textures, AnImageTooWideForGlIsReportedWithGlsTextForItsError) {
    GLint widest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &widest);
    const std::string header = "P6 " + std::to_string(widest + 1) + " 1 255\n";
    std::vector<std::uint8_t> bytes(header.begin(), header.end());
    bytes.resize(bytes.size() + (widest + 1) * 3, 128);
    TempDir dir;
    const std::string path = dir.write("wide.ppm", bytes);
    ilInit(); // as loadTextures starts DevIL
    const std::string out = captureStdout([&] { loadTexture(path.c_str(), false); });
    EXPECT_EQ(out, "Error GL-binding texture(" + std::to_string(GL_INVALID_VALUE) +
                       "): invalid value\n");
}

// Start-up with the craft's file missing, then F3's rebuild from the whole folder.
TEST(DisplayLists, EachListDrawsItsOwnFileAndARebuildReplacesEveryNameAndObject) {
    sceneModel.objects.emplace_back(); // left from an earlier build: a build starts afresh
    sceneModel.objectCount += 1;
    const int drawnBefore = modelsDrawn;
    GLuint table[LIST_SLOT_COUNT] = {};
    withoutDataFile("models/ship.3DS", [&] {
        EXPECT_EQ(captureStderr([&] { buildModelLists(table, GL_TRIANGLES); }),
                  "Error: Unable to find the file: models/ship.3DS!\n");
    });
    expectEachListDrawsItsOwnObject(table, false, "models/ship.3DS");
    const std::vector<GLuint> first(table, table + LIST_SLOT_COUNT);
    // The model lists and the quad, whose name the shadow's slot shares.
    EXPECT_EQ(LIST_SLOT_COUNT - std::count(first.begin(), first.end(), 0u), modelFileCount + 2);
    EXPECT_EQ(table[LIST_SHADOW_QUAD], table[LIST_QUAD]);

    EXPECT_EQ(captureStderr([&] { buildModelLists(table, GL_LINE_STRIP); }), "");
    expectEachListDrawsItsOwnObject(table, true);
    EXPECT_EQ(modelsDrawn - drawnBefore, 2 * static_cast<int>(modelFileCount)); // failed one too
    for (int slot = 0; slot < LIST_SLOT_COUNT; ++slot) {
        // Every filled slot has a new list; the old ones were deleted.
        EXPECT_TRUE(first[slot] == 0 || (!glIsList(first[slot]) && glIsList(table[slot]))) << slot;
    }

    // The quad: two units square facing z, the image's first row at the top. Through the
    // unit view x -1..1 covers the 400-pixel viewport, y the 300 rows.
    const Feedback quad = feedbackOf(table[LIST_QUAD], 1.0);
    int corners = 0;
    for (const FedVertex& v : quad.vertices) {
        const bool right = v.x > 200.0f, top = v.y > 150.0f;
        EXPECT_TRUE(std::abs(v.x - 400.0f * right) < 1e-3f && std::abs(v.y - 300.0f * top) < 1e-3f);
        EXPECT_TRUE(v.tex[0] == right && v.tex[1] == !top) << v.x << "," << v.y;
        corners |= 1 << (2 * right + top);
    }
    EXPECT_TRUE(corners == 15 && quad.normal[2] == 1.0f);
}

// F3 rebuilds from the files, alternating wire and solid models. The least heap in use over
// ten rebuilds must be the same after a hundred more, give or take what one build holds (the
// models read and their lists); a rebuild that kept the models read before would hold a
// hundred more. Least of ten, because Mesa keeps 1 MiB more after about one rebuild in ten,
// until the next; after ten rebuilds, because its pool for lists grows once by 1 MiB early on.
TEST(DisplayLists, AHundredRebuildsLeaveTheHeapInUseWhereItWas) {
    GLuint table[LIST_SLOT_COUNT] = {};
    sceneModel = Model();
    const std::size_t empty = heapInUse();
    buildModelLists(table, GL_TRIANGLES);
    const std::size_t oneBuild = heapInUse() - empty;
    std::vector<std::size_t> levels;
    for (int rebuild = 0; rebuild < 120; ++rebuild) {
        buildModelLists(table, rebuild % 2 == 0 ? GL_LINE_STRIP : GL_TRIANGLES);
        levels.push_back(heapInUse());
    }
    const std::size_t before = *std::min_element(levels.begin() + 10, levels.begin() + 20);
    const std::size_t after = *std::min_element(levels.end() - 10, levels.end());
    EXPECT_TRUE(after <= before + oneBuild && before <= after + oneBuild)
        << "least heap in use " << before << " bytes over rebuilds 10-19, " << after
        << " over 110-119; one build holds " << oneBuild;
    for (const GLuint list : table) {
        glDeleteLists(list, 1);
    }
}
