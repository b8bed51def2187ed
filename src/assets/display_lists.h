// display_lists.h -- every mesh the game draws, compiled once into a GL display list and
// called by its slot: the five models and the unit quad of all flat pictures.
#pragma once

#include <GL/gl.h>

constexpr int LIST_SLOT_COUNT = 101;
constexpr int LIST_STONES = 1; // floor tile; arena cells of kind 1 draw this slot
constexpr int LIST_NORMAL = 3; // corner piece; arena cells of kind 3
constexpr int LIST_QUAD = 10;
constexpr int LIST_SHADOW_QUAD = 30; // the same list name as LIST_QUAD
constexpr int LIST_SHOT = 40;
constexpr int LIST_SHIP = 50;
constexpr int LIST_WORLD = 100;

// GL list names by slot; unused slots stay 0, and calling list 0 draws nothing.
extern GLuint displayLists[LIST_SLOT_COUNT];
// Model lists built so far, one per model file: 5 after start-up, 5 more per rebuild.
extern int modelsDrawn;

// (Re)builds every list with the primitive (GL_TRIANGLES or GL_LINE_STRIP; the quad is
// always GL_QUADS). sceneModel is emptied and each model file read into it again; the names
// a previous build made are deleted. Returns true.
bool buildModelLists(GLuint* table, GLenum primitive);
// Imports the file into sceneModel and sends the vertices of the first object it added;
// nothing when the import failed. Only between glBegin and glEnd.
void emitModel(const char* path);
