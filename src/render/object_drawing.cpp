// object_drawing.cpp -- everything but the solid models is the unit quad with a texture,
// laid flat on the floor (shadows, smoke, swirl) or turned to face the viewer (glows,
// debris, marker, signs). Drawing only reads: where things are comes from the drawable state
// the frame blends, what they are (flags, counters, the lock) from the game.
#include "render/object_drawing.h"

#include "game/game_state.h"

namespace {
constexpr float shadowDepthStep = 0.001f; // keeps overlapping shadows from fighting
constexpr float glowTurnFactor = 0.8f;    // degrees per unit of the twirl measure

void translateTo(Pipeline& p, Vector3 point) {
    p.translate(point.x, point.y, point.z);
}

void setGlowColour(Pipeline& p, int size) {
    switch (size) {
    case 3:
        p.colour(0.2f, 0.3f, 0.9f, 0.7f);
        break;
    case 2:
        p.colour(0.8f, 0.8f, 0.2f, 0.7f);
        break;
    case 1:
        p.colour(0.8f, 0.1f, 0.2f, 0.7f);
        break;
    default:
        break; // keeps the current colour
    }
}

// Within a SavedSwitches scope; the blend function stays set.
void beginAdditiveBillboards(Pipeline& p) {
    p.enable(Switch::ALPHA_TEST);
    p.blendFunction(BlendFactor::SRC_ALPHA, BlendFactor::ONE);
    p.enable(Switch::BLEND);
    p.disable(Switch::DEPTH_TEST);
}

void drawLitQuad(Pipeline& p, int textureSlot) {
    p.bindTexture(textureSlot);
    p.enable(Switch::LIGHT1);
    p.drawMesh(LIST_QUAD);
    p.disable(Switch::LIGHT1);
}

// The craft's model transform: float above its spot, face the focus, tilt with the keys,
// then the model's own scale and spin.
void drawShipModel(Pipeline& p, const ShipModelPose& pose) {
    p.pushMatrix();
    p.translate(pose.translation.x, pose.translation.y, pose.translation.z);
    p.rotate(pose.headingDegrees, 0.0f, 1.0f, 0.0f);
    if (pose.tilted) {
        p.rotate(pose.tiltDegrees, pose.tiltAxis.x, 0.0f, pose.tiltAxis.z);
    }
    p.scale(pose.scale.x, pose.scale.y, pose.scale.z);
    p.rotate(90.0f, 1.0f, 0.0f, 0.0f);
    p.rotate(pose.spin.x, 1.0f, 0.0f, 0.0f);
    p.rotate(pose.spin.y, 0.0f, 1.0f, 0.0f);
    // Not quite the model's own axis: the slight wobble is part of the craft's look.
    p.rotate(pose.spin.z, 0.03f, 0.03f, 1.0f);
    p.drawMesh(LIST_SHIP);
    p.popMatrix();
}

void drawSmoke(Pipeline& p, Vector3 at, float spinAngle) {
    p.pushMatrix();
    p.translate(at.x, at.y - 0.4f, at.z);
    p.rotate(90.0f, 1.0f, 0.0f, 0.0f);
    p.rotate(spinAngle * 8.0f, 0.0f, 0.0f, 1.0f);
    p.scale(1.5f, 1.5f, 1.5f);
    p.bindTexture(TEX_SMOKE);
    p.drawMesh(LIST_QUAD);
    // A second, smaller layer just above, turning at another rate.
    p.scale(0.9f, 0.9f, 0.9f);
    p.translate(0.0f, 0.0f, -0.01f);
    p.rotate(spinAngle * 6.3f, 0.0f, 0.0f, 1.0f);
    p.drawMesh(LIST_QUAD);
    p.popMatrix();
}

// The culling it needs goes back as it was, so the shell's F8 setting holds for the rest of
// the frame and the next.
void drawShotAndSwirl(Pipeline& p, const DrawnShot& shot, float spinAngle) {
    const SavedSwitches saved(p, true);
    p.blendFunction(BlendFactor::SRC_ALPHA, BlendFactor::DST_ALPHA);
    p.enable(Switch::BLEND);
    p.enable(Switch::LIGHT1);
    // The tube is seen from inside.
    p.enable(Switch::CULL_FACE);
    p.cullFace(Face::FRONT);
    p.disable(Switch::LIGHTING);
    p.bindTexture(TEX_SHOT);
    p.colour(1.5f, 1.5f, 1.5f, 1.5f);
    p.pushMatrix();
    p.translate(shot.x, shot.height - 7.0f, shot.z);
    p.rotate(90.0f, 1.0f, 0.0f, 0.0f);
    p.rotate(spinAngle * 4.0f, 0.0f, 0.0f, 1.0f);
    p.scale(0.02f, 0.02f, 0.07f);
    p.drawMesh(LIST_SHOT);
    p.popMatrix();

    p.pushMatrix();
    p.disable(Switch::DEPTH_TEST);
    p.translate(shot.x, -0.5f, shot.z);
    p.rotate(90.0f, 1.0f, 0.0f, 0.0f);
    p.rotate(spinAngle * 7.0f, 0.0f, 0.0f, -1.0f);
    p.bindTexture(TEX_TWIRL);
    p.drawMesh(LIST_QUAD);
    p.popMatrix();
}
} // namespace

