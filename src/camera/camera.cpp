// camera.cpp -- the chase camera: goto step, aiming and the orbit-mode flags.
#include "camera/camera.h"

namespace {
constexpr float arrivedDistance = 0.1f; // units
}

void Camera::setup(Vector3 eyePoint, Vector3 viewPoint, Vector3 upVector) {
    eye = eyePoint;
    view = viewPoint;
    up = upVector;
}

void Camera::setAroundCenter(bool on) {
    if (on && aroundTarget) {
        aroundTarget = false;
    }
    aroundCenter = on;
}

void Camera::setAroundTarget(bool on) {
    if (on && aroundCenter) {
        aroundCenter = false;
    }
    aroundTarget = on;
}

void Camera::update() {
    if (gotoMode) {
        gotoStep();
    }
}

void Camera::aim() {
    if (targetMode) {
        view = target;
    }
}

void Camera::gotoStep() {
    const Vector3 g = goal - eye;
    if (length(g) <= arrivedDistance) {
        return;
    }
    const Vector3 step(g.x * goalRate.x, g.y * goalRate.y, g.z * goalRate.z);
    eye = eye + step;
    view = view + step;
}
