// camera.h -- the chase camera: the eye glides a fixed share of the way to its goal each
// step and the view is aimed at its target. No OpenGL here: the drawing reads eye, view and
// up.
#pragma once

#include "math/vector3.h"

class Camera {
  public:
    Camera() = default;

    void setup(Vector3 eyePoint, Vector3 viewPoint, Vector3 upVector);
    void setTargetMode(bool on) { targetMode = on; }
    void setGotoMode(bool on) { gotoMode = on; }
    // The two orbit modes exclude each other: switching one on switches the other off.
    void setAroundCenter(bool on);
    void setAroundTarget(bool on);
    bool isTargetMode() const { return targetMode; }
    bool isAroundCenter() const { return aroundCenter; }
    bool isAroundTarget() const { return aroundTarget; }
    bool isGotoMode() const { return gotoMode; }
    void setTarget(Vector3 point) { target = point; }
    void setCenterPoint(Vector3 point) { center = point; }
    void setGoal(Vector3 point) { goal = point; }
    void setGoalRate(Vector3 rate) { goalRate = rate; }
    Vector3 centerPoint() const { return center; }
    Vector3 getEye() const { return eye; }
    Vector3 getView() const { return view; }
    Vector3 getUp() const { return up; }
    Vector3 getTarget() const { return target; }
    Vector3 getGoal() const { return goal; }

    // Once per step, after the game has told the camera what to watch: the goto step.
    void update();
    // At the end of each step: in target mode the view becomes the target.
    void aim();
    // Moves eye and view by goalRate of the way to the goal, per axis and not scaled by
    // time; within 0.1 of the goal the eye counts as arrived.
    void gotoStep();

  private:
    Vector3 eye{0.0f, 0.0f, 0.0f};
    Vector3 view{0.0f, 1.0f, 0.5f};
    Vector3 up{0.0f, 0.0f, 1.0f};
    bool targetMode = false;
    bool aroundCenter = false; // toggled and reported by the keyboard only
    bool aroundTarget = false; // likewise
    bool gotoMode = false;
    Vector3 target{0.0f, 0.0f, 0.0f};
    Vector3 center{0.0f, 0.0f, 0.0f};
    Vector3 goal{0.0f, 0.0f, 0.0f};
    Vector3 goalRate{0.1f, 0.1f, 0.1f}; // share of the remaining way per update, per axis
};
