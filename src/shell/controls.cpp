// controls.cpp -- the character keys. Mode toggles print their new value; "GotoMode" has
// no line end, so its lines run together on the console.
#include "shell/controls.h"

#include <cstdio>
#include <cstdlib>

namespace {
constexpr unsigned char keyEscape = 27;

LightingAction lightingAction = nullptr;

// f and s: step the lock through the stones, or the focus through the axis points.
void stepFocus(GameState& g, bool forward) {
    Ship& ship = g.ship;
    if (ship.hasLock()) {
        if (forward) {
            ship.lockNext(g.stones);
        } else {
            ship.lockPrevious(g.stones);
        }
        g.camera.setTarget(ship.getFocus());
        return;
    }
    ship.setFocus(forward ? g.arena.nextAxis() : g.arena.previousAxis());
    g.camera.setGoal(ship.cameraPoint());
    ship.getFocus().print();
}

// d: lock stone 1, or let go; not while the craft is struck.
void toggleLock(GameState& g) {
    if (g.ship.hit) {
        return;
    }
    if (g.ship.hasLock()) {
        g.ship.unlock();
        return;
    }
    g.ship.lockNext(g.stones);
}

void setLighting(bool on) {
    if (lightingAction != nullptr) {
        lightingAction(on);
    }
}
} // namespace

void setLightingAction(LightingAction action) {
    lightingAction = action;
}

void handleKey(GameState& g, unsigned char key) {
    Camera& camera = g.camera;
    switch (key) {
    case keyEscape:
        std::exit(0);
    case ' ':
        g.ship.fireShot();
        break;
    case 'L':
        setLighting(true);
        break;
    case 'l':
        setLighting(false);
        break;
    case 'c': {
        const bool on = !camera.isAroundCenter();
        std::printf("AroundCenter %d\n", on ? 1 : 0);
        camera.setAroundCenter(on);
        break;
    }
    case 'r': {
        const bool on = !camera.isAroundTarget();
        std::printf("AroundTarget %d\n", on ? 1 : 0);
        camera.setAroundTarget(on);
        break;
    }
    case 'x': {
        const bool on = !camera.isTargetMode();
        std::printf("TargetMode %d\n", on ? 1 : 0);
        camera.setTargetMode(on);
        break;
    }
    case 'g': {
        const bool on = !camera.isGotoMode();
        std::printf("GotoMode %d", on ? 1 : 0);
        camera.setGotoMode(on);
        break;
    }
    case 'n':
        g.ship.setDistanceScaledTurn(!g.ship.isDistanceScaledTurn());
        break;
    case 'd':
        toggleLock(g);
        break;
    case 'f':
        stepFocus(g, true);
        break;
    case 's':
        stepFocus(g, false);
        break;
    default:
        break;
    }
}
