// display_lists.h -- every mesh the game draws, compiled into a GL display list and called
// by its slot: the models of modelFiles and the unit quad of all flat pictures.
#pragma once

#include "assets/data_files.h"
#include "assets/model.h"

#include <GL/gl.h>

// GL list names by slot; unused slots stay 0, and calling list 0 draws nothing.
extern GLuint displayLists[LIST_SLOT_COUNT];
// Model lists built since the start, one per model file: 5 at start-up, 5 more per rebuild
// (F3). A count for the tests only: each list draws the first object its own file added,
// so a file that fails leaves its own list empty and shifts no other.
extern int modelsDrawn;

// (Re)builds every list with the primitive (GL_TRIANGLES or GL_LINE_STRIP; the quad is
// always GL_QUADS). sceneModel is emptied and every model file read into it again before
// the first list is opened; the names a previous build made are deleted. Returns true: a
// file that fails leaves its own list empty and stops nothing else, so there is no failure
// to report.
bool buildModelLists(GLuint* table, GLenum primitive);
// Sends the vertices of the model's object number index; nothing for an index outside the
// model (a file that failed). Reads no file. Only between glBegin and glEnd.
void emitModel(const Model& model, int index);
