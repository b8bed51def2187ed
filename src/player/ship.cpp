// ship.cpp -- the craft's motion around its focus, its shot, lives, score and model pose.
// Single precision throughout: the recorded demos' games rest on every rounding.
#include "player/ship.h"

#include "world/step_time.h"

#include <cmath>

namespace {
constexpr float cameraBackDistance = 15.8f; // units behind the craft along its facing
constexpr float cameraHeight = 8.0f;        // units above the craft
constexpr float modelFloatHeight = 0.2f;    // the model hovers this high over its spot
constexpr int shotLifeSteps = 500;          // 5 s; it ends in the step after it runs out
constexpr float shotRisePerSecond = 3.0f;   // units
constexpr float shotTopHeight = 9.0f;       // the tip stops rising once here
constexpr int tiltDegreesPerStep = 1;
constexpr int tiltLimitDegrees = 45;
constexpr int backTiltLimitDegrees = 40;
// The heading is taken with this value of pi, so (-1, 0, 0) heads 269 degrees, not 270.
constexpr float headingPi = 3.14159f;

bool opposite(float a, float b) {
    return (a < 0.0f && b > 0.0f) || (a > 0.0f && b < 0.0f);
}
} // namespace

bool Ship::moveTo(Vector3 point) {
    const bool crossed = focusMode && crossesFocus(point);
    position = clampToArena(point);
    return crossed;
}

// True when the step from the current position to point passes the focus on some axis.
bool Ship::crossesFocus(Vector3 point) const {
    const Vector3 toPoint = point - focus;
    const Vector3 fromPosition = position - focus;
    // Standing on the focus, before or after, crosses nothing.
    if (length(toPoint) == 0.0f || length(fromPosition) == 0.0f) {
        return false;
    }
    const Vector3 a = normalize(toPoint);
    const Vector3 b = normalize(fromPosition);
    return opposite(a.x, b.x) || opposite(a.y, b.y) || opposite(a.z, b.z);
}

Vector3 Ship::clampToArena(Vector3 point) const {
    if (unbounded) {
        return point;
    }
    Vector3 p = point;
    if (p.x < arena.getXMin()) {
        p.x = arena.getXMin();
    }
    if (p.x > arena.getXMax()) {
        p.x = arena.getXMax();
    }
    if (p.z < arena.getZMin()) {
        p.z = arena.getZMin();
    }
    if (p.z > arena.getZMax()) {
        p.z = arena.getZMax();
    }
    return p;
}

void Ship::setFocus(Vector3 point) {
    focus = point;
    if (focusMode) {
        updateDirection();
    }
}

void Ship::updateDirection() {
    if (position.equals(focus.x, focus.y, focus.z)) {
        return; // no way to face a point one stands on
    }
    direction = normalize(position - focus);
    if (facesFocus) {
        direction = direction * -1.0f;
    }
}

bool Ship::moveForward(float distance) {
    return moveAlong(distance, direction);
}

bool Ship::moveAlong(float distance, Vector3 along) {
    const bool crossed = moveTo(position + along * distance);
    // A zero vector has no direction to take; normalising it would give NaN.
    if (length(along) > 0.0f) {
        direction = normalize(along);
    }
    return crossed;
}

void Ship::rotateAboutFocus(float angle, Vector3 axis) {
    if (!focusMode) {
        return;
    }
    const Vector3 turned = rotateAbout(position, focus, angle, axis.x, axis.y, axis.z);
    position = clampToArena(turned);
    updateDirection();
}

// With distance scaling the craft runs around its circle at 2 x turnRate units per second
// whatever the radius. On the focus itself there is no circle: no turn (the rate would be
// infinite and the position not a number).
float Ship::getTurnRate() const {
    if (!distanceScaledTurn) {
        return turnRate;
    }
    const float radius = length(focus - position);
    if (radius == 0.0f) {
        return 0.0f;
    }
    return turnRate / std::fabs(radius / 2.0f);
}

Vector3 Ship::cameraPoint() const {
    const Vector3 d = cameraBehind ? direction : direction * -1.0f;
    return position + Vector3(-cameraBackDistance * d.x, cameraHeight, -cameraBackDistance * d.z);
}

int Ship::loseLife() {
    if (lives >= 1) {
        lives -= 1;
    }
    return lives;
}

int Ship::addScore(int delta) {
    score += delta;
    return score;
}

void Ship::fireShot() {
    shotZ = position.z;
    shotX = position.x;
    shotActive = true;
    shotTimer = shotLifeSteps;
    shotHeight = 0.0f;
}

// The timer runs on past 0 to -1, and the shot ends in the step that finds it there.
void Ship::updateShot() {
    if (shotTimer < 0) {
        shotActive = false;
        return;
    }
    shotTimer -= 1;
    if (shotHeight < shotTopHeight) {
        shotHeight += shotRisePerSecond * stepSeconds;
    }
}

void Ship::endShotAndUnlock() {
    unlock();
    shotActive = false;
}

int Ship::modelHeadingDegrees() const {
    const float radians = static_cast<float>(
        std::atan2(static_cast<double>(direction.x), static_cast<double>(direction.z)));
    float tenths = radians * 1800.0f / headingPi;
    if (tenths < 0.0f) {
        tenths += 3600.0f;
    }
    return static_cast<int>(tenths) / 10;
}

// The tilt grows a degree per step for each steering input held (backwards leans less
// far) and snaps back once the keys are let go; a tilt of 1 is left standing.
void Ship::advanceTilt(int turnInput, int thrustInput) {
    const auto lean = [&](int limit) {
        if (tiltCount < limit) {
            tiltCount += tiltDegreesPerStep;
        }
    };
    tiltAxis = Vector3(0.0f, 0.0f, 0.0f);
    if (turnInput == 1) {
        tiltAxis.z = -1.0f;
        lean(tiltLimitDegrees);
    }
    if (turnInput == 2) {
        tiltAxis.z = 1.0f;
        lean(tiltLimitDegrees);
    }
    if (thrustInput == 1) {
        tiltAxis.x = 1.0f;
        lean(tiltLimitDegrees);
    }
    if (thrustInput == 2) {
        tiltAxis.x = -1.0f;
        lean(backTiltLimitDegrees);
    }
    tilted = turnInput != 0 || thrustInput != 0;
    if (!tilted && tiltCount > 1) {
        tiltCount = 0;
    }
}

ShipModelPose Ship::modelPose() const {
    ShipModelPose pose{};
    pose.translation = Vector3(position.x, modelFloatHeight, position.z);
    pose.headingDegrees = static_cast<float>(modelHeadingDegrees());
    pose.tilted = tilted;
    pose.tiltAxis = tiltAxis;
    pose.tiltDegrees = static_cast<float>(tiltCount);
    pose.scale = scale;
    pose.spin = spin;
    return pose;
}
