// test_scene_drawing.cpp -- the drawn picture of prepared game states, read back: the
// projection following the window, the HUD in any window shape and in a whole frame, the
// signs, the craft left out during the pause. Drawn with the data folder's models and images
// in the window test_gl_assets.cpp opens (one program).
#include "desktop_gl/fixed_pipeline.h"
#include "desktop_gl/image_files.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/hud_draw.h"
#include "render/object_drawing.h"
#include "render/renderer.h"
#include "render/textures.h"
#include "test_support.h"
#include "view/drawable_state.h"
#include "view/hud.h"

#include <GL/glu.h>
#include <cmath>
#include <cstring>
#include <functional>
#include <tuple>
#include <vector>

namespace {
// The pixels in the rectangle (x, y from the bottom left) that pass the test.
int count(bool (*test)(int, int, int), int x = 0, int y = 0, int w = 400, int h = 300) {
    std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int n = 0;
    for (std::size_t i = 0; i < rgb.size(); i += 3) {
        n += test(rgb[i], rgb[i + 1], rgb[i + 2]) ? 1 : 0;
    }
    return n;
}
constexpr auto white = [](int r, int g, int b) { return r > 200 && g > 200 && b > 200; };
constexpr auto lit = [](int r, int g, int b) { return r + g + b > 60; };
constexpr auto greenish = [](int r, int g, int b) { return g > 120 && g > r + 40 && g > b; };
constexpr auto reddish = [](int r, int g, int b) { return r > 120 && r > g + 40 && r > b; };

// What drawing must hand back as it found it, as one row of numbers: the switches, how
// polygons are filled and culled, and both matrix stacks.
std::vector<GLfloat> glState() {
    std::vector<GLfloat> row;
    for (const GLenum cap : {GL_CULL_FACE, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_BLEND,
                             GL_TEXTURE_2D, GL_ALPHA_TEST, GL_DEPTH_TEST, GL_COLOR_MATERIAL}) {
        row.push_back(glIsEnabled(cap));
    }
    const std::pair<GLenum, int> queries[] = {
        {GL_POLYGON_MODE, 2},          {GL_CULL_FACE_MODE, 1},         {GL_MATRIX_MODE, 1},
        {GL_MODELVIEW_STACK_DEPTH, 1}, {GL_PROJECTION_STACK_DEPTH, 1}, {GL_MODELVIEW_MATRIX, 16},
        {GL_PROJECTION_MATRIX, 16}};
    for (const auto& [name, size] : queries) {
        GLfloat values[16] = {};
        glGetFloatv(name, values);
        row.insert(row.end(), values, values + size);
    }
    return row;
}

class SceneTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        useFixedFunctionPipeline();
        initGl();
        captureStdout([] {
            loadTextures();
            initLights();
            buildModels(false);
        });
    }
    void SetUp() override {
        beginGame(game);
        initHud();
        onReshape(400, 300);
    }

    // Clears, looks from the eye at the point and draws with textures on.
    static void lookAt(double ex, double ey, double ez, double cx, double cy, double cz) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(ex, ey, ez, cx, cy, cz, 0.0, 1.0, 0.0);
        glEnable(GL_TEXTURE_2D);
    }
};
} // namespace

