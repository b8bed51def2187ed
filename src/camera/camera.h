// camera.h -- the chase camera; it carries the frame timer every other part reads dt from.
#pragma once

#include "camera/frame_timer.h"

class Camera {
  public:
    FrameTimer timer;

    // Once per frame, after the game has told the camera what to watch.
    void update();
};

extern Camera camera;
