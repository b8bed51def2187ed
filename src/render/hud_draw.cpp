// hud_draw.cpp -- drawing the HUD lines. Each line's eye-space position is projected
// with the game's 40-degree perspective into window pixels and kept inside the window:
// at 400 x 300 it lands where the eye-space position puts it, and a narrow window, where
// that point would fall outside the view and GL would drop the line, still shows it.
#include "render/hud_draw.h"

#include "render/projection.h"
#include "view/hud.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float edgeMarginPixels = 4.0f;
constexpr float lineHeightPixels = 18.0f; // the HUD font's height

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
} // namespace

void drawHudText(Pipeline& p, const HudText& line, int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return;
    }
    float wx = 0.0f;
    float wy = 0.0f;
    float wz = 0.0f;
    eyeToWindow(line.getPosition(), windowWidth, windowHeight, wx, wy, wz);
    wx = std::clamp(wx, std::min(edgeMarginPixels, windowWidth - 1.0f), windowWidth - 1.0f);
    wy = std::clamp(wy, 0.0f, std::max(0.0f, windowHeight - lineHeightPixels));
    p.drawText(wx, wy, wz, line.getColour(), line.getText());
}

void drawHud(Pipeline& p, bool showFps) {
    const SavedSwitches saved(p);
    p.disable(Switch::TEXTURE);
    p.disable(Switch::LIGHTING);
    int width = 0;
    int height = 0;
    p.viewportSize(width, height);
    drawHudText(p, scoreText, width, height);
    drawHudText(p, livesText, width, height);
    drawHudText(p, spareText, width, height);
    if (showFps) {
        drawHudText(p, fpsText, width, height);
    }
}
