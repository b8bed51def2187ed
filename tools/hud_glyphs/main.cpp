// main.cpp -- wibz3d-glyphs: writes the HUD font's glyph atlas for the browser build, taken
// from freeglut's own GLUT_BITMAP_HELVETICA_18 through its API (desktop_gl/glyph_capture.h).
// freeglut needs an X display: the build runs it on a private Xvfb.
//   wibz3d-glyphs OUTPUT.pgm
#include "desktop_gl/glyph_capture.h"

#include <GL/freeglut.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wibz3d-glyphs OUTPUT.pgm\n");
        return 2;
    }
    int glutArgc = 1;
    glutInit(&glutArgc, argv);
    glutInitWindowSize(64, 64);
    glutInitDisplayMode(GLUT_RGB | GLUT_SINGLE);
    glutCreateWindow("wibz3d-glyphs");
    GlyphAtlas atlas;
    if (!captureGlyphAtlas(atlas)) {
        std::fprintf(stderr, "wibz3d-glyphs: the font's letters could not be taken\n");
        return 1;
    }
    if (!writeGlyphAtlas(atlas, argv[1])) {
        std::fprintf(stderr, "wibz3d-glyphs: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