void drawArenaCells(Pipeline& p, const GameState& g) {
    const Arena& arena = g.arena;
    for (int i = 0; i < Arena::gridSize; ++i) {
        for (int j = 0; j < Arena::gridSize; ++j) {
            p.pushMatrix();
            const float cx = arena.cellCentreX(i);
            const float cz = arena.cellCentreZ(j);
            p.translate(cx, arena.cellHeightAt(cx, cz), cz);
            p.rotate(90.0f, 1.0f, 0.0f, 0.0f);
            const int kind = arena.cellKindAt(cx, cz);
            if (kind == CELL_TILE) {
                p.scale(0.085f, 0.085f, 0.15f);
                p.bindTexture(TEX_STONES);
            } else if (kind == CELL_CORNER) {
                p.scale(0.015f, 0.015f, 0.008f);
                p.bindTexture(TEX_MUD);
            }
            if (kind >= 0 && kind < LIST_SLOT_COUNT) {
                p.drawMesh(kind);
            }
            p.popMatrix();
        }
    }
}

void drawShadows(Pipeline& p, const DrawableState& d) {
    const int n = static_cast<int>(d.stones.size());
    const SavedSwitches saved(p);
    p.blendFunction(BlendFactor::ZERO, BlendFactor::SRC_COLOR);
    p.enable(Switch::BLEND);
    p.disable(Switch::DEPTH_TEST);
    p.bindTexture(TEX_SHADOW);
    p.colour(5.0f, 5.0f, 5.0f, 0.0f);
    // The placeholder is included; its size 0 makes its shadow vanish.
    for (int i = 0; i < n; ++i) {
        const DrawnObject& o = d.stones[i];
        p.pushMatrix();
        translateTo(p, worldPosition(o, o.floor - 0.8f - i * shadowDepthStep));
        p.rotate(90.0f, 1.0f, 0.0f, 0.0f);
        const float s = o.size * 0.5f;
        p.scale(s, s, s);
        p.drawMesh(LIST_SHADOW_QUAD);
        p.popMatrix();
    }
    // Left white on purpose: the smoke, drawn next, takes the current colour.
    p.colour(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawCraftAndEffects(Pipeline& p, const GameState& g, const DrawableState& d) {
    if (g.gameOver || g.ship.hit) {
        return;
    }
    {
        const SavedSwitches saved(p);
        p.blendFunction(BlendFactor::SRC_ALPHA, BlendFactor::DST_ALPHA);
        p.enable(Switch::BLEND);
        p.enable(Switch::LIGHT1);
        drawSmoke(p, d.craftPosition, d.spinAngle);
        if (d.shot.active) {
            drawShotAndSwirl(p, d.shot, d.spinAngle);
        }
    }
    // The one state drawing changes on purpose (docs/BEHAVIOUR.md): lighting back on even
    // after the l key turned it off, so the key lasts until the craft is drawn.
    p.enable(Switch::LIGHTING);
    p.bindTexture(TEX_SHIP);
    drawShipModel(p, d.craftPose);
}

void drawStoneGlows(Pipeline& p, const GameState& g, const DrawableState& d) {
    const int n = static_cast<int>(d.stones.size());
    const SavedSwitches saved(p);
    beginAdditiveBillboards(p);
    for (int i = 1; i < n; ++i) {
        const DrawnObject& o = d.stones[i];
        p.pushMatrix();
        translateTo(p, worldPosition(o));
        // The glow turns with the stone's place on screen and in the arena.
        const float twirl = 1.0f + p.faceViewer();
        p.rotate(glowTurnFactor * (g.twirlFactor * twirl - o.x * twirl), 0.0f, 0.0f, 1.0f);
        const float s = o.size * 0.5f;
        p.scale(s, s, s);
        setGlowColour(p, o.size);
        drawLitQuad(p, TEX_BASE);
        p.popMatrix();
    }
}

void drawDebris(Pipeline& p, const DrawableState& d) {
    const int n = static_cast<int>(d.debris.size());
    const SavedSwitches saved(p);
    beginAdditiveBillboards(p);
    for (int i = 1; i < n; ++i) {
        p.pushMatrix();
        translateTo(p, worldPosition(d.debris[i]));
        p.faceViewer();
        p.scale(0.2f, 0.2f, 0.2f);
        p.colour(0.8f, 0.5f, 0.2f, 0.7f);
        drawLitQuad(p, TEX_BASE);
        p.popMatrix();
    }
}

// The alpha function stays set: the glows and debris test against it from the next frame on.
void drawLockMarker(Pipeline& p, const GameState& g, const DrawableState& d) {
    const SavedSwitches saved(p);
    p.pushMatrix();
    const DrawnObject* locked = nullptr;
    for (const DrawnObject& stone : d.stones) {
        locked = g.ship.hasLock() && stone.id == g.ship.lockedStoneId() ? &stone : locked;
    }
    if (locked != nullptr) {
        translateTo(p, worldPosition(*locked));
        p.faceViewer();
        p.rotate(d.spinAngle, 0.0f, 0.0f, 1.0f);
        const float s = locked->size * 0.5f;
        p.scale(s, s, s);
    }
    p.disable(Switch::DEPTH_TEST);
    p.alphaTestAbove(0.5f);
    p.colour(1.0f, 1.0f, 1.0f, 1.0f);
    p.enable(Switch::ALPHA_TEST);
    p.bindTexture(TEX_NOSORT);
    p.enable(Switch::LIGHT1);
    if (locked != nullptr) {
        p.drawMesh(LIST_QUAD);
    }
    p.popMatrix();
}

void drawSigns(Pipeline& p, const GameState& g, const DrawableState& d) {
    const SavedSwitches saved(p);
    p.pushMatrix();
    // The pictures float at the list's placeholder, which never moves.
    translateTo(p, worldPosition(*g.stones.at(0)));
    p.faceViewer();
    const int pulse = static_cast<int>(d.spinAngle) % 36 + 20;
    const float f = pulse / 50.0f + 1.0f;
    p.scale(f, f, 5.0f);
    p.disable(Switch::DEPTH_TEST);
    p.alphaTestAbove(0.5f);
    p.colour(1.0f, 1.0f, 1.0f, 1.0f);
    p.enable(Switch::ALPHA_TEST);
    p.bindTexture(TEX_KOMBO);
    p.enable(Switch::LIGHT1);
    if (g.comboTimer > 0) {
        p.drawMesh(LIST_QUAD);
    }
    if (g.ship.hit) {
        p.bindTexture(g.gameOver ? TEX_GAMEOVER : TEX_GETREADY);
        p.drawMesh(LIST_QUAD);
    }
    p.popMatrix();
}
