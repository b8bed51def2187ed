// renderer.h -- what a shell calls to draw the game, on the desktop and in the browser. In
// start-up order: initGl, the pictures (uploadTexture for each decoded image, or the
// desktop's loadTextures), initLights, buildModels; then onReshape at every new window size
// and drawScene for each frame. The desktop draws through OpenGL's fixed-function pipeline
// and display lists; the shader path (WebGL in the browser, and the desktop's when chosen)
// through one pair of GLSL ES 1.00 shaders over vertex buffers. Both draw the same scene
// code and the same vertex arrays. Every call needs the GL context current, on its thread.
// The drawing needs a depth buffer and a colour buffer without alpha (GLUT_RGB without
// GLUT_ALPHA; WebGL's alpha: false): blending by destination alpha must read 1.
#pragma once

#include "game/game_state.h"
#include "view/drawable_state.h"

// The glyphs of the HUD's font for the shader path, made from freeglut's own bitmap font
// by the native build (the target wibz_hud_glyphs, under Xvfb); read from the data folder
// by the first buildModels in the browser. The desktop takes them from freeglut instead.
constexpr const char* hudGlyphsFile = "tex/hud_glyphs.pgm";

// The browser draws with the shader pipeline, the one drawn through until another is chosen
// (render/pipeline.h); a desktop program chooses its own before initGl and before GLUT can
// call onReshape.

// The GL state every frame starts from: shading, clear colour, depth test, lit colour. It
// makes no GL object, so the pictures loaded next take the first texture names GL gives,
// as on the desktop (emscripten 3.1.6 numbers its context and all objects in one sequence,
// so there they are 2 to 14).
void initGl();
// Prints "Initializing Lights..." (no line end) and sets up the two lights.
void initLights();

// An image decoded elsewhere (stb_image in the browser): 8-bit samples, 3 (RGB) or 4
// (RGBA) a pixel, rows in the file's order, the first at t = 0.
struct TexturePixels {
    int width = 0;
    int height = 0;
    int channels = 0;
    const unsigned char* pixels = nullptr;
};
// Makes a texture of the image, filtered as every picture of the game, into the slot
// (TEX_... of assets/data_files.h) and returns GL's error code after the upload, 0 when all
// went well. The caller prints the loading line: "Loaded '%s' ok (%d@%d)\n" with the path,
// textureName(slot) and the image's number, or "Error GL-binding texture(%d): ..." with
// the code.
unsigned int uploadTexture(int slot, const TexturePixels& image);
// The GL name in a texture slot, 0 where nothing was loaded.
unsigned int textureName(int slot);

// Reads the model files (modelFiles of assets/data_files.h, from the working directory)
// and builds what draws them and the unit quad: solid triangles, or the same vertices as
// one line strip an object when wireLines is set (F3). A file that fails prints the
// reader's error and leaves its model empty. The shader path compiles its shaders and
// makes or reads the HUD's glyphs at its first call: false, with the reason on standard
// error, when that fails, and nothing is drawn then.
bool buildModels(bool wireLines);

// The viewport and the scene's perspective for the new window size; a side of 0 changes
// nothing.
void onReshape(int width, int height);
// Draws the game into the back buffer: the moving things where d has them, the rest as the
// game stands, and the HUD's lines. The caller swaps.
void drawScene(const GameState& g, const DrawableState& d);

// The l and L keys: lighting off or on until the craft is next drawn, which turns it on.
void setLighting(bool on);
// F8: back faces culled, or not.
void setBackFaceCulling(bool on);
