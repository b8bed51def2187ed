// vector3.cpp -- vector operations in single precision; sqrt, sine and cosine are taken in
// double and rounded to float, the roundings the recorded demos' games rest on. The square
// root is exact everywhere; sine and cosine are the game's own, so a demo ends alike on any
// system.
#include "math/vector3.h"

#include "math/trig.h"

#include <cmath>

float Vector3::length() const {
    return ::length(*this);
}

float length(Vector3 v) {
    const float sumOfSquares = v.x * v.x + v.y * v.y + v.z * v.z;
    return static_cast<float>(std::sqrt(static_cast<double>(sumOfSquares)));
}

Vector3 normalize(Vector3 v) {
    return v / length(v);
}

Vector3 cross(Vector3 a, Vector3 b) {
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vector3 rotateAbout(Vector3 p, Vector3 pivot, float angle, float ax, float ay, float az) {
    const Vector3 d = p - pivot;
    const float c = static_cast<float>(cosineOf(static_cast<double>(angle)));
    const float s = static_cast<float>(sineOf(static_cast<double>(angle)));
    const float t = 1.0f - c;
    const Vector3 r(
        (t * ax * ax + c) * d.x + (t * ax * ay - az * s) * d.y + (t * ax * az + ay * s) * d.z,
        (t * ax * ay + az * s) * d.x + (t * ay * ay + c) * d.y + (t * ay * az - ax * s) * d.z,
        (t * ax * az - ay * s) * d.x + (t * ay * az + ax * s) * d.y + (t * az * az + c) * d.z);
    return pivot + r;
}
