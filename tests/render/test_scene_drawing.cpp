// test_scene_drawing.cpp -- the drawn picture of prepared game states, in a real GLUT window
// under Xvfb, read back: the projection following the window, the HUD in any window shape,
// the signs, the craft left out during the pause, shadows darkening, a whole frame. Runs in
// the generated data folder, so the real models and images are drawn.
#include "assets/display_lists.h"
#include "assets/textures.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/hud.h"
#include "render/object_drawing.h"
#include "render/scene.h"
#include "test_support.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int windowWidth = 400;
constexpr int windowHeight = 300;

class GameWindow : public testing::Environment {
  public:
    void SetUp() override {
        int argc = 1;
        char name[] = "wibz_render_tests";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutInitWindowSize(windowWidth, windowHeight);
        glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
        glutCreateWindow("Wibz3D render tests");
        // Map the window, so the front buffer a swapped frame lands in can be read back.
        glutDisplayFunc([] {});
        for (int i = 0; i < 20; ++i) {
            glutMainLoopEvent();
        }
        initGl();
        captureStdout([] {
            loadTextures();
            initLights();
            buildModelLists(displayLists, GL_TRIANGLES);
        });
    }
};
const testing::Environment* const window = testing::AddGlobalTestEnvironment(new GameWindow);

// The pixels read back, counted in a rectangle (x, y from the bottom left) where they pass.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    template <typename Test> int count(int x0, int y0, int w, int h, Test test) const {
        int n = 0;
        for (int y = y0; y < y0 + h && y < height; ++y) {
            for (int x = x0; x < x0 + w && x < width; ++x) {
                const unsigned char* p = &rgb[(y * width + x) * 3];
                n += test(p[0], p[1], p[2]) ? 1 : 0;
            }
        }
        return n;
    }
    int all(bool (*test)(int, int, int)) const { return count(0, 0, width, height, test); }
};

Pixels readBack(int width = windowWidth, int height = windowHeight) {
    glFinish();
    Pixels out{width, height, std::vector<unsigned char>(static_cast<size_t>(width) * height * 3)};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, out.rgb.data());
    return out;
}

bool white(int r, int g, int b) {
    return r > 200 && g > 200 && b > 200;
}
bool lit(int r, int g, int b) {
    return r + g + b > 60;
}
bool greenish(int r, int g, int b) {
    return g > 120 && g > r + 40 && g > b;
}
bool reddish(int r, int g, int b) {
    return r > 120 && r > g + 40 && r > b;
}

class SceneTest : public testing::Test {
  protected:
    void SetUp() override {
        captureStdout([] { beginGame(game); });
        initHud();
        onReshape(windowWidth, windowHeight);
    }
    void TearDown() override { resetGame(game); }

    // Clears, looks from the eye at the point and draws with textures on.
    static void lookAt(double ex, double ey, double ez, double cx, double cy, double cz) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(ex, ey, ez, cx, cy, cz, 0.0, 1.0, 0.0);
        glEnable(GL_TEXTURE_2D);
    }
    // The view from in front of the signs' anchor (1.5, 3.0, -6.0), drawn alone.
    static Pixels drawSignsOnly() {
        lookAt(1.5, 3.0, 4.0, 1.5, 3.0, -6.0);
        drawSigns(game);
        return readBack();
    }
};
} // namespace

// 40 degrees high from 1 to 50 units, as wide as the window's shape; a window with a zero
// side (minimised) keeps what it had rather than dividing by zero.
TEST_F(SceneTest, TheProjectionFollowsTheWindowAndAZeroSideLeavesItAsItWas) {
    onReshape(200, 100);
    GLfloat m[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, m);
    // The top edge of the view 20 degrees above the axis, the right edge twice as far out.
    const float slope = std::tan(20.0f * 3.14159265f / 180.0f);
    EXPECT_NEAR(m[5] * slope, 1.0f, 1e-5f);
    EXPECT_NEAR(m[0] * 2.0f * slope, 1.0f, 1e-5f);
    for (const float distance : {1.0f, 50.0f}) { // depth -1 at the near plane, 1 at the far
        EXPECT_NEAR((m[14] - m[10] * distance) / distance, distance == 1.0f ? -1.0f : 1.0f, 1e-5f);
    }
    onReshape(0, 300);
    onReshape(400, 0);
    GLfloat after[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == 200 && viewport[3] == 100);
    EXPECT_EQ(std::memcmp(m, after, sizeof m), 0);
}

