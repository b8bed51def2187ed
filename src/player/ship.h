// ship.h -- the player's craft: steered around a focus point it always faces, with its
// shot, lives, score, the point the camera watches it from, and the lock on a stone.
// No OpenGL here: the drawing asks for the model pose and applies it itself.
#pragma once

#include "math/vector3.h"
#include "world/arena.h"
#include "world/game_object.h"
#include "world/object_list.h"

// How the craft's model is to be placed in a drawn frame (all angles in degrees). The
// drawing applies it in this order: translate, heading, tilt (when tilted), scale, a
// quarter turn about x, then the spin about x, about y and about (0.03, 0.03, 1.0). The
// rules give whole degrees; a drawn frame may blend two steps' poses.
struct ShipModelPose {
    Vector3 translation;  // (position x, 0.2, position z): the model floats above the floor
    float headingDegrees; // about (0, 1, 0)
    bool tilted;          // rotate by tiltDegrees about tiltAxis
    Vector3 tiltAxis;     // (x, 0, z), components -1, 0 or 1
    float tiltDegrees;    // 0 to 45
    Vector3 scale;        // model scale factors
    Vector3 spin;         // about x, about y, and about (0.03, 0.03, 1.0)
};

class Ship {
  public:
    float speed = 2.5f;    // units per second
    float turnRate = 4.0f; // radians per second, before distance scaling
    bool hit = false;      // struck: get-ready pause, or for good with gameOver

    Ship() = default;

    // Position, focus and motion.
    Vector3 getPosition() const { return position; }
    Vector3 getFocus() const { return focus; }
    Vector3 getDirection() const { return direction; }
    // The moves answer whether the craft passed its focus on the way (while focusMode is on).
    bool moveTo(Vector3 point);
    void setFocus(Vector3 point);
    void updateDirection();
    bool moveForward(float distance);
    bool moveAlong(float distance, Vector3 along);
    void rotateAboutFocus(float angle, Vector3 axis);
    float getSpeed() const { return speed; }
    float getTurnRate() const;
    Vector3 cameraPoint() const;
    Vector3 clampToArena(Vector3 point) const;
    bool crossesFocus(Vector3 point) const;

    // Settings.
    void setArena(Arena copy) { arena = copy; }
    void setUniformScale(float s) { scale = Vector3(s, s, s); }
    void setSpin(Vector3 angles) { spin = angles; }
    Vector3 getSpin() const { return spin; }
    void setFocusMode(bool on) { focusMode = on; }
    void setCameraBehind(bool on) { cameraBehind = on; }
    void setFacesFocus(bool on) { facesFocus = on; }
    void setDistanceScaledTurn(bool on) { distanceScaledTurn = on; }
    bool isDistanceScaledTurn() const { return distanceScaledTurn; }
    void setUnbounded(bool on) { unbounded = on; }

    // Lives and score.
    int getLives() const { return lives; }
    void setLives(int count) { lives = count; }
    int loseLife();
    int getScore() const { return score; }
    int addScore(int delta);

    // The shot: a beam rising from the floor spot where it was fired.
    void fireShot();
    // Once per step, whether or not a shot is in flight.
    void updateShot();
    bool isShotActive() const { return shotActive; }
    float getShotX() const { return shotX; }
    float getShotZ() const { return shotZ; }
    float getShotHeight() const { return shotHeight; }
    void endShotAndUnlock();

    // The stone lock (stone_lock.cpp), held by the stone's id.
    static constexpr int noLock = 0; // the placeholders' id, never locked
    bool lockStone(const ObjectList& stones, int number);
    bool lockNext(const ObjectList& stones);
    bool lockPrevious(const ObjectList& stones);
    void unlock();
    bool hasLock() const { return lockedId != noLock; }
    // The locked stone's id, noLock when none.
    int lockedStoneId() const { return lockedId; }
    // The locked stone's number in the list, -1 when none.
    int lockedIndex(const ObjectList& stones) const;
    Vector3 lockedStonePoint(const ObjectList& stones) const;

    // Advances the model's tilt from this step's steering inputs.
    void advanceTilt(int turnInput, int thrustInput);
    // How to place the model in the drawn frame.
    ShipModelPose modelPose() const;
    int modelHeadingDegrees() const;

  private:
    int tiltCount = 0; // degrees
    bool tilted = false;
    Vector3 tiltAxis{0.0f, 0.0f, 0.0f};
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 direction{0.0f, 0.0f, -1.0f};
    Vector3 spin{0.0f, 0.0f, 0.0f};
    Vector3 focus{0.0f, 0.0f, 0.0f};
    Vector3 savedFocus{0.0f, 0.0f, 0.0f};
    Arena arena;
    int lockedId = noLock;
    Vector3 scale{0.0f, 0.0f, 0.0f};
    bool focusMode = false;
    bool cameraBehind = true;
    bool facesFocus = true;
    bool distanceScaledTurn = false;
    bool unbounded = true;
    int score = 0;
    int lives = 3;
    int shotTimer = 0; // steps left of the shot's life
    float shotZ = 0.0f;
    float shotX = 0.0f;
    float shotHeight = 0.0f;
    bool shotActive = false;
};
