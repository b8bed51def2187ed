// main.cpp -- start-up, the idle and reshape callbacks. The idle callback is pacing, one
// game frame and a redraw request; everything runs on GLUT's one thread.
#include "assets/display_lists.h"
#include "assets/textures.h"
#include "camera/camera.h"
#include "game/frame_step.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "platform/clock.h"
#include "platform/frame_pacer.h"
#include "player/arena.h"
#include "render/hud.h"
#include "render/scene.h"
#include "shell/controls.h"
#include "shell/keyboard.h"
#include "shell/swap_control.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>
#include <malloc.h>

namespace {
constexpr int startWidth = 400;
constexpr int startHeight = 300;
// Durations counted in frames are tuned for 100 frames per second.
constexpr double framePeriodMilliseconds = 10.0;

FramePacer pacer(framePeriodMilliseconds, clockMilliseconds, sleepMilliseconds);

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

// The keys' effects on the drawing side.
void setLighting(bool on) {
    if (on) {
        glEnable(GL_LIGHTING);
    } else {
        glDisable(GL_LIGHTING);
    }
}

void rebuildModels(bool asWireframe) {
    buildModelLists(displayLists, asWireframe ? GL_LINE_STRIP : GL_TRIANGLES);
}

void setFaceCulling(bool on) {
    if (on) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
}
} // namespace

void onIdle() {
    pacer.waitForNextFrame();
    syncHeldKeysWithServer();
    advanceFrame();
    glutPostRedisplay();
}

int main(int argc, char** argv) {
    // Diagnostic lines, some without a line end, should reach a pipe as they happen.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    keepFreedMemoryForReuse();

    wireframe = false;
    cullFaces = false;
    comboTimer = 0;
    spawnTimer = 200;

    glutInit(&argc, argv);
    glutInitWindowSize(startWidth, startHeight);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Wibz3D");
    useDetectableAutoRepeat();
    disableSwapSync();

    twirlFactor = 10.0f;
    smallStreak = 0;
    largeStreak = 0;
    mediumStreak = 0;

    initGl();
    loadTextures();

    glutDisplayFunc(onDisplay);
    glutIdleFunc(onIdle);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKey);
    setDisplayActions({setLighting, rebuildModels, setFaceCulling});
    glutSpecialFunc(onSpecialDown);
    glutSpecialUpFunc(onSpecialUp);

    initLights();
    arena.computeAxisPoints();
    buildModelLists(displayLists, GL_TRIANGLES);
    sceneLight.position = Vector3(1.5f, -1.0f, -6.0f);
    initCamera();
    initShip();
    placeShipAtStart();
    initHud();

    glutMainLoop();
    // Only reached if GLUT is told to return from its loop; the game normally ends inside.
    glDeleteTextures(3, textures);
    return 0;
}
