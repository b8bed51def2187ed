// bare_window.cpp -- the yardstick for the game's frame timing: a GLUT window of the same
// kind and size that only clears and swaps, paced by the game's own FramePacer. Escape
// ends it. scripts/measure_frames.sh measures it beside the game.
#include "platform/clock.h"
#include "platform/frame_pacer.h"

#include <GL/freeglut.h>

#include <cstdlib>

namespace {
constexpr int startWidth = 400;
constexpr int startHeight = 300;
constexpr double framePeriodMilliseconds = 10.0;
constexpr unsigned char keyEscape = 27;

FramePacer pacer(framePeriodMilliseconds, 1, clockMilliseconds, sleepMilliseconds);

void onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

void onIdle() {
    pacer.waitForNextFrame();
    glutPostRedisplay();
}

void onReshape(int width, int height) {
    glViewport(0, 0, width, height);
}

void onKey(unsigned char key, int, int) {
    if (key == keyEscape) {
        std::exit(0);
    }
}
} // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitWindowSize(startWidth, startHeight);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("Bare GLUT window");
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glutDisplayFunc(onDisplay);
    glutIdleFunc(onIdle);
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKey);
    glutMainLoop();
    return 0;
}
