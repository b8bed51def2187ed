// matrix4.cpp -- the fixed-function pipeline's matrix arithmetic, reproduced in float.
#include "render/matrix4.h"

#include <cmath>

namespace {
constexpr double pi = 3.14159265358979323846;

float& at(Matrix4& a, int row, int column) {
    return a.m[column * 4 + row];
}

// GLU's helpers work on float triples.
void normalizeTriple(float v[3]) {
    const float r = static_cast<float>(std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]));
    if (r == 0.0f) {
        return;
    }
    v[0] /= r;
    v[1] /= r;
    v[2] /= r;
}

void crossTriple(const float a[3], const float b[3], float result[3]) {
    result[0] = a[1] * b[2] - a[2] * b[1];
    result[1] = a[2] * b[0] - a[0] * b[2];
    result[2] = a[0] * b[1] - a[1] * b[0];
}

// A rotation about one of the axes is written out at once, with no round trip through the
// general formula; the general axis is normalised first.
Matrix4 rotation(float degrees, float x, float y, float z) {
    const float s = std::sin(static_cast<float>(degrees * pi / 180.0));
    const float c = std::cos(static_cast<float>(degrees * pi / 180.0));
    Matrix4 r;
    if (x == 0.0f && y == 0.0f && z != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 1, 1) = c;
        at(r, 0, 1) = z < 0.0f ? s : -s;
        at(r, 1, 0) = z < 0.0f ? -s : s;
        return r;
    }
    if (x == 0.0f && z == 0.0f && y != 0.0f) {
        at(r, 0, 0) = c;
        at(r, 2, 2) = c;
        at(r, 0, 2) = y < 0.0f ? -s : s;
        at(r, 2, 0) = y < 0.0f ? s : -s;
        return r;
    }
    if (y == 0.0f && z == 0.0f && x != 0.0f) {
        at(r, 1, 1) = c;
        at(r, 2, 2) = c;
        at(r, 1, 2) = x < 0.0f ? s : -s;
        at(r, 2, 1) = x < 0.0f ? -s : s;
        return r;
    }
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length <= 1.0e-4f) {
        return r;
    }
    x /= length;
    y /= length;
    z /= length;
    const float oneMinusC = 1.0f - c;
    at(r, 0, 0) = (oneMinusC * x * x) + c;
    at(r, 0, 1) = (oneMinusC * x * y) - z * s;
    at(r, 0, 2) = (oneMinusC * z * x) + y * s;
    at(r, 1, 0) = (oneMinusC * x * y) + z * s;
    at(r, 1, 1) = (oneMinusC * y * y) + c;
    at(r, 1, 2) = (oneMinusC * y * z) - x * s;
    at(r, 2, 0) = (oneMinusC * z * x) - y * s;
    at(r, 2, 1) = (oneMinusC * y * z) + x * s;
    at(r, 2, 2) = (oneMinusC * z * z) + c;
    return r;
}
} // namespace

Matrix4 Matrix4::operator*(const Matrix4& b) const {
    Matrix4 p;
    for (int row = 0; row < 4; ++row) {
        const float a0 = m[row];
        const float a1 = m[4 + row];
        const float a2 = m[8 + row];
        const float a3 = m[12 + row];
        for (int column = 0; column < 4; ++column) {
            const float* bc = &b.m[column * 4];
            p.m[column * 4 + row] = a0 * bc[0] + a1 * bc[1] + a2 * bc[2] + a3 * bc[3];
        }
    }
    return p;
}

void Matrix4::translate(float x, float y, float z) {
    for (int row = 0; row < 4; ++row) {
        m[12 + row] = m[row] * x + m[4 + row] * y + m[8 + row] * z + m[12 + row];
    }
}

void Matrix4::rotate(float degrees, float x, float y, float z) {
    *this = *this * rotation(degrees, x, y, z);
}

