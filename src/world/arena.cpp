// arena.cpp -- field geometry and the axis-point ring.
#include "world/arena.h"

#include <algorithm>

namespace {
// Axis points sit this far inside the bounds; on a field narrower than twice this they
// end up well outside it, giving distant points to circle around.
constexpr float axisMargin = 50.0f;

// Counts steps of one cell width from the lower bound while still at or below the value.
int cellIndexOf(float value, float low, float high) {
    const float cellWidth = (high - low) / Arena::gridSize;
    float t = low;
    int count = 0;
    // Far outside the field the count is capped; past the grid every index means "beyond".
    while (t <= value && count <= Arena::gridSize + 1) {
        t += cellWidth;
        count += 1;
    }
    return count - 1;
}
} // namespace

Arena::Arena()
    : cellsPerSide(gridSize), xMin(-5.0f), xMax(8.0f), zMin(-12.0f), zMax(1.0f), cells{},
      currentAxis(-1) {
    for (auto& column : cells) {
        for (ArenaCell& cell : column) {
            cell.kind = CELL_TILE;
            cell.height = -1.0f;
        }
    }
    cells[0][0].kind = CELL_CORNER;
    cells[0][gridSize - 1].kind = CELL_CORNER;
    cells[gridSize - 1][0].kind = CELL_CORNER;
    cells[gridSize - 1][gridSize - 1].kind = CELL_CORNER;
    for (Vector3& point : axisPoints) {
        point = Vector3(0.0f, 0.0f, 0.0f);
    }
}

void Arena::computeAxisPoints() {
    const float a = zMin + axisMargin;
    const float b = zMax - axisMargin;
    const float c = xMin + axisMargin;
    const float d = xMax - axisMargin;
    const float hz = (a - b) / 2.0f;
    const float hx = (c - d) / 2.0f;
    axisPoints[0] = Vector3(d, 0.0f, a);
    axisPoints[1] = Vector3(d, 0.0f, b + hz);
    axisPoints[2] = Vector3(d, 0.0f, b);
    axisPoints[3] = Vector3(d + hx, 0.0f, b);
    axisPoints[4] = Vector3(c, 0.0f, b);
    axisPoints[5] = Vector3(c, 0.0f, b + hz);
    axisPoints[6] = Vector3(c, 0.0f, a);
    axisPoints[7] = Vector3(d + hx, 0.0f, a);
}

Vector3 Arena::getAxisPoint(int number) const {
    if (number < 0 || number >= axisPointCount) {
        return Vector3(0.0f, 0.0f, 0.0f);
    }
    return axisPoints[number];
}

Vector3 Arena::nextAxis() {
    currentAxis = (currentAxis >= 0 && currentAxis < axisPointCount - 1) ? currentAxis + 1 : 0;
    return getAxisPoint(currentAxis);
}

Vector3 Arena::previousAxis() {
    currentAxis = (currentAxis >= 1 && currentAxis <= axisPointCount - 1) ? currentAxis - 1
                                                                          : axisPointCount - 1;
    return getAxisPoint(currentAxis);
}

int Arena::columnOf(float x) const {
    return cellIndexOf(x, xMin, xMax);
}

int Arena::rowOf(float z) const {
    return cellIndexOf(z, zMin, zMax);
}

const ArenaCell& Arena::cellAt(float x, float z) const {
    const int column = std::clamp(columnOf(x), 0, gridSize - 1);
    const int row = std::clamp(rowOf(z), 0, gridSize - 1);
    return cells[column][row];
}

int Arena::cellKindAt(float x, float z) const {
    return cellAt(x, z).kind;
}

float Arena::cellHeightAt(float x, float z) const {
    return cellAt(x, z).height;
}

float Arena::cellCentreX(int column) const {
    const float cellWidth = (xMax - xMin) / static_cast<float>(cellsPerSide);
    return xMin + cellWidth / 2.0f + column * cellWidth;
}

float Arena::cellCentreZ(int row) const {
    const float cellWidth = (zMax - zMin) / static_cast<float>(cellsPerSide);
    return zMin + cellWidth / 2.0f + row * cellWidth;
}
