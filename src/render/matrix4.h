// matrix4.h -- a 4 x 4 matrix of floats in GL's column-major order, for the shader path's own
// matrix stack: the calls of the fixed-function pipeline (translate, rotate, scale, multiply)
// and GLU's perspective and look-at, each worked out as Mesa and GLU work it out, in the same
// order of float operations, so the shader path puts vertices where the fixed one does.
#pragma once

#include "math/vector3.h"

struct Matrix4 {
    float m[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f,
                   0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    // This matrix times b (b applied to vertices first), as glMultMatrixf.
    Matrix4 operator*(const Matrix4& b) const;
    void translate(float x, float y, float z);
    void rotate(float degrees, float x, float y, float z);
    void scale(float x, float y, float z);
};

// gluPerspective's matrix: field of view in degrees, width over height, near and far.
Matrix4 perspective(double fieldOfViewDegrees, double aspect, double near, double far);
// glOrtho's matrix.
Matrix4 orthographic(double left, double right, double bottom, double top, double near, double far);
// gluLookAt applied to the matrix: the eye at eye, looking at centre, up above.
void lookAt(Matrix4& matrix, Vector3 eye, Vector3 centre, Vector3 up);
// The upper-left 3 x 3 of the inverse's transpose, column-major: what turns normals into
// eye space, without normalising them (GL_NORMALIZE stays off). The identity for a matrix
// without an inverse.
void normalMatrixOf(const Matrix4& matrix, float normal[9]);
