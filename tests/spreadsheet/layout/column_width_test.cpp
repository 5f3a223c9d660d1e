#include <gtest/gtest.h>

#include "spreadsheet/layout/column_width.h"
#include "spreadsheet/layout/row_height.h"

namespace tabrel::layout {
namespace {

TEST(ColumnWidth, StandardColumnsOfTheCommonFonts) {
  EXPECT_EQ(standard_column_pixels(8, 7), 64);
  EXPECT_EQ(standard_column_pixels(8, 8), 72);
  EXPECT_EQ(standard_column_pixels(8, 9), 80);
  EXPECT_DOUBLE_EQ(pixels_to_chars(64, 7), 8.43);
  EXPECT_DOUBLE_EQ(pixels_to_chars(72, 8), 8.38);
  EXPECT_DOUBLE_EQ(pixels_to_chars(80, 9), 8.11);
  EXPECT_EQ(padding_px(7), 5);
  EXPECT_EQ(padding_px(9), 7);
}

TEST(ColumnWidth, ColinfoUnits) {
  EXPECT_EQ(colinfo_to_pixels(2340, 7), 64);  // the default 8.43 as stored
  EXPECT_EQ(pixels_to_colinfo(64, 7), 2340);
  EXPECT_EQ(chars_to_colinfo(8.43, 7), 2340);
  EXPECT_EQ(chars_to_pixels(8.43, 7), 64);
  EXPECT_EQ(chars_to_pixels(8.38, 8), 72);
  EXPECT_EQ(colinfo_to_pixels(0, 7), 0);
  EXPECT_EQ(chars_to_pixels(0, 7), 0);
  EXPECT_EQ(colinfo_to_pixels(2340, 0), colinfo_to_pixels(2340, 1));  // no division by zero
}

TEST(ColumnWidth, PixelsSurviveTheRoundTripThroughCharacters) {
  for (int mdw : {6, 7, 8, 9, 11}) {
    for (int px = 1; px <= 400; ++px) {
      EXPECT_EQ(chars_to_pixels(pixels_to_chars(px, mdw), mdw), px) << px << " at mdw " << mdw;
      EXPECT_EQ(colinfo_to_pixels(pixels_to_colinfo(px, mdw), mdw), px) << px << " at mdw " << mdw;
    }
  }
}

TEST(ColumnWidth, NarrowColumnsShrinkThePadding) {
  EXPECT_EQ(chars_to_pixels(0.5, 7), 6);
  EXPECT_DOUBLE_EQ(pixels_to_chars(6, 7), 0.5);
  EXPECT_EQ(chars_to_pixels(1, 7), 12);
}

TEST(RowHeight, PointsAndPixels) {
  EXPECT_EQ(points_to_pixels(16.5), 22);
  EXPECT_EQ(points_to_pixels(15), 20);
  EXPECT_EQ(points_to_pixels(12.75), 17);
  EXPECT_DOUBLE_EQ(row_pixels_to_points(18), 13.5);
  EXPECT_DOUBLE_EQ(snap_row_points(13.4), 13.5);
  EXPECT_DOUBLE_EQ(twips_to_points(270), 13.5);
  EXPECT_EQ(points_to_twips(16.5), 330);
  EXPECT_DOUBLE_EQ(pixels_to_points(64), 48);
}

}  // namespace
}  // namespace tabrel::layout
