// drawable_state.cpp -- the drawable part of a step and the blend of two. Objects are matched
// by identity: an object in the snapshot taken before a step is still allocated when the
// step ends (removed ones are freed only at its end), so no object born in the step can
// share its address.
#include "view/drawable_state.h"

#include <cmath>

namespace {
// Nothing in the game moves a unit in one step of 10 ms (the craft 0.12, a stone about
// 0.2); a farther move is a cut: the craft put back at its start, the view turned to a
// newly locked stone.
constexpr float cutDistance = 1.0f;

DrawnObject drawnObject(const GameObject& o) {
    return {&o, o.x, o.y, o.z, o.floor, o.size};
}

void captureList(const ObjectList& list, std::vector<DrawnObject>& into) {
    const int n = list.count(false);
    into.clear();
    for (int i = 0; i < n; ++i) {
        into.push_back(drawnObject(*list.at(i)));
    }
}

float mix(float a, float b, float fraction) {
    return a + (b - a) * fraction;
}

Vector3 mixPoints(Vector3 a, Vector3 b, float fraction) {
    return a + (b - a) * fraction;
}

Vector3 blendPoint(Vector3 a, Vector3 b, float fraction, float farthest) {
    return length(b - a) > farthest ? b : mixPoints(a, b, fraction);
}

// The short way round, ending exactly on after: 359 to 1 passes 0, and the scene's spin,
// which the rules set back from just past 360 to 0, does not turn a whole circle back.
float blendDegrees(float before, float after, float fraction) {
    float turn = after - before;
    turn -= 360.0f * std::round(turn / 360.0f);
    return after - (1.0f - fraction) * turn;
}

ShipModelPose blendPose(const ShipModelPose& a, const ShipModelPose& b, float fraction) {
    ShipModelPose pose = b;
    pose.translation = blendPoint(a.translation, b.translation, fraction, cutDistance);
    pose.headingDegrees = blendDegrees(a.headingDegrees, b.headingDegrees, fraction);
    // A lean grows a degree a step; a change of keys snaps it to its new axis, as in play.
    const bool sameLean =
        a.tilted == b.tilted && a.tiltAxis.equals(b.tiltAxis.x, b.tiltAxis.y, b.tiltAxis.z);
    if (sameLean) {
        pose.tiltDegrees = mix(a.tiltDegrees, b.tiltDegrees, fraction);
    }
    pose.spin = Vector3(blendDegrees(a.spin.x, b.spin.x, fraction),
                        blendDegrees(a.spin.y, b.spin.y, fraction),
                        blendDegrees(a.spin.z, b.spin.z, fraction));
    return pose;
}

// A shot keeps its place while it rises; a new one starts where it is fired.
DrawnShot blendShot(const DrawnShot& a, const DrawnShot& b, float fraction) {
    DrawnShot shot = b;
    const bool sameShot = a.active && b.active && a.x == b.x && a.z == b.z && a.height <= b.height;
    if (sameShot) {
        shot.height = mix(a.height, b.height, fraction);
    }
    return shot;
}

// Both lists keep their order: survivors stay in it and newcomers come at the end, so one
// walk through before finds every survivor.
void blendList(const std::vector<DrawnObject>& before, const std::vector<DrawnObject>& after,
               float fraction, std::vector<DrawnObject>& into) {
    into.clear();
    std::size_t next = 0;
    for (const DrawnObject& b : after) {
        DrawnObject drawn = b;
        std::size_t k = next;
        while (k < before.size() && before[k].identity != b.identity) {
            ++k;
        }
        if (k < before.size()) {
            const DrawnObject& a = before[k];
            const Vector3 p =
                blendPoint(Vector3(a.x, a.y, a.z), Vector3(b.x, b.y, b.z), fraction, cutDistance);
            drawn.x = p.x;
            drawn.y = p.y;
            drawn.z = p.z;
            next = k + 1;
        }
        into.push_back(drawn);
    }
}
} // namespace

void captureDrawable(const GameState& g, DrawableState& into) {
    into.eye = g.camera.getEye();
    into.view = g.camera.getView();
    into.up = g.camera.getUp();
    into.craftPosition = g.ship.getPosition();
    into.craftPose = g.ship.modelPose();
    into.shot.active = g.ship.isShotActive();
    into.shot.x = g.ship.getShotX();
    into.shot.z = g.ship.getShotZ();
    into.shot.height = g.ship.getShotHeight();
    into.spinAngle = g.spinAngle;
    captureList(g.stones, into.stones);
    captureList(g.debris, into.debris);
}

void blendDrawable(const DrawableState& before, const DrawableState& after, float fraction,
                   DrawableState& into) {
    // The eye only ever glides, however far: 5 % of the way to its goal a step.
    const Vector3 eyeMove = after.eye - before.eye;
    into.eye = mixPoints(before.eye, after.eye, fraction);
    // The view glides with the eye or follows what it watches; farther than both is a cut.
    into.view = blendPoint(before.view, after.view, fraction, cutDistance + length(eyeMove));
    into.up = after.up;
    into.craftPosition =
        blendPoint(before.craftPosition, after.craftPosition, fraction, cutDistance);
    into.craftPose = blendPose(before.craftPose, after.craftPose, fraction);
    into.shot = blendShot(before.shot, after.shot, fraction);
    into.spinAngle = blendDegrees(before.spinAngle, after.spinAngle, fraction);
    blendList(before.stones, after.stones, fraction, into.stones);
    blendList(before.debris, after.debris, fraction, into.debris);
}
