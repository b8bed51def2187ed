// textures.h -- every picture of the game, loaded once at start-up through DevIL into a GL
// texture and bound by its slot.
#pragma once

#include <GL/gl.h>

constexpr int TEXTURE_SLOT_COUNT = 100;
constexpr int TEX_BG = 1; // loaded, drawn on nothing
constexpr int TEX_STONES = 2;
constexpr int TEX_MUD = 4;
constexpr int TEX_BASE = 10;
constexpr int TEX_SHADOW = 30;
constexpr int TEX_SHIP = 50;
constexpr int TEX_NOSORT = 60;
constexpr int TEX_KOMBO = 61;
constexpr int TEX_GAMEOVER = 62;
constexpr int TEX_GETREADY = 63;
constexpr int TEX_SHOT = 70;
constexpr int TEX_TWIRL = 80;
constexpr int TEX_SMOKE = 90;

// GL texture names by slot; 0 where nothing was loaded.
extern GLuint textures[TEXTURE_SLOT_COUNT];

// Starts DevIL and loads the thirteen images under tex/ into their slots, printing one
// line for each.
void loadTextures();
// The GL texture name, 0 when the image cannot be loaded. Prints "Loaded '...' ok (GL@IL)"
// or the error.
GLuint loadTexture(const char* path, bool mipmap);