TEST_F(SceneTest, HudLinesShowInEveryWindowShapeAndLeaveLightingAsFound) {
    writeHudTexts(100.0f, 5, false, 1100);
    for (const auto& [width, height] : {std::pair{400, 300}, {100, 300}, {60, 400}, {800, 60}}) {
        onReshape(width, height);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        drawHud(true);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING) && !glIsEnabled(GL_TEXTURE_2D));
        EXPECT_GT(readBack(width, height).all(white), 40) << width << "x" << height;
    }
    // At 400 x 300 the score line sits bottom left and the frame rate top left; F2's flag
    // hides the frame-rate line only.
    onReshape(windowWidth, windowHeight);
    glDisable(GL_LIGHTING);
    for (const bool showFps : {true, false}) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawHud(showFps);
        const Pixels p = readBack();
        EXPECT_GT(p.count(0, 0, 200, 40, white), 40); // score and lives
        EXPECT_EQ(p.count(0, 260, 200, 40, white) > 20, showFps);
    }
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    glEnable(GL_LIGHTING);
}

// The combination picture (orange) while its timer runs, which drawing leaves to the steps;
// GET READY (green) and GAME OVER (red) only with the hit flag.
TEST_F(SceneTest, EachSignShowsOnlyInItsState) {
    const struct {
        int comboTimer;
        bool hit, gameOver;
        bool shown, green, red;
    } rows[] = {{0, false, false, false, false, false},
                {1, false, false, true, false, true},
                {0, true, false, true, true, false},
                {0, true, true, true, false, true},
                {0, false, true, false, false, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        game.comboTimer = row.comboTimer;
        game.ship.hit = row.hit;
        game.gameOver = row.gameOver;
        const Pixels p = drawSignsOnly();
        const int shown = p.count(100, 50, 200, 200, lit);
        EXPECT_TRUE(row.shown ? shown > 500 : shown == 0) << shown;
        EXPECT_EQ(p.all(greenish) > 300, row.green);
        EXPECT_EQ(p.all(reddish) > 300, row.red);
        EXPECT_EQ(game.comboTimer, row.comboTimer);
    }
}

TEST_F(SceneTest, CraftIsLeftOutDuringThePause) {
    const auto drawCraftView = [] {
        const Vector3 c = game.ship.getPosition();
        lookAt(c.x - 3.0, 2.0, c.z + 3.0, c.x, 0.2, c.z);
        glPushMatrix();
        drawCraftAndEffects(game);
        glPopMatrix();
        return readBack();
    };
    EXPECT_GT(drawCraftView().count(100, 50, 200, 200, lit), 1000);
    game.ship.hit = true;
    EXPECT_EQ(drawCraftView().all(lit), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(SceneTest, ShadowsDarkenTheFloorUnderAStone) {
    game.stones.append(makeSpec(3, 0.0f, 0.0f, 0.0f, 1.5f, -6.0f, 4.0f));
    const auto floorBrightness = [](bool withShadows) {
        lookAt(1.5, 10.0, -5.99, 1.5, -1.0, -6.0); // straight down
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glColor3f(0.8f, 0.8f, 0.8f);
        glBegin(GL_QUADS); // a plain grey floor just under the shadows' height
        glVertex3f(-5.0f, -0.9f, 1.0f);
        glVertex3f(8.0f, -0.9f, 1.0f);
        glVertex3f(8.0f, -0.9f, -12.0f);
        glVertex3f(-5.0f, -0.9f, -12.0f);
        glEnd();
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        if (withShadows) {
            glPushMatrix();
            drawShadows(game);
            glPopMatrix();
        }
        const Pixels p = readBack();
        const unsigned char* centre = &p.rgb[(150 * windowWidth + 200) * 3];
        return centre[0] + centre[1] + centre[2];
    };
    const int plain = floorBrightness(false);
    EXPECT_GT(plain, 300);
    EXPECT_LT(floorBrightness(true), plain * 3 / 4);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && !glIsEnabled(GL_BLEND));
}

TEST_F(SceneTest, AWholeFrameDrawsTheArenaAndTheHud) {
    captureStdout([] {
        for (int i = 0; i < 30; ++i) {
            game.camera.update(); // let the eye settle behind the craft
        }
        game.camera.aim();
    });
    glLoadIdentity();
    onDisplay();
    // Mesa's software swap copies the back buffer out and leaves it as it was.
    const Pixels p = readBack();
    EXPECT_GT(p.all(lit), windowWidth * windowHeight / 2);
    EXPECT_GT(p.count(0, 0, 200, 40, white), 40);
}
