// object_drawing.cpp -- everything but the solid models is the unit quad with a texture,
// laid flat on the floor (shadows, smoke, swirl) or turned to face the viewer (glows,
// debris, marker, signs). Drawing only reads: where things are comes from the drawable state
// the frame blends, what they are (flags, counters, the lock) from the game.
#include "render/object_drawing.h"

#include "game/game_state.h"
#include "render/display_lists.h"
#include "render/textures.h"

#include <GL/freeglut.h>

namespace {
constexpr float shadowDepthStep = 0.001f; // keeps overlapping shadows from fighting
constexpr float glowTurnFactor = 0.8f;    // degrees per unit of the twirl measure

// Turns the current matrix to face the viewer, keeping its eye-space translation.
// Returns column-major element 12 (the eye-space x) for the glows' twirl.
float billboardMatrix() {
    GLfloat m[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    m[0] = 1.0f;
    m[1] = 0.0f;
    m[2] = 0.0f;
    m[4] = 0.0f;
    m[5] = 1.0f;
    m[6] = 0.0f;
    m[8] = 0.0f;
    m[9] = 0.0f;
    m[10] = 1.0f;
    glLoadMatrixf(m);
    return m[12];
}

void bindTexture(int slot) {
    glBindTexture(GL_TEXTURE_2D, textures[slot]);
}

void callList(int slot) {
    glCallList(displayLists[slot]);
}

void translateTo(Vector3 point) {
    glTranslatef(point.x, point.y, point.z);
}

void setGlowColour(int size) {
    switch (size) {
    case 3:
        glColor4f(0.2f, 0.3f, 0.9f, 0.7f);
        break;
    case 2:
        glColor4f(0.8f, 0.8f, 0.2f, 0.7f);
        break;
    case 1:
        glColor4f(0.8f, 0.1f, 0.2f, 0.7f);
        break;
    default:
        break; // keeps the current colour
    }
}

// Puts the enable bits (and any other attribute groups named) back as they were when the
// scope ends. Mesa 22's glPopAttrib leaves the lights' own switches as they are, so light 1,
// the one drawing switches, is put back by hand.
class SavedEnables {
  public:
    explicit SavedEnables(GLbitfield moreGroups = 0) : light1WasOn(glIsEnabled(GL_LIGHT1)) {
        glPushAttrib(GL_ENABLE_BIT | moreGroups);
    }
    ~SavedEnables() {
        glPopAttrib();
        if (light1WasOn) {
            glEnable(GL_LIGHT1);
        } else {
            glDisable(GL_LIGHT1);
        }
    }
    SavedEnables(const SavedEnables&) = delete;
    SavedEnables& operator=(const SavedEnables&) = delete;

  private:
    GLboolean light1WasOn;
};

// Within a SavedEnables scope; the blend function stays set.
void beginAdditiveBillboards() {
    glEnable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
}

void drawLitQuad(int textureSlot) {
    bindTexture(textureSlot);
    glEnable(GL_LIGHT1);
    callList(LIST_QUAD);
    glDisable(GL_LIGHT1);
}

// The craft's model transform: float above its spot, face the focus, tilt with the keys,
// then the model's own scale and spin.
void drawShipModel(const ShipModelPose& pose) {
    glPushMatrix();
    glTranslatef(pose.translation.x, pose.translation.y, pose.translation.z);
    glRotatef(pose.headingDegrees, 0.0f, 1.0f, 0.0f);
    if (pose.tilted) {
        glRotatef(pose.tiltDegrees, pose.tiltAxis.x, 0.0f, pose.tiltAxis.z);
    }
    glScalef(pose.scale.x, pose.scale.y, pose.scale.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(pose.spin.x, 1.0f, 0.0f, 0.0f);
    glRotatef(pose.spin.y, 0.0f, 1.0f, 0.0f);
    // Not quite the model's own axis: the slight wobble is part of the craft's look.
    glRotatef(pose.spin.z, 0.03f, 0.03f, 1.0f);
    callList(LIST_SHIP);
    glPopMatrix();
}

void drawSmoke(Vector3 p, float spinAngle) {
    glPushMatrix();
    glTranslatef(p.x, p.y - 0.4f, p.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(spinAngle * 8.0f, 0.0f, 0.0f, 1.0f);
    glScalef(1.5f, 1.5f, 1.5f);
    bindTexture(TEX_SMOKE);
    callList(LIST_QUAD);
    // A second, smaller layer just above, turning at another rate.
    glScalef(0.9f, 0.9f, 0.9f);
    glTranslatef(0.0f, 0.0f, -0.01f);
    glRotatef(spinAngle * 6.3f, 0.0f, 0.0f, 1.0f);
    callList(LIST_QUAD);
    glPopMatrix();
}

// The culling it needs (GL_POLYGON_BIT holds the cull face) goes back as it was, so the
// shell's F8 setting holds for the rest of the frame and the next.
void drawShotAndSwirl(const DrawnShot& shot, float spinAngle) {
    const SavedEnables saved(GL_POLYGON_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA);
    glEnable(GL_BLEND);
    glEnable(GL_LIGHT1);
    // The tube is seen from inside.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glDisable(GL_LIGHTING);
    bindTexture(TEX_SHOT);
    glColor4f(1.5f, 1.5f, 1.5f, 1.5f);
    glPushMatrix();
    glTranslatef(shot.x, shot.height - 7.0f, shot.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(spinAngle * 4.0f, 0.0f, 0.0f, 1.0f);
    glScalef(0.02f, 0.02f, 0.07f);
    callList(LIST_SHOT);
    glPopMatrix();

    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glTranslatef(shot.x, -0.5f, shot.z);
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(spinAngle * 7.0f, 0.0f, 0.0f, -1.0f);
    bindTexture(TEX_TWIRL);
    callList(LIST_QUAD);
    glPopMatrix();
}
} // namespace

void drawArenaCells(const GameState& g) {
    const Arena& arena = g.arena;
    for (int i = 0; i < Arena::gridSize; ++i) {
        for (int j = 0; j < Arena::gridSize; ++j) {
            glPushMatrix();
            const float cx = arena.cellCentreX(i);
            const float cz = arena.cellCentreZ(j);
            glTranslatef(cx, arena.cellHeightAt(cx, cz), cz);
            glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
            const int kind = arena.cellKindAt(cx, cz);
            if (kind == CELL_TILE) {
                glScalef(0.085f, 0.085f, 0.15f);
                bindTexture(TEX_STONES);
            } else if (kind == CELL_CORNER) {
                glScalef(0.015f, 0.015f, 0.008f);
                bindTexture(TEX_MUD);
            }
            if (kind >= 0 && kind < LIST_SLOT_COUNT) {
                callList(kind);
            }
            glPopMatrix();
        }
    }
}

void drawShadows(const DrawableState& d) {
    const int n = static_cast<int>(d.stones.size());
    const SavedEnables saved;
    glBlendFunc(GL_ZERO, GL_SRC_COLOR);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    bindTexture(TEX_SHADOW);
    glColor4f(5.0f, 5.0f, 5.0f, 0.0f);
    // The placeholder is included; its size 0 makes its shadow vanish.
    for (int i = 0; i < n; ++i) {
        const DrawnObject& o = d.stones[i];
        glPushMatrix();
        translateTo(worldPosition(o, o.floor - 0.8f - i * shadowDepthStep));
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        const float s = o.size * 0.5f;
        glScalef(s, s, s);
        callList(LIST_SHADOW_QUAD);
        glPopMatrix();
    }
    // Left white on purpose: the smoke, drawn next, takes the current colour.
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawCraftAndEffects(const GameState& g, const DrawableState& d) {
    if (g.gameOver || g.ship.hit) {
        return;
    }
    {
        const SavedEnables saved;
        glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA);
        glEnable(GL_BLEND);
        glEnable(GL_LIGHT1);
        drawSmoke(d.craftPosition, d.spinAngle);
        if (d.shot.active) {
            drawShotAndSwirl(d.shot, d.spinAngle);
        }
    }
    // The one state drawing changes on purpose (docs/BEHAVIOUR.md): lighting back on even
    // after the l key turned it off, so the key lasts until the craft is drawn.
    glEnable(GL_LIGHTING);
    bindTexture(TEX_SHIP);
    drawShipModel(d.craftPose);
}

void drawStoneGlows(const GameState& g, const DrawableState& d) {
    const int n = static_cast<int>(d.stones.size());
    const SavedEnables saved;
    beginAdditiveBillboards();
    for (int i = 1; i < n; ++i) {
        const DrawnObject& o = d.stones[i];
        glPushMatrix();
        translateTo(worldPosition(o));
        // The glow turns with the stone's place on screen and in the arena.
        const float twirl = 1.0f + billboardMatrix();
        glRotatef(glowTurnFactor * (g.twirlFactor * twirl - o.x * twirl), 0.0f, 0.0f, 1.0f);
        const float s = o.size * 0.5f;
        glScalef(s, s, s);
        setGlowColour(o.size);
        drawLitQuad(TEX_BASE);
        glPopMatrix();
    }
}

void drawDebris(const DrawableState& d) {
    const int n = static_cast<int>(d.debris.size());
    const SavedEnables saved;
    beginAdditiveBillboards();
    for (int i = 1; i < n; ++i) {
        glPushMatrix();
        translateTo(worldPosition(d.debris[i]));
        billboardMatrix();
        glScalef(0.2f, 0.2f, 0.2f);
        glColor4f(0.8f, 0.5f, 0.2f, 0.7f);
        drawLitQuad(TEX_BASE);
        glPopMatrix();
    }
}

// The alpha function stays set: the glows and debris test against it from the next frame on.
void drawLockMarker(const GameState& g, const DrawableState& d) {
    const SavedEnables saved;
    glPushMatrix();
    const DrawnObject* locked = nullptr;
    for (const DrawnObject& stone : d.stones) {
        locked = g.ship.hasLock() && stone.id == g.ship.lockedStoneId() ? &stone : locked;
    }
    if (locked != nullptr) {
        translateTo(worldPosition(*locked));
        billboardMatrix();
        glRotatef(d.spinAngle, 0.0f, 0.0f, 1.0f);
        const float s = locked->size * 0.5f;
        glScalef(s, s, s);
    }
    glDisable(GL_DEPTH_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_ALPHA_TEST);
    bindTexture(TEX_NOSORT);
    glEnable(GL_LIGHT1);
    if (locked != nullptr) {
        callList(LIST_QUAD);
    }
    glPopMatrix();
}

void drawSigns(const GameState& g, const DrawableState& d) {
    const SavedEnables saved;
    glPushMatrix();
    // The pictures float at the list's placeholder, which never moves.
    translateTo(worldPosition(*g.stones.at(0)));
    billboardMatrix();
    const int pulse = static_cast<int>(d.spinAngle) % 36 + 20;
    const float f = pulse / 50.0f + 1.0f;
    glScalef(f, f, 5.0f);
    glDisable(GL_DEPTH_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_ALPHA_TEST);
    bindTexture(TEX_KOMBO);
    glEnable(GL_LIGHT1);
    if (g.comboTimer > 0) {
        callList(LIST_QUAD);
    }
    if (g.ship.hit) {
        bindTexture(g.gameOver ? TEX_GAMEOVER : TEX_GETREADY);
        callList(LIST_QUAD);
    }
    glPopMatrix();
}
