// main.cpp -- start-up: the command line, what can refuse to start before any window, the
// window and its GL state, the callbacks and the game's set-up; then GLUT's loop
// (frame_loop.h) until the game exits.
#include "desktop_gl/fixed_pipeline.h"
#include "desktop_gl/image_files.h"
#include "game/game_setup.h"
#include "platform/process_exit.h"
#include "render/renderer.h"
#include "render/scene.h"
#include "render/textures.h"
#include "replay/demo_session.h"
#include "shell/frame_loop.h"
#include "shell/keyboard.h"
#include "startup/data_folder.h"
#include "startup/options.h"
#include "view/hud.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <malloc.h>
#include <string>
#include <vector>

namespace {
// The software renderer allocates and frees vertex buffers of some hundred kilobytes every
// frame. By default glibc gives such memory back to the system at once and takes it again
// the next frame, as fresh pages that fault in one by one; keeping it for reuse saves about
// a tenth of a core in play, for a heap that stays at its high-water mark.
void keepFreedMemoryForReuse() {
    constexpr int largestMmapThresholdBytes = 32 * 1024 * 1024; // glibc's ceiling
    constexpr int trimThresholdBytes = 256 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, largestMmapThresholdBytes);
    mallopt(M_TRIM_THRESHOLD, trimThresholdBytes);
}

// Everything that can refuse to start, before any window: the demo files, the frame log
// and the data folder. Returns the exit status to end with, or -1 to go on.
int prepareBeforeTheWindow(const Options& options) {
    // Demo files are named from where the game was started, before it enters its data.
    if (!startDemoSession(options)) {
        return 2;
    }
    std::string logError;
    if (!options.frameLog.empty() && !openFrameLog(options.frameLog, logError)) {
        std::fprintf(stderr, "wibz3d: %s\n", logError.c_str());
        return 2;
    }
    if (!enterDataFolder(options.dataFolder)) {
        return 1;
    }
    return -1;
}

void openWindow(CommandLine& commandLine) {
    const Options& options = commandLine.options;
    std::vector<char*> glutArgv = argumentPointers(commandLine.glutArguments);
    int glutArgc = static_cast<int>(commandLine.glutArguments.size());
    // Set before glutInit so that a -geometry size still wins.
    glutInitWindowSize(options.windowWidth, options.windowHeight);
    glutInit(&glutArgc, glutArgv.data());
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Wibz3D");
    if (options.fullscreen) {
        glutFullScreen();
    }
    useDetectableAutoRepeat();
    startSwapSync(options.vsync);
}

void registerInputCallbacks() {
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKey);
    setLightingAction(switchLighting);
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);
}

// The start-up's order: the lights, the game's steps (setUpGame) with the model lists and
// the scene light's place built between the arena's axis points and the camera, then the
// HUD.
void setUpTheGame() {
    initLights();
    setUpGame(game, [] {
        buildModels(false);
        sceneLight.position = Vector3(1.5f, -1.0f, -6.0f);
    });
    initHud();
}
} // namespace

int main(int argc, char** argv) {
    routeExitsThroughLeaving();
    // Help, version and usage errors end here, before any window; so does missing data.
    CommandLine commandLine = parseCommandLine(argc, argv);
    if (commandLine.action != StartAction::PLAY) {
        return reportCommandLine(commandLine);
    }
    const int refused = prepareBeforeTheWindow(commandLine.options);
    if (refused >= 0) {
        return refused;
    }
    // The images are decoded while the window and its GL state are made.
    startDecodingTextures();
    // Diagnostic lines, some without a line end, should reach a pipe as they happen.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    keepFreedMemoryForReuse();

    openWindow(commandLine);
    chooseDesktopPipeline();
    initGl();
    loadTextures();
    registerInputCallbacks();
    setUpTheGame();
    const Options& options = commandLine.options;
    DeviceStarts devices;
    // A timedemo measures the drawing alone; a played demo takes no pad.
    devices.sound = options.sound && !options.timedemo;
    devices.volumePercent = options.volume;
    devices.gamepads = options.gamepads && options.playDemo.empty();
    startFrameLoop(devices);
    armDemoSessionExit();

    glutMainLoop();
    // Only reached if GLUT is told to return from its loop; the game normally ends inside.
    glDeleteTextures(3, textures);
    return 0;
}
