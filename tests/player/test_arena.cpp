// test_arena.cpp -- field bounds, cells and the axis-point ring.
#include "player/arena.h"
#include "test_support.h"

#include <gtest/gtest.h>

TEST(Arena, AxisPointsRingTheFieldFarOutside) {
    Arena a;
    EXPECT_TRUE(a.getAxisPoint(0).equals(0, 0, 0)); // not computed yet
    a.computeAxisPoints();
    const float expected[8][3] = {{-42, 0, 38}, {-42, 0, -5.5f}, {-42, 0, -49}, {1.5f, 0, -49},
                                  {45, 0, -49}, {45, 0, -5.5f},  {45, 0, 38},   {1.5f, 0, 38}};
    for (int i = 0; i < 8; ++i) {
        const Vector3 p = a.getAxisPoint(i);
        EXPECT_TRUE(p.equals(expected[i][0], expected[i][1], expected[i][2])) << "point " << i;
    }
    EXPECT_TRUE(a.getAxisPoint(-1).equals(0, 0, 0));
    EXPECT_TRUE(a.getAxisPoint(8).equals(0, 0, 0));
}

TEST(Arena, NextAndPreviousWrapAndPrintTheSameLine) {
    Arena a;
    a.computeAxisPoints();
    std::string out = captureStdout([&] {
        EXPECT_TRUE(a.nextAxis().equals(-42, 0, 38)); // first step from none: point 0
    });
    EXPECT_EQ(out, "nextAxis 0\n");
    out = captureStdout([&] { a.previousAxis(); }); // back from 0 wraps to 7
    EXPECT_EQ(out, "nextAxis 7\n");
    out = captureStdout([&] { a.nextAxis(); }); // forward from 7 wraps to 0
    EXPECT_EQ(out, "nextAxis 0\n");

    Arena fresh;
    fresh.computeAxisPoints();
    out = captureStdout([&] { EXPECT_TRUE(fresh.previousAxis().equals(1.5f, 0, 38)); });
    EXPECT_EQ(out, "nextAxis 7\n");
}

TEST(Arena, ColumnsAndRowsAtTheBounds) {
    const Arena a;
    EXPECT_EQ(a.columnOf(-5.0f), 0);
    EXPECT_EQ(a.columnOf(-5.1f), -1);
    EXPECT_EQ(a.columnOf(-3.374f), 1);
    EXPECT_EQ(a.columnOf(7.9f), 7);
    EXPECT_EQ(a.columnOf(8.0f), 8);
    EXPECT_GE(a.columnOf(1.0e9f), 8); // far outside: bounded work, still "beyond"
    EXPECT_EQ(a.rowOf(-12.0f), 0);
    EXPECT_EQ(a.rowOf(0.99f), 7);
    EXPECT_EQ(a.rowOf(1.0f), 8);
    EXPECT_FLOAT_EQ(a.cellCentreX(0), -4.1875f);
    EXPECT_FLOAT_EQ(a.cellCentreX(7), 7.1875f);
    EXPECT_FLOAT_EQ(a.cellCentreZ(0), -11.1875f);
}

TEST(Arena, CornerCellsAreCornerPiecesAndTheFloorIsFlat) {
    const Arena a;
    int corners = 0;
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            const float x = a.cellCentreX(i);
            const float z = a.cellCentreZ(j);
            const bool corner = (i == 0 || i == 7) && (j == 0 || j == 7);
            EXPECT_EQ(a.cellKindAt(x, z), corner ? 3 : 1) << i << "," << j;
            EXPECT_EQ(a.cellHeightAt(x, z), -1.0f);
            corners += corner ? 1 : 0;
        }
    }
    EXPECT_EQ(corners, 4);
    // Outside the field the nearest edge cell answers; nothing reads off the grid.
    EXPECT_EQ(a.cellKindAt(-100.0f, -100.0f), 3);
    EXPECT_EQ(a.cellKindAt(100.0f, -5.0f), 1);
    EXPECT_EQ(a.cellHeightAt(8.0f, 1.0f), -1.0f);
}
