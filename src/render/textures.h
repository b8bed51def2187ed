// textures.h -- every picture of the game, loaded once at start-up through DevIL into a GL
// texture and bound by its slot.
#pragma once

#include "assets/data_files.h"

#include <GL/gl.h>

// GL texture names by slot; 0 where nothing was loaded.
extern GLuint textures[TEXTURE_SLOT_COUNT];

// Starts decoding the images of textureFiles on a thread of its own, while the window and
// its GL state are made; from the working directory, which must be the data folder.
void startDecodingTextures();
// Starts DevIL and loads the images of textureFiles into their slots in the table's order,
// printing one line for each: the ones decoded aside once they are ready, else read here.
void loadTextures();
// The GL texture name, 0 when the image cannot be loaded, with DevIL started. Prints
// "Loaded '...' ok (GL@IL)" or the error.
GLuint loadTexture(const char* path, bool mipmap);
