#include <gtest/gtest.h>

#include "spreadsheet/layout/anchor_geometry.h"

namespace tabrel::layout {
namespace {

// Columns of 64 px except column 2 (100 px) and hidden column 4; rows of 20 px except row 1
// (40 px).
int column_px(int c) { return c == 2 ? 100 : c == 4 ? 0 : 64; }
int row_px(int r) { return r == 1 ? 40 : 20; }

TEST(AnchorGeometry, CellsAndOffsetsToPoints) {
  CellAnchor a{1, 512, 1, 128, 3, 0, 3, 0};
  PointRect r = anchor_to_points(a, column_px, row_px);
  EXPECT_DOUBLE_EQ(r.left, (64 + 32) * 0.75);
  EXPECT_DOUBLE_EQ(r.top, (20 + 20) * 0.75);
  EXPECT_DOUBLE_EQ(r.width, (32 + 100) * 0.75);
  EXPECT_DOUBLE_EQ(r.height, (20 + 20) * 0.75);
}

TEST(AnchorGeometry, WiderColumnsMoveAndStretchTheObject) {
  CellAnchor a{1, 0, 0, 0, 2, 512, 1, 0};
  PointRect before = anchor_to_points(a, column_px, row_px);
  PointRect after = anchor_to_points(a, [](int c) { return c == 2 ? 200 : 64; }, row_px);
  EXPECT_DOUBLE_EQ(after.left, before.left);
  EXPECT_DOUBLE_EQ(after.width - before.width, 50 * 0.75);
}

TEST(AnchorGeometry, PointsBackToTheAnchor) {
  for (CellAnchor a : {CellAnchor{0, 0, 0, 0, 1, 0, 1, 0}, CellAnchor{1, 256, 2, 64, 5, 512, 7, 128},
                       CellAnchor{2, 1000, 1, 255, 6, 16, 9, 32}}) {
    PointRect r = anchor_to_points(a, column_px, row_px);
    CellAnchor back = points_to_anchor(r, column_px, row_px);
    PointRect again = anchor_to_points(back, column_px, row_px);
    EXPECT_DOUBLE_EQ(again.left, r.left);
    EXPECT_DOUBLE_EQ(again.top, r.top);
    EXPECT_DOUBLE_EQ(again.width, r.width);
    EXPECT_DOUBLE_EQ(again.height, r.height);
  }
}

TEST(AnchorGeometry, OutOfRangeOffsetsAndPositionsAreClamped) {
  PointRect r = anchor_to_points(CellAnchor{0, 5000, 0, -3, 0, 5000, 0, 999}, column_px, row_px);
  EXPECT_DOUBLE_EQ(r.left, 48);
  EXPECT_DOUBLE_EQ(r.top, 0);
  CellAnchor far = points_to_anchor(PointRect{1e6, 1e6, 10, 10}, column_px, row_px, 9, 9);
  EXPECT_EQ(far.col1, 9);
  EXPECT_EQ(far.row2, 9);
  EXPECT_EQ(far.dx1, 1024);
}

}  // namespace
}  // namespace tabrel::layout
