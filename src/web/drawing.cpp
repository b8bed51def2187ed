// drawing.cpp -- the renderer's shader path on WebGL, fed with pictures decoded by stb_image
// (DevIL is the desktop's). The loading lines read as the desktop's: "Loaded 'tex/BG.jpg' ok
// (4@2)", the texture's GL name, then the number DevIL gives the one image it decodes at a
// time (2: its own default image is 1). The browser's decoder has no such number; the line
// keeps the desktop's text, so the two consoles compare line for line.
#include "web/drawing.h"

#include "assets/data_files.h"
#include "render/renderer.h"

#include <GLES2/gl2.h>
#include <stb/stb_image.h>

#include <cstdio>

namespace {
constexpr int desktopImageNumber = 2;

// What the GL state was last set to from the game's display flags.
struct DrawnToggles {
    bool wireframe = false;
    bool cullFaces = false;
};
DrawnToggles drawn;

// GLU's words for GL's errors, as the desktop prints them.
const char* glErrorText(unsigned int code) {
    switch (code) {
    case GL_INVALID_ENUM:
        return "invalid enumerant";
    case GL_INVALID_VALUE:
        return "invalid value";
    case GL_INVALID_OPERATION:
        return "invalid operation";
    case GL_OUT_OF_MEMORY:
        return "out of memory";
    default:
        return "unknown error";
    }
}

// One picture into its slot, with its line. Grey pictures come as RGB, grey with alpha as
// RGBA, as the desktop converts them.
void loadPicture(const DataFile& file) {
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info(file.path, &width, &height, &channels) == 0) {
        std::printf("Error loading texture: %s: %s\n", file.path, stbi_failure_reason());
        return;
    }
    const int wanted = channels == 2 || channels == 4 ? 4 : 3;
    unsigned char* pixels = stbi_load(file.path, &width, &height, &channels, wanted);
    if (pixels == nullptr) {
        std::printf("Error loading texture: %s: %s\n", file.path, stbi_failure_reason());
        return;
    }
    const unsigned int error =
        uploadTexture(file.slot, TexturePixels{width, height, wanted, pixels});
    stbi_image_free(pixels);
    if (error != 0) {
        std::printf("Error GL-binding texture(%u): %s\n", error, glErrorText(error));
        return;
    }
    std::printf("Loaded '%s' ok (%u@%d)\n", file.path, textureName(file.slot), desktopImageNumber);
}
} // namespace

void setUpDrawing(int width, int height) {
    initGl();
    for (const DataFile& file : textureFiles) {
        loadPicture(file);
    }
    onReshape(width, height);
}

void followDisplayToggles(const GameState& g) {
    if (g.wireframe != drawn.wireframe) {
        drawn.wireframe = g.wireframe;
        buildModels(drawn.wireframe);
    }
    if (g.cullFaces != drawn.cullFaces) {
        drawn.cullFaces = g.cullFaces;
        setBackFaceCulling(drawn.cullFaces);
    }
}

void drawFrame(const GameState& g, const DrawableState& d) {
    drawScene(g, d);
}

void switchLighting(bool on) {
    setLighting(on);
}
