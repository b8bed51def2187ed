// hud_draw.cpp -- drawing the HUD lines. Each line's eye-space position is projected
// with the game's 40-degree perspective into window pixels and kept inside the window:
// at 400 x 300 it lands where the eye-space position puts it, and a narrow window, where
// that point would fall outside the view and GL would drop the line, still shows it.
#include "render/hud_draw.h"

#include "render/projection.h"
#include "view/hud.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr float edgeMarginPixels = 4.0f;
constexpr float lineHeightPixels = 18.0f; // GLUT_BITMAP_HELVETICA_18

// Window pixel where the eye-space point would be drawn by the scene's projection, and the
// depth it would have there, as a z for an orthographic -1..1 range (the text writes
// depth, so scene parts behind it stay hidden under the letters).
void eyeToWindow(Vector3 eye, int width, int height, float& wx, float& wy, float& wz) {
    constexpr double nearPlane = perspectiveNearUnits;
    constexpr double farPlane = perspectiveFarUnits;
    const double f = 1.0 / std::tan(perspectiveFieldOfViewDegrees * 0.5 * M_PI / 180.0);
    const double aspect = static_cast<double>(width) / static_cast<double>(height);
    const double depth = -eye.z;
    const double ndcX = f / aspect * eye.x / depth;
    const double ndcY = f * eye.y / depth;
    wx = static_cast<float>((ndcX + 1.0) * 0.5 * width);
    wy = static_cast<float>((ndcY + 1.0) * 0.5 * height);
    const double clipZ = -(farPlane + nearPlane) / (farPlane - nearPlane) * eye.z -
                         2.0 * farPlane * nearPlane / (farPlane - nearPlane);
    wz = static_cast<float>(-clipZ / depth);
}

// One line at its eye-space position, kept inside a window of the given size.
void drawLine(const HudText& line, int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return;
    }
    float wx = 0.0f;
    float wy = 0.0f;
    float wz = 0.0f;
    eyeToWindow(line.getPosition(), windowWidth, windowHeight, wx, wy, wz);
    wx = std::clamp(wx, std::min(edgeMarginPixels, windowWidth - 1.0f), windowWidth - 1.0f);
    wy = std::clamp(wy, 0.0f, std::max(0.0f, windowHeight - lineHeightPixels));

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, windowWidth, 0.0, windowHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const Vector3 colour = line.getColour();
    glColor3f(colour.x, colour.y, colour.z);
    glRasterPos3f(wx, wy, wz);
    for (const char* c = line.getText(); *c != '\0'; ++c) {
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, static_cast<unsigned char>(*c));
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
} // namespace

void drawHud(bool showFps) {
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    drawLine(scoreText, viewport[2], viewport[3]);
    drawLine(livesText, viewport[2], viewport[3]);
    drawLine(spareText, viewport[2], viewport[3]);
    if (showFps) {
        drawLine(fpsText, viewport[2], viewport[3]);
    }
    glPopAttrib();
}
