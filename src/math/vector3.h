// vector3.h -- the one geometric value type: positions, directions, axes, colours.
// A plain value of three floats; rotation is by axis and angle, there is no matrix type.
#pragma once

struct Vector3 {
    float x;
    float y;
    float z;

    // Components stay unset, as with any plain struct; build (0, 0, 0) explicitly.
    Vector3() = default;
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    Vector3 operator+(Vector3 b) const { return Vector3(x + b.x, y + b.y, z + b.z); }
    Vector3 operator-(Vector3 b) const { return Vector3(x - b.x, y - b.y, z - b.z); }
    Vector3 operator*(float s) const { return Vector3(x * s, y * s, z * s); }
    Vector3 operator/(float s) const { return Vector3(x / s, y / s, z / s); }

    float length() const;
    // Exact float comparison, no tolerance: 0 equals -0, NaN equals nothing.
    bool equals(float ox, float oy, float oz) const { return x == ox && y == oy && z == oz; }
};

float length(Vector3 v);
// Divides by the length without a guard: the zero vector gives NaN components.
Vector3 normalize(Vector3 v);
Vector3 cross(Vector3 a, Vector3 b);
// Rotates p by angle radians about the line through pivot along (ax, ay, az), right-handed.
// The axis is used as given; callers pass a unit axis.
Vector3 rotateAbout(Vector3 p, Vector3 pivot, float angle, float ax, float ay, float az);