void Matrix4::scale(float x, float y, float z) {
    for (int row = 0; row < 4; ++row) {
        m[row] *= x;
        m[4 + row] *= y;
        m[8 + row] *= z;
    }
}

Matrix4 perspective(double fieldOfViewDegrees, double aspect, double near, double far) {
    Matrix4 p;
    const double radians = fieldOfViewDegrees / 2.0 * pi / 180.0;
    const double sine = std::sin(radians);
    const double depth = far - near;
    if (depth == 0.0 || sine == 0.0 || aspect == 0.0) {
        return p;
    }
    const double cotangent = std::cos(radians) / sine;
    at(p, 0, 0) = static_cast<float>(cotangent / aspect);
    at(p, 1, 1) = static_cast<float>(cotangent);
    at(p, 2, 2) = static_cast<float>(-(far + near) / depth);
    at(p, 3, 2) = -1.0f;
    at(p, 2, 3) = static_cast<float>(-2.0 * near * far / depth);
    at(p, 3, 3) = 0.0f;
    return p;
}

Matrix4 orthographic(double left, double right, double bottom, double top, double near,
                     double far) {
    Matrix4 o;
    at(o, 0, 0) = static_cast<float>(2.0 / (right - left));
    at(o, 1, 1) = static_cast<float>(2.0 / (top - bottom));
    at(o, 2, 2) = static_cast<float>(-2.0 / (far - near));
    at(o, 0, 3) = static_cast<float>(-(right + left) / (right - left));
    at(o, 1, 3) = static_cast<float>(-(top + bottom) / (top - bottom));
    at(o, 2, 3) = static_cast<float>(-(far + near) / (far - near));
    return o;
}

void lookAt(Matrix4& matrix, Vector3 eye, Vector3 centre, Vector3 up) {
    // The differences in double, as GLU takes its arguments, kept as floats.
    float forward[3] = {static_cast<float>(static_cast<double>(centre.x) - eye.x),
                        static_cast<float>(static_cast<double>(centre.y) - eye.y),
                        static_cast<float>(static_cast<double>(centre.z) - eye.z)};
    float upward[3] = {up.x, up.y, up.z};
    float side[3] = {};
    normalizeTriple(forward);
    crossTriple(forward, upward, side);
    normalizeTriple(side);
    crossTriple(side, forward, upward);
    Matrix4 view;
    for (int i = 0; i < 3; ++i) {
        at(view, 0, i) = side[i];
        at(view, 1, i) = upward[i];
        at(view, 2, i) = -forward[i];
    }
    matrix = matrix * view;
    matrix.translate(-eye.x, -eye.y, -eye.z);
}

void normalMatrixOf(const Matrix4& matrix, float normal[9]) {
    const float* a = matrix.m;
    // Cofactors of the upper-left 3 x 3: the inverse's transpose is them over the determinant.
    const float c00 = a[5] * a[10] - a[9] * a[6];
    const float c01 = a[8] * a[6] - a[4] * a[10];
    const float c02 = a[4] * a[9] - a[8] * a[5];
    const float c10 = a[9] * a[2] - a[1] * a[10];
    const float c11 = a[0] * a[10] - a[8] * a[2];
    const float c12 = a[8] * a[1] - a[0] * a[9];
    const float c20 = a[1] * a[6] - a[5] * a[2];
    const float c21 = a[4] * a[2] - a[0] * a[6];
    const float c22 = a[0] * a[5] - a[4] * a[1];
    const float determinant = a[0] * c00 + a[1] * c01 + a[2] * c02;
    if (determinant == 0.0f) {
        const float identity[9] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f};
        for (int i = 0; i < 9; ++i) {
            normal[i] = identity[i];
        }
        return;
    }
    const float cofactors[9] = {c00, c01, c02, c10, c11, c12, c20, c21, c22};
    for (int i = 0; i < 9; ++i) {
        normal[i] = cofactors[i] / determinant;
    }
}
