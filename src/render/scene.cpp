// scene.cpp -- one drawn frame in a fixed order: view, HUD, light and material, world,
// arena, then the flat and billboarded things over the solid ones. Drawing only reads
// game state and the frame's drawable state.
#include "render/scene.h"

#include "game/game_state.h"
#include "render/display_lists.h"
#include "render/hud_draw.h"
#include "render/object_drawing.h"
#include "render/projection.h"
#include "render/textures.h"
#include "view/hud.h"

#include <GL/freeglut.h>
#include <GL/glu.h>

#include <cstdio>

SceneLight sceneLight{Vector3(0.0f, 0.0f, 0.0f)};

namespace {
constexpr float lightHeightAboveAnchor = 5.0f;

void placeLightAndMaterial() {
    const GLfloat lightPosition[] = {sceneLight.position.x,
                                     sceneLight.position.y + lightHeightAboveAnchor,
                                     sceneLight.position.z, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    const GLfloat specular[] = {0.8f, 0.8f, 0.8f, 1.0f};
    const GLfloat ambientDiffuse[] = {0.1f, 0.5f, 0.8f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 80.0f);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, ambientDiffuse);
}

void drawWorld() {
    glPushMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, textures[TEX_MUD]);
    glTranslatef(worldOriginX, worldOriginY, worldOriginZ);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glScalef(worldAcrossScale, worldAcrossScale, worldUpScale);
    glCallList(displayLists[LIST_WORLD]);
    glPopMatrix();
    glPopMatrix();
}
} // namespace

// The projection follows the window's shape.
void onReshape(int width, int height) {
    if (width == 0 || height == 0) {
        return;
    }
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    applyScenePerspective(static_cast<double>(width) / static_cast<double>(height));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void initGl() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_COLOR_MATERIAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_LIGHTING);
}

void initLights() {
    std::printf("Initializing Lights...");
    const GLfloat dimAmbient[] = {0.1f, 0.1f, 0.1f, 1.0f};
    const GLfloat dimDiffuse[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat bright[] = {0.9f, 0.9f, 0.9f, 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, dimAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, dimDiffuse);
    glLightfv(GL_LIGHT1, GL_AMBIENT, bright);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, bright);
    glEnable(GL_LIGHT0);
}

void drawScene(const GameState& g, const DrawableState& d) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(d.eye.x, d.eye.y, d.eye.z, d.view.x, d.view.y, d.view.z, d.up.x, d.up.y, d.up.z);

    glPushMatrix();
    glLoadIdentity();
    drawHud(g.showFps);
    glPopMatrix();

    glPushMatrix();
    placeLightAndMaterial();
    glPopMatrix();

    glEnable(GL_TEXTURE_2D);
    drawWorld();
    glBindTexture(GL_TEXTURE_2D, textures[TEX_STONES]);
    drawArenaCells(g);
    drawShadows(d);
    drawCraftAndEffects(g, d);
    drawStoneGlows(g, d);
    drawDebris(d);
    drawLockMarker(g, d);
    drawSigns(g, d);

    glFlush();
}
