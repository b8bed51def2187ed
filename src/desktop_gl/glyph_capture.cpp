// glyph_capture.cpp -- each letter is drawn alone in the middle of a framebuffer three cells
// square, at the raster position its cell's origin stands for, and read back whole: a pixel
// set outside the middle cell means the cells are too small, and nothing is kept.
#include "desktop_gl/glyph_capture.h"

#include "render/gl.h"

#include <GL/freeglut.h>

#include <vector>

namespace {
constexpr int cell = GlyphAtlas::cellPixels;
constexpr int side = 3 * cell;

// Copies the middle cell into the atlas; false when a pixel outside it is set.
bool keepMiddleCell(const std::vector<unsigned char>& red, int code, GlyphAtlas& atlas) {
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool set = red[static_cast<std::size_t>(y * side + x)] > 127;
            const bool inMiddle = x >= cell && x < 2 * cell && y >= cell && y < 2 * cell;
            if (set && !inMiddle) {
                return false;
            }
            if (inMiddle) {
                const int ax = GlyphAtlas::cellX(code) + x - cell;
                const int ay = GlyphAtlas::cellY(code) + y - cell;
                atlas.coverage[static_cast<std::size_t>(ay * GlyphAtlas::width + ax)] =
                    set ? 255 : 0;
            }
        }
    }
    return true;
}

bool drawEveryLetter(GlyphAtlas& atlas) {
    std::vector<unsigned char> red(static_cast<std::size_t>(side * side));
    for (int code = 1; code < GlyphAtlas::codes; ++code) {
        glClear(GL_COLOR_BUFFER_BIT);
        glRasterPos2i(cell + GlyphAtlas::originX, cell + GlyphAtlas::originY);
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, code);
        glReadPixels(0, 0, side, side, GL_RED, GL_UNSIGNED_BYTE, red.data());
        if (!keepMiddleCell(red, code, atlas)) {
            return false;
        }
        atlas.advance[code] = glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, code);
    }
    return true;
}
} // namespace

bool captureGlyphAtlas(GlyphAtlas& into) {
    GLint previousFramebuffer = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previousFramebuffer);
    GLint previousProgram = 0; // a program in use would shade the bitmaps' fragments
    glGetIntegerv(GL_CURRENT_PROGRAM, &previousProgram);
    glUseProgram(0);
    GLuint framebuffer = 0;
    GLuint colour = 0;
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, side, side);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    bool captured = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, side, 0.0, side, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glViewport(0, 0, side, side);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    GlyphAtlas atlas;
    captured = captured && drawEveryLetter(atlas);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopClientAttrib();
    glPopAttrib();

    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previousFramebuffer));
    glUseProgram(static_cast<GLuint>(previousProgram));
    glDeleteRenderbuffers(1, &colour);
    glDeleteFramebuffers(1, &framebuffer);
    if (captured) {
        into = atlas;
    }
    return captured;
}
