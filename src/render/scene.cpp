// scene.cpp -- one drawn frame in a fixed order: view, HUD, light and material, world,
// arena, then the flat and billboarded things over the solid ones. Drawing only reads
// game state and the frame's drawable state.
#include "render/scene.h"

#include "render/hud_draw.h"
#include "render/object_drawing.h"

SceneLight sceneLight{Vector3(0.0f, 0.0f, 0.0f)};

namespace {
constexpr float lightHeightAboveAnchor = 5.0f;

void placeLightAndMaterial(Pipeline& p) {
    const float lightPosition[] = {sceneLight.position.x,
                                   sceneLight.position.y + lightHeightAboveAnchor,
                                   sceneLight.position.z, 1.0f};
    p.placeLight0(lightPosition);
    p.setMaterial(Material{{0.8f, 0.8f, 0.8f, 1.0f}, 80.0f, {0.1f, 0.5f, 0.8f, 1.0f}});
}

void drawWorld(Pipeline& p) {
    p.pushMatrix();
    p.colour(1.0f, 1.0f, 1.0f, 1.0f);
    p.pushMatrix();
    p.bindTexture(TEX_MUD);
    p.translate(worldOriginX, worldOriginY, worldOriginZ);
    p.rotate(90.0f, 1.0f, 0.0f, 0.0f);
    p.scale(worldAcrossScale, worldAcrossScale, worldUpScale);
    p.drawMesh(LIST_WORLD);
    p.popMatrix();
    p.popMatrix();
}
} // namespace

void drawFrame(Pipeline& p, const GameState& g, const DrawableState& d) {
    p.clear();
    p.loadIdentity();
    p.lookAt(d.eye, d.view, d.up);

    p.pushMatrix();
    p.loadIdentity();
    drawHud(p, g.showFps);
    p.popMatrix();

    p.pushMatrix();
    placeLightAndMaterial(p);
    p.popMatrix();

    p.enable(Switch::TEXTURE);
    drawWorld(p);
    p.bindTexture(TEX_STONES);
    drawArenaCells(p, g);
    drawShadows(p, d);
    drawCraftAndEffects(p, g, d);
    drawStoneGlows(p, g, d);
    drawDebris(p, d);
    drawLockMarker(p, g, d);
    drawSigns(p, g, d);

    p.finishFrame();
}
