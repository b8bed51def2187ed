// test_drawable_state.cpp -- the world a frame draws between two steps: played through the
// game's own steps (a stone split by the beam, the craft struck and put back at its start),
// and the turns and cuts a blend must not smear.
#include "game/step.h"
#include "game_fixture.h"
#include "view/drawable_state.h"

#include <cmath>

namespace {
bool near(Vector3 a, Vector3 b) {
    return length(a - b) < 1e-5f;
}

Vector3 placeOf(const DrawnObject& o) {
    return Vector3(o.x, o.y, o.z);
}

const DrawnObject* find(const std::vector<DrawnObject>& list, int id) {
    for (const DrawnObject& o : list) {
        if (o.id == id) {
            return &o;
        }
    }
    return nullptr;
}

// Steps forward and round to the left until the step that reports the event, at most most
// steps; before holds the drawable state as that step began, after as it ended.
bool steerUntil(const char* event, int most, DrawableState& before, DrawableState& after) {
    StepInput steering;
    steering.steer[STEER_FORWARD] = true;
    steering.steer[STEER_LEFT] = true;
    for (int k = 0; k < most; ++k) {
        captureDrawable(game, before);
        advance(game, steering);
        captureDrawable(game, after);
        if (lastStepEvents().find(event) != std::string::npos) {
            return true;
        }
    }
    return false;
}
} // namespace

// A step in which the beam splits a stone: the falling stone that stays is drawn between its
// two places, the two halves and the debris where they were born, and nothing of the stone
// that was hit; the craft, the camera and the beam between the steps, the beam gone with its
// hit. Then a stone on the craft strikes it: put back at its start, it is drawn there at once
// while the camera's eye still glides.
TEST_F(GameTest, SurvivorsAreBlendedNewcomersShownWhereTheyAreAndTheRemovedGone) {
    StepInput fire;
    fire.give(Command::FIRE);
    advance(game, fire);
    DrawableState before;
    DrawableState after;
    DrawableState drawn;
    ASSERT_FALSE(steerUntil("stone-hit", 60, before, after)); // away from the beam
    const Ship& ship = game.ship;
    ASSERT_TRUE(ship.isShotActive());

    // A medium stone over the beam's foot, hit as the beam rises past it; a large one falls
    // in a far corner.
    const int hit = addStone(2, ship.getShotX(), ship.getShotZ(), ship.getShotHeight() + 0.1f).id;
    const int falling = addStone(3, -4.0f, -11.0f, 8.0f, 4.0f).id;
    ASSERT_TRUE(steerUntil("stone-hit", 10, before, after));
    ASSERT_EQ(after.stones.size(), 4u); // the placeholder, the falling stone, two halves
    ASSERT_EQ(after.debris.size(), 5u); // the placeholder and four pieces
    for (const float fraction : {0.0f, 0.25f, 1.0f}) {
        blendDrawable(before, after, fraction, drawn);
        ASSERT_EQ(drawn.stones.size(), 4u);
        EXPECT_EQ(find(drawn.stones, hit), nullptr);
        const DrawnObject* stillFalling = find(drawn.stones, falling);
        ASSERT_NE(stillFalling, nullptr);
        const Vector3 from = placeOf(*find(before.stones, falling));
        const Vector3 to = placeOf(*find(after.stones, falling));
        EXPECT_TRUE(near(placeOf(*stillFalling), from + (to - from) * fraction)) << fraction;
        EXPECT_TRUE(to.z < from.z && stillFalling == &drawn.stones[1]);
        for (std::size_t k = 2; k < 4; ++k) {
            EXPECT_TRUE(near(placeOf(drawn.stones[k]), placeOf(after.stones[k])) &&
                        drawn.stones[k].size == 1);
        }
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_TRUE(near(placeOf(drawn.debris[k]), placeOf(after.debris[k])));
        }
        EXPECT_TRUE(near(drawn.eye, before.eye + (after.eye - before.eye) * fraction));
        EXPECT_TRUE(
            near(drawn.craftPosition,
                 before.craftPosition + (after.craftPosition - before.craftPosition) * fraction));
        EXPECT_FALSE(drawn.shot.active);
    }

    // A small stone at rest on the craft: the craft is put back at its start, and the view
    // turns to it there, then to the striking stone.
    const Vector3 p = ship.getPosition();
    addStone(1, p.x, p.z, 0.5f).vx = 1.0f;
    ASSERT_TRUE(steerUntil("craft-struck", 1, before, after));
    EXPECT_GT(length(after.craftPosition - before.craftPosition), 5.0f);
    blendDrawable(before, after, 0.5f, drawn);
    EXPECT_TRUE(near(drawn.craftPosition, after.craftPosition) &&
                near(drawn.craftPose.translation, after.craftPose.translation));
    EXPECT_TRUE(near(drawn.eye, (before.eye + after.eye) * 0.5f));
    EXPECT_TRUE(near(drawn.view, after.view) && near(drawn.view, after.craftPosition));
    ASSERT_FALSE(steerUntil("craft-struck", 1, before, after));
    blendDrawable(before, after, 0.5f, drawn);
    EXPECT_TRUE(near(drawn.view, after.view) && !near(drawn.view, before.view));
    ASSERT_FALSE(steerUntil("craft-struck", 1, before, after));
    blendDrawable(before, after, 0.5f, drawn); // the stone it watches drifts: blended
    EXPECT_TRUE(near(drawn.view, (before.view + after.view) * 0.5f) &&
                !near(before.view, after.view));
}

