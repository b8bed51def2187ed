// scene.cpp -- scene drawing; it only reads game state.
#include "render/scene.h"

#include <GL/freeglut.h>

void onDisplay() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glFlush();
    glutSwapBuffers();
}
