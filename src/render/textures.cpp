// textures.cpp -- DevIL loading and GL upload. Images that are not 8-bit RGB or RGBA
// (grey, paletted, 16-bit, BGR) are converted first, so the upload never reads past the
// pixel data.
#include "render/textures.h"

#include "platform/background_start.h"

#include <GL/glu.h>
#include <IL/il.h>
#include <IL/ilu.h>

#include <cstdio>
#include <optional>
#include <vector>

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

// The image as DevIL read it, in the bytes GL is given.
struct DecodedImage {
    ILuint image = 0; // DevIL's name, for the console line
    ILenum error = IL_NO_ERROR;
    const char* errorText = "";
    GLsizei width = 0;
    GLsizei height = 0;
    GLenum format = GL_RGB;
    std::vector<unsigned char> pixels;
};

DecodedImage decodeImage(const char* path) {
    DecodedImage decoded;
    ilGenImages(1, &decoded.image);
    ilBindImage(decoded.image);
    ilLoadImage(path);
    decoded.error = ilGetError();
    if (decoded.error != IL_NO_ERROR) {
        decoded.errorText = iluErrorString(decoded.error);
        ilDeleteImages(1, &decoded.image);
        return decoded;
    }
    convertForUpload();
    decoded.width = ilGetInteger(IL_IMAGE_WIDTH);
    decoded.height = ilGetInteger(IL_IMAGE_HEIGHT);
    const ILint bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    decoded.format = bytesPerPixel == 4 ? GL_RGBA : GL_RGB;
    const ILubyte* data = ilGetData();
    decoded.pixels.assign(data, data + static_cast<std::size_t>(decoded.width) *
                                           static_cast<std::size_t>(decoded.height) *
                                           static_cast<std::size_t>(bytesPerPixel));
    ilDeleteImages(1, &decoded.image);
    return decoded;
}

void uploadImage(const DecodedImage& decoded, bool mipmap) {
    // Rows go up in the order DevIL delivers them: the first row lies at t = 0.
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(decoded.format), decoded.width,
                 decoded.height, 0, decoded.format, GL_UNSIGNED_BYTE, decoded.pixels.data());
    if (mipmap) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, decoded.width, decoded.height, decoded.format,
                          GL_UNSIGNED_BYTE, decoded.pixels.data());
    }
}

GLuint textureOf(const char* path, const DecodedImage& decoded, bool mipmap) {
    GLuint name = 0;
    if (decoded.error != IL_NO_ERROR) {
        std::printf("Error loading texture(%d): %s\n", static_cast<int>(decoded.error),
                    decoded.errorText);
        return name;
    }
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Linear when magnified; minified, the nearest texel, or with mipmaps the nearest level
    // blended (the game loads every picture without).
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmap ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST);
    uploadImage(decoded, mipmap);
    const GLenum glError = glGetError();
    if (glError != GL_NO_ERROR) {
        // GL's text for GL's code: iluErrorString knows only DevIL's codes.
        std::printf("Error GL-binding texture(%d): %s\n", static_cast<int>(glError),
                    reinterpret_cast<const char*>(gluErrorString(glError)));
    } else {
        std::printf("Loaded '%s' ok (%d@%d)\n", path, static_cast<int>(name),
                    static_cast<int>(decoded.image));
    }
    return name;
}

using DecodedImages = std::vector<DecodedImage>;

// DevIL's third library, ILUT, is not started or linked: the game uploads the pixels itself,
// and loading ILUT brought some forty libraries (SDL, Allegro, PulseAudio...) into every
// start-up for nothing.
DecodedImages decodeTextureFiles() {
    ilInit();
    iluInit();
    DecodedImages images;
    for (const DataFile& file : textureFiles) {
        images.push_back(decodeImage(file.path));
    }
    return images;
}

// The images decoded beside the window's start-up; DevIL is used by nothing else meanwhile.
BackgroundStart<DecodedImages> decoding;
} // namespace

GLuint loadTexture(const char* path, bool mipmap) {
    return textureOf(path, decodeImage(path), mipmap);
}

void startDecodingTextures() {
    decoding.begin(decodeTextureFiles);
}

void loadTextures() {
    std::optional<DecodedImages> images = decoding.wait();
    if (!images) {
        images = decodeTextureFiles();
    }
    for (std::size_t i = 0; i < textureFileCount; ++i) {
        textures[textureFiles[i].slot] = textureOf(textureFiles[i].path, (*images)[i], false);
    }
}