// Headings and spins turn the short way round: 359 to 1 degrees passes 0, and the scene's
// spin, which the rules set back from 360 to 0, stays put. A view aimed at the same thing
// is blended however far it moves; aimed at another thing, or aimed at all from now on, it
// is a cut. A lean blends along its axis and snaps to a new one; a new shot starts where it
// is fired.
TEST(DrawableState, TurnsGoTheShortWayAndCutsAreShownAtOnce) {
    DrawableState a;
    DrawableState b;
    DrawableState drawn;
    // Place, heading, leaning, the lean's axis and angle, scale, spin.
    const Vector3 zero(0.0f, 0.0f, 0.0f);
    const Vector3 alongX(1.0f, 0.0f, 0.0f);
    a.craftPose = {zero, 359.0f, true, alongX, 10.0f, zero, Vector3(0.0f, 0.0f, 400.0f)};
    b.craftPose = {zero, 1.0f, true, alongX, 11.0f, zero, Vector3(0.0f, 0.0f, 404.0f)};
    a.spinAngle = 360.0f;
    b.spinAngle = 0.0f;
    a.shot = {true, 2.0f, -3.0f, 1.2f};
    b.shot = {true, 2.0f, -3.0f, 1.23f};
    a.eye = Vector3(0.0f, 8.0f, 10.0f);
    b.eye = Vector3(3.0f, 8.0f, 10.0f); // a long glide, 5 % of a far goal's way
    a.view = Vector3(1.0f, 0.0f, 0.0f);
    b.view = Vector3(4.0f, 0.0f, 0.0f);
    a.aimed = b.aimed = true;
    a.watchedId = b.watchedId = 3;
    blendDrawable(a, b, 0.25f, drawn);
    EXPECT_NEAR(std::fmod(drawn.craftPose.headingDegrees + 360.0f, 360.0f), 359.5f, 1e-4f);
    EXPECT_EQ(drawn.spinAngle, 0.0f);
    EXPECT_NEAR(drawn.craftPose.spin.z, 401.0f, 1e-4f);
    EXPECT_NEAR(drawn.craftPose.tiltDegrees, 10.25f, 1e-5f);
    EXPECT_NEAR(drawn.shot.height, 1.2075f, 1e-5f);
    EXPECT_TRUE(near(drawn.view, Vector3(1.75f, 0.0f, 0.0f)));

    b.watchedId = 4; // turned to another stone
    b.craftPose.tiltAxis = Vector3(0.0f, 0.0f, 1.0f);
    b.shot = {true, 5.0f, -3.0f, 0.0f};
    a.spinAngle = 359.6f;
    b.spinAngle = 360.0f;
    blendDrawable(a, b, 0.25f, drawn);
    EXPECT_TRUE(near(drawn.view, b.view));
    EXPECT_EQ(drawn.craftPose.tiltDegrees, 11.0f);
    EXPECT_TRUE(drawn.shot.x == 5.0f && drawn.shot.height == 0.0f);
    EXPECT_NEAR(drawn.spinAngle, 359.7f, 1e-4f);
    a.watchedId = 4;
    a.aimed = false; // the view glided with the eye until now
    blendDrawable(a, b, 0.25f, drawn);
    EXPECT_TRUE(near(drawn.view, b.view));
}
