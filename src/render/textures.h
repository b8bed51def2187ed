// textures.h -- the game's pictures as GL textures, by slot, each made from decoded pixels
// the one way (render/renderer.h's uploadTexture); drawing binds them by slot.
#pragma once

#include "assets/data_files.h"
#include "render/gl.h"
#include "render/renderer.h"

// GL texture names by slot; 0 where nothing was loaded.
extern GLuint textures[TEXTURE_SLOT_COUNT];

// A new texture of the image, bound, filtered as every picture of the game; its GL name.
GLuint createTexture(const TexturePixels& image);
