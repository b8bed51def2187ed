// test_scene_drawing.cpp -- the drawn picture of prepared game states, in a real GLUT window
// under Xvfb, read back pixel by pixel: the HUD in any window shape, the signs and how long
// the combination picture stays, the craft left out during the pause, shadows darkening.
// Runs in the generated data folder, so the real models and images are drawn.
#include "assets/display_lists.h"
#include "assets/textures.h"
#include "camera/camera.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/object_list.h"
#include "player/ship.h"
#include "render/hud.h"
#include "render/object_drawing.h"
#include "render/scene.h"
#include "test_support.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
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

void project(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, static_cast<double>(width) / height, 1.0, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    // Pixels in the rectangle (x, y from the bottom left) whose channel passes the test.
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
    int brightness(int x, int y) const {
        const unsigned char* p = &rgb[(y * width + x) * 3];
        return p[0] + p[1] + p[2];
    }
};

Pixels readBack(int width, int height) {
    glFinish();
    Pixels out;
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<size_t>(width) * height * 3);
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

class SceneTest : public testing::Test {
  protected:
    void SetUp() override {
        captureStdout([] { beginGame(game); });
        initHud();
        project(windowWidth, windowHeight);
    }
    void TearDown() override { resetGame(game); }

    // The view from in front of the signs' anchor (1.5, 3.0, -6.0), drawn alone.
    static Pixels drawSignsOnly() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(1.5, 3.0, 4.0, 1.5, 3.0, -6.0, 0.0, 1.0, 0.0);
        glEnable(GL_TEXTURE_2D);
        drawSigns(game);
        return readBack(windowWidth, windowHeight);
    }
    static int signPixels(const Pixels& p) { return p.count(100, 50, 200, 200, lit); }
};
} // namespace

TEST_F(SceneTest, HudLinesShowInEveryWindowShapeAndLeaveLightingAsFound) {
    writeHudTexts(100.0f, 5, false, 1100);
    struct Shape {
        int width;
        int height;
    };
    for (const Shape shape : {Shape{400, 300}, Shape{100, 300}, Shape{60, 400}, Shape{800, 60}}) {
        project(shape.width, shape.height);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        drawHud(true);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        const Pixels p = readBack(shape.width, shape.height);
        const int textPixels = p.count(0, 0, shape.width, shape.height, white);
        EXPECT_GT(textPixels, 40) << shape.width << "x" << shape.height;
    }

    // At 400 x 300 the score line sits bottom left and the frame rate top left; F2's flag
    // hides the frame-rate line only.
    project(windowWidth, windowHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    drawHud(true);
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    Pixels p = readBack(windowWidth, windowHeight);
    EXPECT_GT(p.count(0, 0, 200, 40, white), 40);   // score and lives
    EXPECT_GT(p.count(0, 260, 200, 40, white), 20); // FPS: 100
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawHud(false);
    p = readBack(windowWidth, windowHeight);
    EXPECT_EQ(p.count(0, 260, 200, 40, white), 0);
    EXPECT_GT(p.count(0, 0, 200, 40, white), 40);
    glEnable(GL_LIGHTING);
}

TEST_F(SceneTest, CombinationPictureShowsWhileItsTimerRunsAndDrawingLeavesItAlone) {
    EXPECT_EQ(signPixels(drawSignsOnly()), 0); // nothing to show
    game.comboTimer = 1;
    EXPECT_GT(signPixels(drawSignsOnly()), 500);
    EXPECT_GT(signPixels(drawSignsOnly()), 500);
    EXPECT_EQ(game.comboTimer, 1); // counted by the steps, not the drawn frames
    game.comboTimer = 0;
    EXPECT_EQ(signPixels(drawSignsOnly()), 0);
}

TEST_F(SceneTest, GetReadyAndGameOverPicturesNeedTheHitFlag) {
    const auto greenish = [](int r, int g, int b) { return g > 120 && g > r + 40 && g > b; };
    const auto reddish = [](int r, int g, int b) { return r > 120 && r > g + 40 && r > b; };
    game.ship.hit = true;
    Pixels p = drawSignsOnly();
    EXPECT_GT(p.count(0, 0, windowWidth, windowHeight, greenish), 300); // GET READY
    EXPECT_EQ(p.count(0, 0, windowWidth, windowHeight, reddish), 0);
    game.gameOver = true;
    p = drawSignsOnly();
    EXPECT_GT(p.count(0, 0, windowWidth, windowHeight, reddish), 300); // GAME OVER
    game.ship.hit = false;
    EXPECT_EQ(signPixels(drawSignsOnly()), 0); // over, but without the flag: nothing
}

TEST_F(SceneTest, CraftIsLeftOutDuringThePause) {
    const auto drawCraftView = [] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        const Vector3 c = game.ship.getPosition();
        gluLookAt(c.x - 3.0, 2.0, c.z + 3.0, c.x, 0.2, c.z, 0.0, 1.0, 0.0);
        glEnable(GL_TEXTURE_2D);
        glPushMatrix();
        drawCraftAndEffects(game);
        glPopMatrix();
        return readBack(windowWidth, windowHeight);
    };
    const int inPlay = drawCraftView().count(100, 50, 200, 200, lit);
    EXPECT_GT(inPlay, 1000);
    game.ship.hit = true;
    EXPECT_EQ(drawCraftView().count(0, 0, windowWidth, windowHeight, lit), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(SceneTest, ShadowsDarkenTheFloorUnderAStone) {
    game.stones.append(makeSpec(3, 0.0f, 0.0f, 0.0f, 1.5f, -6.0f, 4.0f));
    const auto drawFloorAndShadows = [](bool withShadows) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        gluLookAt(1.5, 10.0, -5.99, 1.5, -1.0, -6.0, 0.0, 1.0, 0.0); // straight down
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
        return readBack(windowWidth, windowHeight);
    };
    const int plain = drawFloorAndShadows(false).brightness(200, 150);
    const int shaded = drawFloorAndShadows(true).brightness(200, 150);
    EXPECT_GT(plain, 300);
    EXPECT_LT(shaded, plain * 3 / 4);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
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
    const Pixels p = readBack(windowWidth, windowHeight);
    EXPECT_GT(p.count(0, 0, windowWidth, windowHeight, lit), windowWidth * windowHeight / 2);
    EXPECT_GT(p.count(0, 0, 200, 40, white), 40);
}
