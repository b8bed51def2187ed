// textures.cpp -- DevIL loading and GL upload. Images that are not 8-bit RGB or RGBA
// (grey, paletted, 16-bit, BGR) are converted first, so the upload never reads past the
// pixel data.
#include "render/textures.h"

#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>

#include <cstdio>

GLuint textures[TEXTURE_SLOT_COUNT] = {};

namespace {
bool carriesAlpha() {
    switch (ilGetInteger(IL_IMAGE_FORMAT)) {
    case IL_RGBA:
    case IL_BGRA:
    case IL_LUMINANCE_ALPHA:
        return true;
    case IL_COLOUR_INDEX: {
        const ILint palette = ilGetInteger(IL_PALETTE_TYPE);
        return palette == IL_PAL_RGBA32 || palette == IL_PAL_BGRA32;
    }
    default:
        return false;
    }
}

// Leaves the bound image as 8-bit RGB or RGBA.
void convertForUpload() {
    const ILint format = ilGetInteger(IL_IMAGE_FORMAT);
    const bool plain =
        (format == IL_RGB || format == IL_RGBA) && ilGetInteger(IL_IMAGE_TYPE) == IL_UNSIGNED_BYTE;
    if (plain) {
        return;
    }
    ilConvertImage(carriesAlpha() ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE);
}

void uploadBoundImage(bool mipmap) {
    const ILint bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const ILint width = ilGetInteger(IL_IMAGE_WIDTH);
    const ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
    const GLenum format = bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
    // Rows go up in the order DevIL delivers them: the first row lies at t = 0.
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, ilGetData());
    if (mipmap) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, format, GL_UNSIGNED_BYTE, ilGetData());
    }
}
} // namespace

GLuint loadTexture(const char* path, bool mipmap) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilLoadImage(path);
    const ILenum loadError = ilGetError();
    GLuint name = 0;
    if (loadError != IL_NO_ERROR) {
        std::printf("Error loading texture(%d): %s\n", static_cast<int>(loadError),
                    iluErrorString(loadError));
        ilDeleteImages(1, &image);
        return name;
    }
    convertForUpload();
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Kept on purpose as the game's design has them: the mipmap flag (every image loads
    // without mipmaps) and, below, the magnification filter set a second time.
    if (mipmap) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    uploadBoundImage(mipmap);
    const GLenum glError = glGetError();
    if (glError != GL_NO_ERROR) {
        // GL's text for GL's code: iluErrorString knows only DevIL's codes.
        std::printf("Error GL-binding texture(%d): %s\n", static_cast<int>(glError),
                    reinterpret_cast<const char*>(gluErrorString(glError)));
    } else {
        std::printf("Loaded '%s' ok (%d@%d)\n", path, static_cast<int>(name),
                    static_cast<int>(image));
    }
    ilDeleteImages(1, &image);
    return name;
}

// DevIL's third library, ILUT, is not started or linked: the game uploads the pixels itself,
// and loading ILUT brought some forty libraries (SDL, Allegro, PulseAudio...) into every
// start-up for nothing.
void loadTextures() {
    ilInit();
    iluInit();
    for (const DataFile& file : textureFiles) {
        textures[file.slot] = loadTexture(file.path, false);
    }
}
