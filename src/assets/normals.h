// normals.h -- per-vertex normals for every object of a model: the normalised sum of the
// un-normalised normals of the triangles using the vertex, so larger triangles weigh more.
#pragma once

#include "assets/model.h"

// Every object, every call; one pass over each object's faces.
void computeNormals(Model& model);
// The same result by scanning all faces for each vertex (vertices x faces tests); kept to
// check the one-pass version against and to time it.
void computeNormalsFullScan(Model& model);
