// camera.cpp -- the global camera.
#include "camera/camera.h"

Camera camera;

void Camera::update() {
    timer.update();
}
