// drawable_state.cpp -- the drawable part of a step and the blend of two. Objects are
// matched by their ids, and what jumps is told by what the rules count, never guessed from
// how far a thing moved.
#include "view/drawable_state.h"

#include <cmath>

namespace {
DrawnObject drawnObject(const GameObject& o) {
    return {o.id, o.x, o.y, o.z, o.floor, o.size};
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

// The short way round, ending exactly on after: 359 to 1 passes 0, and the scene's spin,
// which the rules set back from just past 360 to 0, does not turn a whole circle back.
float blendDegrees(float before, float after, float fraction) {
    float turn = after - before;
    turn -= 360.0f * std::round(turn / 360.0f);
    return after - (1.0f - fraction) * turn;
}

// A craft put back at its start is shown there, facing its new way, at once.
ShipModelPose blendPose(const ShipModelPose& a, const ShipModelPose& b, float fraction,
                        bool placed) {
    ShipModelPose pose = b;
    if (!placed) {
        pose.translation = mixPoints(a.translation, b.translation, fraction);
        pose.headingDegrees = blendDegrees(a.headingDegrees, b.headingDegrees, fraction);
    }
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
        while (k < before.size() && before[k].id != b.id) {
            ++k;
        }
        if (k < before.size()) {
            const DrawnObject& a = before[k];
            drawn.x = mix(a.x, b.x, fraction);
            drawn.y = mix(a.y, b.y, fraction);
            drawn.z = mix(a.z, b.z, fraction);
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
    into.craftPlacements = g.craftPlacements;
    into.aimed = g.camera.isTargetMode();
    into.watchedId = g.watchedId;
    captureList(g.stones, into.stones);
    captureList(g.debris, into.debris);
}

void blendDrawable(const DrawableState& before, const DrawableState& after, float fraction,
                   DrawableState& into) {
    // The eye only ever glides, however far: 5 % of the way to its goal a step. The view
    // glides with it, or follows what the camera watches; it jumps when aimed at another
    // thing than in the step before, at the craft just put back, or when aiming begins.
    const bool placed = after.craftPlacements != before.craftPlacements;
    const bool viewCut = after.aimed && (!before.aimed || after.watchedId != before.watchedId ||
                                         (after.watchedId == watchingCraft && placed));
    into.eye = mixPoints(before.eye, after.eye, fraction);
    into.view = viewCut ? after.view : mixPoints(before.view, after.view, fraction);
    into.up = after.up;
    into.craftPosition = placed ? after.craftPosition
                                : mixPoints(before.craftPosition, after.craftPosition, fraction);
    into.craftPose = blendPose(before.craftPose, after.craftPose, fraction, placed);
    into.shot = blendShot(before.shot, after.shot, fraction);
    into.spinAngle = blendDegrees(before.spinAngle, after.spinAngle, fraction);
    into.craftPlacements = after.craftPlacements;
    into.aimed = after.aimed;
    into.watchedId = after.watchedId;
    blendList(before.stones, after.stones, fraction, into.stones);
    blendList(before.debris, after.debris, fraction, into.debris);
}
