// test_pipelines.cpp -- the two pipelines side by side in one window: a demo's scene drawn by
// the shader pair against the fixed-function pipeline's picture of the same step, the HUD's
// letters from the glyph atlas against freeglut's bitmaps, the display lists made from the
// vertex arrays against the model sent vertex by vertex, and our matrices against GL's.
// Runs in the window test_gl_assets.cpp opens, in the data folder.
#include "asset_test_support.h"
#include "desktop_gl/display_lists.h"
#include "desktop_gl/fixed_pipeline.h"
#include "desktop_gl/glyph_capture.h"
#include "desktop_gl/image_files.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/hud_draw.h"
#include "render/matrix4.h"
#include "render/object_drawing.h"
#include "render/renderer.h"
#include "render/textures.h"
#include "replay/demo.h"
#include "replay/demo_player.h"
#include "test_support.h"
#include "view/drawable_state.h"
#include "view/hud.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {
constexpr int frameWidth = 400;
constexpr int frameHeight = 300;

using Frame = std::vector<unsigned char>;

// The back buffer's pixels, RGB, the bottom row first.
Frame readFrame() {
    Frame rgb(static_cast<std::size_t>(frameWidth) * frameHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frameWidth, frameHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// How far two pictures are apart: the mean difference of a channel (of 255), and the share
// of pixels where some channel differs by more than 16.
struct Distance {
    double meanPerChannel = 0.0;
    double shareOver16 = 0.0;
};

Distance distance(const Frame& a, const Frame& b) {
    long long sum = 0;
    long long over = 0;
    for (std::size_t i = 0; i < a.size(); i += 3) {
        int most = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const int d = std::abs(a[i + c] - b[i + c]);
            sum += d;
            most = std::max(most, d);
        }
        over += most > 16 ? 1 : 0;
    }
    const auto pixels = static_cast<double>(a.size() / 3);
    return Distance{static_cast<double>(sum) / (3.0 * pixels), static_cast<double>(over) / pixels};
}

// Both pipelines set up on the same textures; the fixed one is in use when a test ends.
class Pipelines : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        captureStdout([] {
            useShaderPipelineOnTheDesktop();
            initGl();
            initLights();
            ASSERT_TRUE(buildModels(false));
            useFixedFunctionPipeline();
            initGl();
            loadTextures();
            initLights();
            buildModels(false);
        });
    }
    void TearDown() override { useFixedFunctionPipeline(); }

    // The demo played to the step with its end state drawn as the game draws a timedemo frame.
    static void playDemo(const char* name, int steps, DrawableState& drawable) {
        Demo demo;
        std::string error;
        ASSERT_TRUE(readDemo(std::string(WIBZ_DEMO_DIR) + "/" + name, demo, error)) << error;
        captureStdout([&] {
            beginGame(game);
            DemoPlayer player(demo);
            while (player.stepsPlayed() < steps && player.playStep(game)) {
            }
        });
        captureDrawable(game, drawable);
        initHud();
        writeHudTexts(123.0f, game.ship.getLives(), game.gameOver, game.ship.getScore());
    }

    // The second of two frames, as the game would draw it: the glows take the alpha test the
    // frame before left, and the l key turns lighting off after the craft turned it on.
    static Frame drawWith(bool shaders, const DrawableState& drawable, bool lit) {
        shaders ? useShaderPipelineOnTheDesktop() : useFixedFunctionPipeline();
        onReshape(frameWidth, frameHeight);
        drawScene(game, drawable);
        setLighting(lit);
        drawScene(game, drawable);
        setLighting(true);
        return readFrame();
    }
};
} // namespace

