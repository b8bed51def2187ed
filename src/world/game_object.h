// game_object.h -- the record of a stone or a debris piece, and its motion.
// The record keeps its floor position in x and y and its height in z, so it stands in the
// y-up world at (x, z, y).
#pragma once

#include "math/vector3.h"
#include "world/step_time.h"

struct ObjectSpec {
    float x;       // floor position, world x
    float y;       // floor position, world z
    float z;       // height
    float vx;      // units per second
    float vy;      // units per second
    float vz;      // units per second, up is positive
    float gravity; // units per second squared, downwards
    float floor;   // height it bounces at
    int size;      // 3 large, 2 medium, 1 small stone or debris, 0 list placeholder
};

// The one way the game fills a spec: note size first and the position last; vz and floor
// start at 0.
ObjectSpec makeSpec(int size, float vx, float vy, float gravity, float x, float y, float z);

// A plain record: the rules and the drawing read its fields directly.
struct GameObject {
    GameObject(const ObjectSpec& spec, int identity, GameObject* previous);

    float x;
    float y;
    float z;
    float vx;
    float vy;
    float vz;
    float gravity;
    float floor;
    int size;
    int id; // unique for the object's life, never reused: the drawing and the lock know it by it
    GameObject* prev;
    GameObject* next;

    void reverseX() { vx *= -1.0f; }
    void reverseY() { vy *= -1.0f; }
    // Advances one step; crossing the floor reverses the vertical speed without loss. True
    // when it turned back up at the floor in this step.
    bool step();
};

// Where a record stands in the y-up world, (x, z, y), or at a height of the caller's over
// the same floor point: the one place the axes are swapped. Templates, so that a copy of a
// record's fields (a drawn frame's) stands the same way.
template <typename Record> Vector3 worldPosition(const Record& record, float height) {
    return Vector3(record.x, height, record.y);
}
template <typename Record> Vector3 worldPosition(const Record& record) {
    return worldPosition(record, record.z);
}
