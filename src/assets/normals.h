// normals.h -- per-vertex normals for every object of a model: the normalised sum of the
// un-normalised normals of the triangles using the vertex, so larger triangles weigh more.
#pragma once

#include "assets/model.h"

// Every object from firstObject on; one pass over each object's faces. An import passes the
// first object it added: the objects before it have their normals already, and would only
// get the same ones again.
void computeNormals(Model& model, std::int32_t firstObject = 0);
// The same result by scanning all faces for each vertex (vertices x faces tests); kept to
// check the one-pass version against and to time it.
void computeNormalsFullScan(Model& model);