// A player cannot tell them apart: at steps of the three demos with the shot, the lock, the
// glows and the signs in view, with lighting off (the l key), as wire lines (F3) and with
// back faces culled (F8), few pixels differ and hardly any by more than 16 of 255.
TEST_F(Pipelines, TheShaderPairDrawsWhatTheFixedFunctionPipelineDraws) {
    struct Case {
        const char* demo;
        int step;
        const char* look; // "" as played, or "unlit", "wire", "culled"
    };
    const Case cases[] = {{"orbit.demo", 1553, ""},
                          {"beam.demo", 2911, ""},
                          {"hunt-to-the-end.demo", 1844, ""}, // debris
                          {"hunt-to-the-end.demo", 6015, ""},
                          {"hunt-to-the-end.demo", 9604, ""},
                          {"orbit.demo", 1553, "unlit"},
                          {"beam.demo", 2911, "wire"},
                          {"hunt-to-the-end.demo", 6015, "culled"}};
    for (const Case& c : cases) {
        DrawableState drawable;
        playDemo(c.demo, c.step, drawable);
        const std::string look = c.look;
        Frame pictures[2];
        for (const bool shaders : {false, true}) {
            shaders ? useShaderPipelineOnTheDesktop() : useFixedFunctionPipeline();
            setBackFaceCulling(look == "culled");
            if (look == "wire") {
                captureStdout([] { buildModels(true); });
            }
            pictures[shaders] = drawWith(shaders, drawable, look != "unlit");
            setBackFaceCulling(false);
            if (look == "wire") {
                captureStdout([] { buildModels(false); });
            }
        }
        const Distance d = distance(pictures[0], pictures[1]);
        std::printf("%s step %d %s: mean difference %.4f of 255 a channel, %.4f%% of pixels "
                    "off by more than 16\n",
                    c.demo, c.step, c.look, d.meanPerChannel, 100.0 * d.shareOver16);
        EXPECT_LT(d.meanPerChannel, 0.1) << c.demo << " " << c.step << " " << c.look;
        EXPECT_LT(d.shareOver16, 0.001) << c.demo << " " << c.step << " " << c.look;
        const Distance nothing = distance(pictures[0], Frame(pictures[0].size(), 0));
        EXPECT_GT(nothing.meanPerChannel, 20.0); // a picture was drawn at all
    }
}

// Every letter of the font, at a raster position between pixels and at the depth the HUD
// uses: the atlas's quads set exactly the pixels freeglut's bitmaps set. The atlas file the
// browser reads holds what was taken, and a file cut short is refused.
TEST_F(Pipelines, TheGlyphAtlasSetsTheSamePixelsAsFreeglutsBitmaps) {
    std::string text;
    for (int c = 33; c < 256; ++c) {
        text += static_cast<char>(c);
    }
    const std::size_t perLine = 24;
    Frame pictures[2];
    for (const bool shaders : {false, true}) {
        shaders ? useShaderPipelineOnTheDesktop() : useFixedFunctionPipeline();
        onReshape(frameWidth, frameHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Pipeline& p = activePipeline();
        p.disable(Switch::TEXTURE);
        p.disable(Switch::LIGHTING);
        for (std::size_t at = 0, line = 0; at < text.size(); at += perLine, ++line) {
            const std::string part = text.substr(at, perLine);
            p.drawText(4.37f, 280.61f - 28.0f * static_cast<float>(line), -0.3f,
                       Vector3(1.0f, 0.8f, 0.4f), part.c_str());
        }
        p.enable(Switch::LIGHTING);
        p.finishFrame();
        pictures[shaders] = readFrame();
    }
    EXPECT_TRUE(pictures[0] == pictures[1]);
    EXPECT_GT(distance(pictures[0], Frame(pictures[0].size(), 0)).meanPerChannel, 1.0);

    GlyphAtlas taken;
    ASSERT_TRUE(captureGlyphAtlas(taken));
    TempDir dir;
    const std::string path = dir.path() + "/glyphs.pgm";
    ASSERT_TRUE(writeGlyphAtlas(taken, path));
    GlyphAtlas read;
    ASSERT_TRUE(readGlyphAtlas(path, read));
    EXPECT_TRUE(read.coverage == taken.coverage);
    EXPECT_TRUE(std::equal(read.advance, read.advance + GlyphAtlas::codes, taken.advance));
    EXPECT_EQ(read.advance['W'], glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, 'W'));
    std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1);
    EXPECT_FALSE(readGlyphAtlas(path, read));
}

