// glyph_capture.h -- the HUD font's glyphs taken from freeglut itself: each letter of
// GLUT_BITMAP_HELVETICA_18 drawn with glutBitmapCharacter into a framebuffer of our own and
// read back, with glutBitmapWidth's advance. The shader path draws the HUD from them, on
// the desktop at start-up and in the browser from the file the native build writes.
#pragma once

#include "render/glyph_atlas.h"

// Needs a current GL context with framebuffer objects and GLUT started. False when a letter
// reaches outside its cell (a font GlyphAtlas's cells cannot hold) or the framebuffer cannot
// be made. Leaves the GL state as it found it.
bool captureGlyphAtlas(GlyphAtlas& into);