// 40 degrees high from 1 to 50 units, as wide as the window's shape; a window with a zero
// side (minimised) keeps what it had rather than dividing by zero.
TEST_F(SceneTest, TheProjectionFollowsTheWindowAndAZeroSideLeavesItAsItWas) {
    onReshape(200, 100);
    GLfloat m[16] = {}, after[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    // The top edge of the view 20 degrees above the axis, the right edge twice as far out;
    // depth -1 at the near plane, 1 at the far.
    const float slope = std::tan(20.0f * 3.14159265f / 180.0f);
    EXPECT_NEAR(m[5] * slope, 1.0f, 1e-5f);
    EXPECT_NEAR(m[0] * 2.0f * slope, 1.0f, 1e-5f);
    EXPECT_NEAR(m[14] - m[10], -1.0f, 1e-5f);
    EXPECT_NEAR((m[14] - m[10] * 50.0f) / 50.0f, 1.0f, 1e-5f);
    onReshape(0, 300);
    onReshape(400, 0);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_EQ(std::memcmp(m, after, sizeof m), 0);
}

// The lines show in any window shape. In a whole frame at 400 x 300, over the arena, the
// score sits bottom left and the frame rate top left unless F2 hid it.
TEST_F(SceneTest, HudLinesShowInEveryWindowShapeAndOverAWholeFrame) {
    writeHudTexts(100.0f, 5, false, 1100);
    const std::tuple<int, int, bool> shapes[] = {
        {400, 300, false}, {60, 400, false}, {800, 60, true}, {400, 300, true}};
    for (const auto& [width, height, lighting] : shapes) {
        onReshape(width, height);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        lighting ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        drawHud(activePipeline(), true);
        EXPECT_GT(count(white, 0, 0, width, height), 40) << width << "x" << height;
    }
    for (int i = 0; i < 30; ++i) {
        game.camera.update(); // let the eye settle behind the craft
    }
    game.camera.aim();
    DrawableState drawable;
    captureDrawable(game, drawable);
    for (const bool showFps : {true, false}) {
        game.showFps = showFps;
        drawScene(game, drawable);
        EXPECT_GT(count(lit), 400 * 300 / 2);
        EXPECT_GT(count(white, 0, 0, 200, 40), 40);
        EXPECT_EQ(count(white, 0, 260, 200, 40) > 20, showFps);
    }
}

// The combination picture (orange) while its timer runs; GET READY (green) and GAME OVER
// (red) only with the hit flag, which also leaves the craft out.
TEST_F(SceneTest, EachSignShowsOnlyInItsStateAndTheCraftIsLeftOutDuringThePause) {
    const std::tuple<int, bool, bool, char> rows[] = {// the sign: ' ' none, 'g' green, 'r' red
                                                      {0, false, false, ' '},
                                                      {1, false, false, 'r'},
                                                      {0, true, false, 'g'},
                                                      {0, true, true, 'r'},
                                                      {0, false, true, ' '}};
    for (const auto& [comboTimer, hit, gameOver, sign] : rows) {
        SCOPED_TRACE(std::string("sign ") + sign + (hit ? ", hit" : ""));
        game.comboTimer = comboTimer;
        game.ship.hit = hit;
        game.gameOver = gameOver;
        lookAt(1.5, 3.0, 4.0, 1.5, 3.0, -6.0); // in front of the signs' anchor
        DrawableState drawable;
        captureDrawable(game, drawable);
        drawSigns(activePipeline(), game, drawable);
        const int shown = count(lit, 100, 50, 200, 200);
        EXPECT_TRUE(sign == ' ' ? shown == 0 : shown > 500) << shown;
        EXPECT_EQ(count(greenish) > 300, sign == 'g');
        EXPECT_EQ(count(reddish) > 300, sign == 'r');
        EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST)); // or the next frame's shadows fail it

        const Vector3 c = game.ship.getPosition();
        lookAt(c.x - 3.0, 2.0, c.z + 3.0, c.x, 0.2, c.z);
        glPushMatrix();
        drawCraftAndEffects(activePipeline(), game, drawable);
        glPopMatrix();
        EXPECT_TRUE(hit || gameOver ? count(lit) == 0 : count(lit, 100, 50, 200, 200) > 1000);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    }
}

// A busy frame with back faces culled as F8 leaves them (the shot culls the other side):
// each step hands back what it found, though the caller's matrix is not the view.
TEST_F(SceneTest, EachDrawingStepLeavesSwitchesCullingAndMatricesAsItFoundThem) {
    game.ship.hit = false;
    game.comboTimer = 1;
    const Vector3 c = game.ship.getPosition();
    lookAt(c.x - 3.0, 2.0, c.z + 3.0, c.x, 0.2, c.z);
    glDisable(GL_LIGHT1); // as every frame has it, whatever the tests before drew
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glPushMatrix();
    glTranslatef(0.5f, 0.0f, 0.0f);
    DrawableState d;
    captureDrawable(game, d);
    d.shot = DrawnShot{true, c.x, c.z, 3.0f};
    d.debris = d.stones;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"arena", [&] { drawArenaCells(activePipeline(), game); }},
        {"shadows", [&] { drawShadows(activePipeline(), d); }},
        {"craft", [&] { drawCraftAndEffects(activePipeline(), game, d); }},
        {"glows", [&] { drawStoneGlows(activePipeline(), game, d); }},
        {"debris", [&] { drawDebris(activePipeline(), d); }},
        {"marker", [&] { drawLockMarker(activePipeline(), game, d); }},
        {"signs", [&] { drawSigns(activePipeline(), game, d); }},
        {"hud", [] { drawHud(activePipeline(), true); }}};
    for (const auto& [name, draw] : steps) {
        const std::vector<GLfloat> before = glState();
        draw();
        EXPECT_EQ(glState(), before) << name;
    }
    EXPECT_GT(count(lit), 1000);
    glPopMatrix();
    glDisable(GL_CULL_FACE);
}