// The lists made from the vertex arrays draw each model exactly as the model's corners sent
// one call at a time (normal, colour, coordinates, vertex) draw it, lit and textured.
TEST_F(Pipelines, ListsFromTheVertexArraysDrawTheModelsToThePixel) {
    useFixedFunctionPipeline();
    onReshape(frameWidth, frameHeight);
    captureStdout([] { buildModels(false); });
    const float scales[] = {0.1f, 0.1f, 0.05f, 0.02f, 0.05f}; // in modelFiles' order
    for (std::size_t file = 0; file < modelFileCount; ++file) {
        const ModelObject& object = sceneModel.objects.at(file);
        const GLuint reference = glGenLists(1);
        glNewList(reference, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        for (const ModelFace& face : object.faces) {
            for (const std::int32_t i : face.vertexIndex) {
                const Vector3& n = object.normals.at(i);
                glNormal3f(n.x, n.y, n.z);
                const TexCoord& t = object.texCoords.at(i);
                glTexCoord2f(t.u, t.v);
                const Vector3& v = object.vertices.at(i);
                glVertex3f(v.x, v.y, v.z);
            }
        }
        glEnd();
        glEndList();
        Frame pictures[2];
        for (const GLuint list : {reference, displayLists[modelFiles[file].slot]}) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, textures[TEX_MUD]);
            glColor4f(0.9f, 0.8f, 0.7f, 1.0f);
            glLoadIdentity();
            gluLookAt(0.0, 3.0, 6.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
            glRotatef(-60.0f, 1.0f, 0.0f, 0.0f);
            glScalef(scales[file], scales[file], scales[file]);
            glCallList(list);
            pictures[list != reference] = readFrame();
        }
        glDeleteLists(reference, 1);
        EXPECT_TRUE(pictures[0] == pictures[1]) << modelFiles[file].path;
        EXPECT_GT(distance(pictures[0], Frame(pictures[0].size(), 0)).meanPerChannel, 0.5)
            << modelFiles[file].path;
    }
    glLoadIdentity();
}

// The shader path's matrices are GL's: the scene's perspective, the view, and a chain of
// translations, rotations (about each axis either way and about a slanted axis) and scales;
// the normals turn by the inverse's transpose, unnormalised.
TEST_F(Pipelines, OurMatricesAreTheFixedFunctionPipelinesOwn) {
    auto expectSame = [](const Matrix4& ours, GLenum which) {
        GLfloat gl[16] = {};
        glGetFloatv(which, gl);
        for (int i = 0; i < 16; ++i) {
            EXPECT_NEAR(ours.m[i], gl[i], 1e-6f * std::max(1.0f, std::fabs(gl[i]))) << i;
        }
    };
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPerspective(40.0, 4.0 / 3.0, 1.0, 50.0);
    expectSame(perspective(40.0, 4.0 / 3.0, 1.0, 50.0), GL_PROJECTION_MATRIX);
    glLoadIdentity();
    glOrtho(0.0, 400.0, 0.0, 300.0, -1.0, 1.0);
    expectSame(orthographic(0.0, 400.0, 0.0, 300.0, -1.0, 1.0), GL_PROJECTION_MATRIX);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);

    glPushMatrix();
    glLoadIdentity();
    Matrix4 ours;
    gluLookAt(-3.2, 7.9, 12.5, 1.5, 0.3, -6.0, 0.0, 1.0, 0.0);
    lookAt(ours, Vector3(-3.2f, 7.9f, 12.5f), Vector3(1.5f, 0.3f, -6.0f), Vector3(0, 1, 0));
    expectSame(ours, GL_MODELVIEW_MATRIX);
    const float turns[][4] = {{90.0f, 1.0f, 0.0f, 0.0f},   {33.3f, 0.0f, 1.0f, 0.0f},
                              {-71.0f, 0.0f, 0.0f, 1.0f},  {12.5f, 0.0f, 0.0f, -1.0f},
                              {200.0f, 0.0f, -1.0f, 0.0f}, {45.0f, -1.0f, 0.0f, 0.0f},
                              {123.4f, 0.03f, 0.03f, 1.0f}};
    for (const auto& t : turns) {
        glTranslatef(0.4f, -2.0f, 3.5f);
        ours.translate(0.4f, -2.0f, 3.5f);
        glRotatef(t[0], t[1], t[2], t[3]);
        ours.rotate(t[0], t[1], t[2], t[3]);
        glScalef(0.085f, 1.5f, 0.15f);
        ours.scale(0.085f, 1.5f, 0.15f);
        expectSame(ours, GL_MODELVIEW_MATRIX);
    }
    glPopMatrix();

    Matrix4 scaled;
    scaled.scale(2.0f, 4.0f, 5.0f);
    scaled.rotate(90.0f, 0.0f, 0.0f, 1.0f);
    float normal[9] = {};
    normalMatrixOf(scaled, normal);
    // x turns to y, then y is stretched 4 times: its normal shrinks to a quarter.
    const float expected[9] = {0.0f, 0.25f, 0.0f, -0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.2f};
    for (int i = 0; i < 9; ++i) {
        EXPECT_NEAR(normal[i], expected[i], 1e-6f) << i;
    }
}

