// game_object.cpp -- motion in single precision, each result stored before the next use.
#include "world/game_object.h"

ObjectSpec makeSpec(int size, float vx, float vy, float gravity, float x, float y, float z) {
    ObjectSpec spec{};
    spec.x = x;
    spec.y = y;
    spec.z = z;
    spec.vx = vx;
    spec.vy = vy;
    spec.vz = 0.0f;
    spec.gravity = gravity;
    spec.floor = 0.0f;
    spec.size = size;
    return spec;
}

GameObject::GameObject(const ObjectSpec& spec, int identity, GameObject* previous)
    : x(spec.x), y(spec.y), z(spec.z), vx(spec.vx), vy(spec.vy), vz(spec.vz), gravity(spec.gravity),
      floor(spec.floor), size(spec.size), id(identity), prev(previous), next(nullptr) {}

bool GameObject::step() {
    x += stepSeconds * vx;
    y += stepSeconds * vy;
    z += stepSeconds * vz;
    vz -= stepSeconds * gravity;
    if (!(z < floor)) {
        return false;
    }
    vz += stepSeconds * gravity; // no gravity in the bouncing step
    vz = -vz;
    // Already below the plane before this step: keep heading the way it was going, so it
    // leaves the floor region instead of flipping back and forth.
    if (z + stepSeconds * vz < 0.0f) {
        vz = -vz;
        return false;
    }
    return true;
}
