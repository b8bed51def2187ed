// display_lists.h -- the desktop's meshes (render/mesh.h) compiled into GL display lists and
// called by their slot: the models of modelFiles and the unit quad of all flat pictures.
#pragma once

#include "render/mesh.h"

#include <GL/gl.h>

// GL list names by slot; unused slots stay 0, and calling list 0 draws nothing.
extern GLuint displayLists[LIST_SLOT_COUNT];
// Model lists compiled so far, one per model file and build: 5 after start-up, 5 more per
// rebuild.
extern int modelsDrawn;

// Compiles every model's list and the quad's from the meshes, the models with the primitive
// (GL_TRIANGLES or GL_LINE_STRIP; the quad is always GL_QUADS); the names a build before made
// are deleted. An empty mesh (a file that failed) gives an empty list.
void compileModelLists(GLuint* table, const MeshTable& meshes, GLenum primitive);
// Reads every model file (readModelMeshes) and compiles the lists from what it read. Returns
// true: a file that fails empties its own list and stops nothing.
bool buildModelLists(GLuint* table, GLenum primitive);