// As the fixed-function pipeline's (test_scene_drawing.cpp): each drawing step of a busy frame
// hands the shader pipeline's switches, and GL's own blending, depth test and culling, back
// as it found them, back faces culled as F8 leaves them and the shot culling the other side.
TEST_F(Pipelines, EachDrawingStepLeavesTheShaderPipelinesSwitchesAsItFoundThem) {
    DrawableState d;
    playDemo("hunt-to-the-end.demo", 6015, d);
    useShaderPipelineOnTheDesktop();
    Pipeline& p = activePipeline();
    onReshape(frameWidth, frameHeight);
    setBackFaceCulling(true);
    game.ship.hit = false;
    game.comboTimer = 1;
    d.shot = DrawnShot{true, d.craftPosition.x, d.craftPosition.z, 3.0f};
    d.debris = d.stones;
    auto state = [&p] {
        std::vector<int> row;
        for (const Switch s :
             {Switch::LIGHTING, Switch::LIGHT0, Switch::LIGHT1, Switch::BLEND, Switch::DEPTH_TEST,
              Switch::ALPHA_TEST, Switch::CULL_FACE, Switch::TEXTURE}) {
            row.push_back(p.isEnabled(s));
        }
        for (const GLenum cap : {GL_BLEND, GL_DEPTH_TEST, GL_CULL_FACE}) {
            row.push_back(glIsEnabled(cap));
        }
        GLint culled = 0;
        glGetIntegerv(GL_CULL_FACE_MODE, &culled);
        row.push_back(culled);
        return row;
    };
    p.clear();
    p.loadIdentity();
    p.lookAt(d.eye, d.view, d.up);
    p.enable(Switch::TEXTURE);
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"arena", [&] { drawArenaCells(p, game); }},
        {"shadows", [&] { drawShadows(p, d); }},
        {"craft", [&] { drawCraftAndEffects(p, game, d); }},
        {"glows", [&] { drawStoneGlows(p, game, d); }},
        {"debris", [&] { drawDebris(p, d); }},
        {"marker", [&] { drawLockMarker(p, game, d); }},
        {"signs", [&] { drawSigns(p, game, d); }},
        {"hud", [&] { drawHud(p, true); }}};
    for (const auto& [name, draw] : steps) {
        const std::vector<int> before = state();
        draw();
        EXPECT_EQ(state(), before) << name;
    }
    p.finishFrame();
    EXPECT_GT(distance(readFrame(), Frame(frameWidth * frameHeight * 3, 0)).meanPerChannel, 20.0);
    p.disable(Switch::TEXTURE);
    setBackFaceCulling(false);
}
