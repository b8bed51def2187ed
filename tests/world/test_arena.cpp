// test_arena.cpp -- field bounds, cells and the axis-point ring.
#include "world/arena.h"

#include <gtest/gtest.h>

TEST(Arena, AxisPointsRingTheFieldFarOutside) {
    Arena a;
    a.computeAxisPoints();
    const float expected[8][2] = {{-42, 38}, {-42, -5.5f}, {-42, -49}, {1.5f, -49},
                                  {45, -49}, {45, -5.5f},  {45, 38},   {1.5f, 38}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(a.getAxisPoint(i).equals(expected[i][0], 0, expected[i][1])) << i;
    }
    EXPECT_TRUE(a.getAxisPoint(8).equals(0, 0, 0));
    // Stepping back from no point at all starts at the last; the keys test the rest.
    EXPECT_EQ(a.getCurrentAxis(), -1);
    EXPECT_TRUE(a.previousAxis().equals(1.5f, 0.0f, 38.0f) && a.getCurrentAxis() == 7);
}

TEST(Arena, CellsAtTheBoundsAndCornerPiecesInTheCorners) {
    const Arena a;
    const std::pair<float, int> columns[] = {
        {-5.0f, 0}, {-5.1f, -1}, {-3.374f, 1}, {7.9f, 7}, {8.0f, 8}};
    for (const auto& [x, column] : columns) {
        EXPECT_EQ(a.columnOf(x), column) << x;
    }
    EXPECT_GE(a.columnOf(1.0e9f), 8); // far outside: bounded work, still "beyond"
    EXPECT_TRUE(a.rowOf(-12.0f) == 0 && a.rowOf(0.99f) == 7 && a.rowOf(1.0f) == 8);
    EXPECT_FLOAT_EQ(a.cellCentreX(7), 7.1875f);
    EXPECT_FLOAT_EQ(a.cellCentreZ(0), -11.1875f);
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            const bool corner = (i == 0 || i == 7) && (j == 0 || j == 7);
            EXPECT_EQ(a.cellKindAt(a.cellCentreX(i), a.cellCentreZ(j)), corner ? 3 : 1);
        }
    }
    // Outside the field the nearest edge cell answers; nothing reads off the grid.
    EXPECT_TRUE(a.cellKindAt(-100.0f, -100.0f) == 3 && a.cellKindAt(100.0f, -5.0f) == 1);
    EXPECT_EQ(a.cellHeightAt(8.0f, 1.0f), -1.0f);
}
