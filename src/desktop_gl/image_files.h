// image_files.h -- the desktop's pictures: every image file of the game decoded through
// DevIL at start-up and made into its slot's texture (render/textures.h).
#pragma once

#include "assets/data_files.h"

#include <GL/gl.h>

// Starts decoding the images of textureFiles on a thread of its own, while the window and
// its GL state are made; from the working directory, which must be the data folder.
void startDecodingTextures();
// Starts DevIL and loads the images of textureFiles into their slots in the table's order,
// printing one line for each: the ones decoded aside once they are ready, else read here.
void loadTextures();
// The GL texture name, 0 when the image cannot be loaded, with DevIL started. Prints
// "Loaded '...' ok (GL@IL)" or the error.
GLuint loadTexture(const char* path, bool mipmap);
