// bench_gl.cpp -- what needs a GL context: loadTextures for the thirteen images, the model
// lists as start-up builds them, and one drawn frame at 400 x 300 and 1280 x 720, of the
// scene at the start of a game and of a busy one (100 stones, 100 debris pieces, the shot,
// the lock and the combination picture). The software renderer draws on threads of its
// own, so wall time is what counts.
#include "bench_support.h"

#include "desktop_gl/image_files.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/step.h"
#include "render/renderer.h"
#include "render/textures.h"
#include "view/drawable_state.h"
#include "view/hud.h"

#include <GL/freeglut.h>
#include <benchmark/benchmark.h>

#include <string>

// One frame as the game draws it: the drawable state taken and blended half way between
// two steps (here the same one), the scene drawn and swapped. scripts/draw_cost.sh counts
// the instructions spent in here.
void benchDrawnFrame(const DrawableState& before) {
    static DrawableState after;
    static DrawableState drawn;
    captureDrawable(game, after);
    blendDrawable(before, after, 0.5f, drawn);
    drawScene(game, drawn);
    glutSwapBuffers();
}

namespace {
constexpr int busyCrowd = 100; // stones, and as many debris pieces
constexpr int comboFramesForever = 1 << 30;
constexpr int cameraSettleFrames = 150;

bool readyToDraw(benchmark::State& state) {
    if (!benchWindowOpen) {
        state.SkipWithError("needs an X display: tests/run_in_xvfb.sh wibz_bench");
        return false;
    }
    if (!dataFolderPresent()) {
        state.SkipWithError("run in the data folder (build/data)");
        return false;
    }
    return true;
}

void releaseTextures() {
    for (GLuint& name : textures) {
        if (name != 0) {
            glDeleteTextures(1, &name);
            name = 0;
        }
    }
}

void loadTexturesAll(benchmark::State& state) {
    if (!readyToDraw(state)) {
        return;
    }
    for (auto _ : state) {
        loadTextures();
        glFinish();
        state.PauseTiming();
        releaseTextures();
        state.ResumeTiming();
    }
    loadTextures(); // leave the game's textures in place for the drawing benchmark
}
BENCHMARK(loadTexturesAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every build empties the model and reads the five files again, as start-up and F3 do.
void buildModelListsAtStart(benchmark::State& state) {
    if (!readyToDraw(state)) {
        return;
    }
    for (auto _ : state) {
        buildModels(false);
        glFinish();
    }
}
BENCHMARK(buildModelListsAtStart)->Unit(benchmark::kMillisecond)->UseRealTime();

// The window's new size arrives through GLUT's event loop, which calls the reshape callback.
void resizeWindow(int width, int height) {
    glutReshapeWindow(width, height);
    for (int i = 0;
         i < 50 && (glutGet(GLUT_WINDOW_WIDTH) != width || glutGet(GLUT_WINDOW_HEIGHT) != height);
         ++i) {
        glutMainLoopEvent();
    }
    glutMainLoopEvent();
}

// The crowd is built, then played for a simulated second and a half, so the camera has
// glided in behind the craft as it does in play; the picture then stays as it is.
void drawFrame(benchmark::State& state) {
    if (!readyToDraw(state)) {
        return;
    }
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const int crowd = static_cast<int>(state.range(2));
    resizeWindow(width, height);
    if (textures[TEX_MUD] == 0) {
        loadTextures();
    }
    buildCrowd(crowd, crowd);
    initHud();
    for (int frame = 0; frame < cameraSettleFrames; ++frame) {
        advance(game, StepInput());
    }
    if (!crowdIntact(crowd, crowd)) {
        state.SkipWithError("the crowd changed size while the camera settled");
    }
    game.comboTimer = crowd > 0 ? comboFramesForever : 0;
    DrawableState before;
    captureDrawable(game, before);
    for (auto _ : state) {
        benchDrawnFrame(before);
        glFinish();
    }
    state.SetLabel(std::to_string(glutGet(GLUT_WINDOW_WIDTH)) + "x" +
                   std::to_string(glutGet(GLUT_WINDOW_HEIGHT)) +
                   (crowd > 0 ? " busy" : " at the start"));
    resetGame(game);
}
// Width, height, stones (and as many debris pieces). With none it is the scene at the start
// of a game; with 100 it adds the shot, the lock and the combination picture.
BENCHMARK(drawFrame)
    ->Args({400, 300, 0})
    ->Args({400, 300, busyCrowd})
    ->Args({1280, 720, 0})
    ->Args({1280, 720, busyCrowd})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
} // namespace
