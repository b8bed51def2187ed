// textures.cpp -- the texture table and the upload every picture goes through.
#include "render/textures.h"

GLuint textures[TEXTURE_SLOT_COUNT] = {};

// Magnified smoothly, minified to the nearest texel, no mipmaps.
GLuint createTexture(const TexturePixels& image) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    // Rows go up in the order they come: the first row lies at t = 0.
    const GLenum format = image.channels == 4 ? GL_RGBA : GL_RGB;
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format,
                 GL_UNSIGNED_BYTE, image.pixels);
    return name;
}

unsigned int uploadTexture(int slot, const TexturePixels& image) {
    textures[slot] = createTexture(image);
    return glGetError();
}

unsigned int textureName(int slot) {
    return slot >= 0 && slot < TEXTURE_SLOT_COUNT ? textures[slot] : 0;
}
