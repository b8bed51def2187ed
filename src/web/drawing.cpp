// drawing.cpp -- until the renderer draws through WebGL, the canvas shows the scene's
// clear colour.
#include "web/drawing.h"

#include <GLES2/gl2.h>

void setUpDrawing() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

void setUpScene() {}

void followDisplayToggles(const GameState&) {}

void drawFrame(const GameState&, const DrawableState&) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void switchLighting(bool) {}
