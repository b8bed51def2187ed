// arena.h -- the playing field: its bounds, the 8 x 8 floor cells the renderer lays out,
// and the eight axis points around it that the craft can take as its focus.
#pragma once

#include "assets/data_files.h"
#include "math/vector3.h"

// A cell's kind is the display-list slot of the model it is drawn with.
constexpr int CELL_TILE = LIST_STONES;   // a floor tile
constexpr int CELL_CORNER = LIST_NORMAL; // a corner piece

struct ArenaCell {
    int kind;     // CELL_TILE or CELL_CORNER
    float height; // y at which the cell is drawn
};

class Arena {
  public:
    static constexpr int gridSize = 8;
    static constexpr int axisPointCount = 8;

    Arena();

    void computeAxisPoints();
    float getXMin() const { return xMin; }
    float getXMax() const { return xMax; }
    float getZMin() const { return zMin; }
    float getZMax() const { return zMax; }
    // A copy of the point; numbers outside 0..7 give (0, 0, 0).
    Vector3 getAxisPoint(int number) const;
    // Step to the next or previous axis point (wrapping) and return it.
    Vector3 nextAxis();
    Vector3 previousAxis();
    // The number of the axis point last stepped to, -1 before the first step.
    int getCurrentAxis() const { return currentAxis; }

    // Column or row holding the coordinate: -1 below the field, 8 or more at or past its
    // upper bound.
    int columnOf(float x) const;
    int rowOf(float z) const;
    // Outside the field these answer for the nearest edge cell, so no read leaves the grid.
    int cellKindAt(float x, float z) const;
    float cellHeightAt(float x, float z) const;
    float cellCentreX(int column) const;
    float cellCentreZ(int row) const;

  private:
    const ArenaCell& cellAt(float x, float z) const;

    int cellsPerSide;
    float xMin;
    float xMax;
    float zMin;
    float zMax;
    ArenaCell cells[gridSize][gridSize]; // [column along x][row along z]
    Vector3 axisPoints[axisPointCount];
    int currentAxis;
};
