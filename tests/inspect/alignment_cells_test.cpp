#include "inspect/alignment_cells.h"

#include <gtest/gtest.h>

#include "inspect/cell_walk.h"
#include "inspect/fixture.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/font.h"

namespace tabrel::inspect {
namespace {

using testing::at;
using testing::open_blank_pair;

constexpr int kCenter = -4108;
constexpr int kLeftEdge = 7;
constexpr int kDiagonalUp = 6;

void line(const std::shared_ptr<xl::Worksheet>& sheet, const char16_t* address, int index, int style, int weight) {
  auto border = at(sheet, address)->Borders(Variant(index));
  border->SetLineStyle(Variant(style));
  border->SetWeight(Variant(weight));
}

TEST(AlignMergeTest, MergeStateDiffersUnderEqualAlignment) {
  ExcelObjects o = open_blank_pair();
  at(o.AnswerSheet, u"A1:B1")->Merge();
  for (auto& sheet : {o.AnswerSheet, o.TargetSheet}) at(sheet, u"A1:B1")->SetHorizontalAlignment(Variant(kCenter));
  EXPECT_EQ(GetWrongHAlignMergeCells(o, u"A1", u"B1"), u"2;A1;B1;");
  EXPECT_EQ(GetWrongVAlignMergeCells(o, u"A1", u"B1"), u"2;A1;B1;");
  at(o.TargetSheet, u"A1:B1")->Merge();
  EXPECT_EQ(GetWrongHAlignMergeCells(o, u"A1", u"B1"), u"0;");
  at(o.TargetSheet, u"A1")->SetVerticalAlignment(Variant(-4160));
  EXPECT_EQ(GetWrongHAlignMergeCells(o, u"A1", u"B1"), u"0;");
  EXPECT_EQ(GetWrongVAlignMergeCells(o, u"A1", u"B1"), u"2;A1;B1;");
}

TEST(GetWrongMergeCellsTest, ShorterMergeListsTheWholeRangeAndTheColumnAfter) {
  ExcelObjects o = open_blank_pair();
  at(o.AnswerSheet, u"A1:G1")->Merge();
  at(o.TargetSheet, u"A1:F1")->Merge();
  EXPECT_EQ(GetWrongMergeCells(o, u"A1", u"G1"), u"8;A1;B1;C1;D1;E1;F1;G1;H1;");
}

TEST(GetWrongMergeCellsTest, AlignmentDifferenceListsEveryWalkedCell) {
  ExcelObjects o = open_blank_pair();
  for (auto& sheet : {o.AnswerSheet, o.TargetSheet}) at(sheet, u"A1:G1")->Merge();
  at(o.AnswerSheet, u"A1:G1")->SetHorizontalAlignment(Variant(kCenter));
  EXPECT_EQ(GetWrongMergeCells(o, u"A1", u"G1"), u"8;A1;B1;C1;D1;E1;F1;G1;H1;");
  at(o.TargetSheet, u"A1:G1")->SetHorizontalAlignment(Variant(kCenter));
  EXPECT_EQ(GetWrongMergeCells(o, u"A1", u"G1"), u"0;");
}

TEST(GetWrongMergeCellsTest, MergeReachingPastTheEndColumnIsSeenThroughItsSize) {
  ExcelObjects o = open_blank_pair();
  at(o.AnswerSheet, u"A1:B1")->Merge();
  at(o.TargetSheet, u"A1:C1")->Merge();
  EXPECT_EQ(GetWrongMergeCells(o, u"A1", u"B1"), u"3;A1;B1;C1;");
}

TEST(GetWrongMergeCellsTest, EndColumnZCannotBeWidened) {
  ExcelObjects o = open_blank_pair();
  EXPECT_THROW(GetWrongMergeCells(o, u"A1", u"Z1"), RangeArgumentError);
  EXPECT_EQ(GetWrongMergeCells(o, u"X1", u"Y1"), u"0;");
}

TEST(GetWrongBorderCellsTest, EdgesOfAnswerMergedCellsAreNotCompared) {
  ExcelObjects o = open_blank_pair();
  for (auto& sheet : {o.AnswerSheet, o.TargetSheet}) at(sheet, u"B2:C2")->Merge();
  line(o.AnswerSheet, u"B2", kLeftEdge, 1, 2);
  EXPECT_EQ(GetWrongBorderCells(o, u"B2", u"B2"), u"0;");
  line(o.AnswerSheet, u"B2", kDiagonalUp, 1, 2);
  EXPECT_EQ(GetWrongBorderCells(o, u"B2", u"B2"), u"1;B2;");
}

TEST(GetWrongBorderCellsTest, EdgeStyleAndWeightOfUnmergedCells) {
  ExcelObjects o = open_blank_pair();
  line(o.AnswerSheet, u"B2", kLeftEdge, 1, 2);      // thin
  line(o.TargetSheet, u"B2", kLeftEdge, 1, -4138);  // medium
  line(o.AnswerSheet, u"B3", kLeftEdge, 1, 2);
  line(o.TargetSheet, u"B3", kLeftEdge, 1, 2);
  at(o.TargetSheet, u"B3")->Borders(Variant(kLeftEdge))->SetColorIndex(Variant(3));  // colour is not compared
  EXPECT_EQ(GetWrongBorderCells(o, u"B2", u"B3"), u"1;B2;");
}

TEST(IsRangeFullyCorrectTest, StopsAtTheFirstCheckThatReportsACell) {
  ExcelObjects o = open_blank_pair();
  for (auto& sheet : {o.AnswerSheet, o.TargetSheet}) {
    at(sheet, u"A1")->SetValue(Variant(u"제목"));
    at(sheet, u"A1:C1")->Merge();
    at(sheet, u"A1:C1")->SetHorizontalAlignment(Variant(kCenter));
    at(sheet, u"A1")->Font()->SetBold(Variant(true));
    line(sheet, u"A2", kLeftEdge, 1, 2);
  }
  at(o.TargetSheet, u"A2")->Borders(Variant(kLeftEdge))->SetColorIndex(Variant(3));
  EXPECT_TRUE(IsRangeFullyCorrect(o, u"A1", u"C2"));
  at(o.TargetSheet, u"C2")->SetValue(Variant(u"x"));
  EXPECT_FALSE(IsRangeFullyCorrect(o, u"A1", u"C2"));
  at(o.TargetSheet, u"C2")->SetValue(Variant(u""));
  at(o.TargetSheet, u"A1:C1")->SetHorizontalAlignment(Variant(-4131));
  EXPECT_FALSE(IsRangeFullyCorrect(o, u"A1", u"C2"));
}

}  // namespace
}  // namespace tabrel::inspect
