#include "inspect/macro_runs.h"

#include <gtest/gtest.h>

#include "inspect/fixture.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/range.h"

namespace tabrel::inspect {
namespace {

ExcelObjects filled_pair() {
  auto objects = testing::open_blank_pair();
  for (const auto& sheet : {objects.AnswerSheet, objects.TargetSheet}) {
    testing::at(sheet, u"B3:G11")->SetValue(Variant(7.0));
    testing::at(sheet, u"B3:G11")->Font()->SetBold(Variant(true));
  }
  return objects;
}

TEST(ClearRangeContentsTest, WhichSheet) {
  struct Case {
    int16_t which;
    bool answer_cleared, target_cleared;
  };
  for (const Case c : {Case{0, false, true}, Case{1, true, false}, Case{2, false, true}}) {
    auto objects = filled_pair();
    ClearRangeContents(objects, u"B3", u"F10", c.which);
    EXPECT_EQ(testing::at(objects.AnswerSheet, u"F10")->Value().is_empty(), c.answer_cleared) << c.which;
    EXPECT_EQ(testing::at(objects.TargetSheet, u"B3")->Value().is_empty(), c.target_cleared) << c.which;
    EXPECT_FALSE(testing::at(objects.TargetSheet, u"G10")->Value().is_empty());
    EXPECT_TRUE(testing::at(objects.TargetSheet, u"B3")->Font()->Bold().to_bool());  // formats stay
  }
}

TEST(ClearRangeContentsTest, BadAddressIsIgnored) {
  auto objects = filled_pair();
  ClearRangeContents(objects, u"B3", u"", 0);
  objects.TargetSheet = nullptr;
  ClearRangeContents(objects, u"B3", u"F10", 0);
  EXPECT_FALSE(testing::at(objects.AnswerSheet, u"B3")->Value().is_empty());
}

TEST(ResetRangeForMacroTest, FormatsClearedOnBothSheetsWidthsCopied) {
  auto objects = filled_pair();
  testing::at(objects.AnswerSheet, u"C1")->SetColumnWidth(Variant(15.0));
  testing::at(objects.TargetSheet, u"J1")->SetColumnWidth(Variant(2.0));
  ResetRangeForMacro(objects, u"C4", u"D5");
  for (const auto& sheet : {objects.AnswerSheet, objects.TargetSheet}) {
    EXPECT_FALSE(testing::at(sheet, u"C4")->Font()->Bold().to_bool());
    EXPECT_TRUE(testing::at(sheet, u"C6")->Font()->Bold().to_bool());
    EXPECT_EQ(testing::at(sheet, u"D5")->Value().to_double(), 7.0);  // contents stay
  }
  EXPECT_EQ(testing::at(objects.TargetSheet, u"C1")->ColumnWidth().to_double(), 15.0);
  EXPECT_EQ(testing::at(objects.TargetSheet, u"J1")->ColumnWidth().to_double(), 2.0);  // past column I
}

TEST(ResetRangeForMacroTest, EachStepRunsWhenAnotherFails) {
  auto objects = filled_pair();
  testing::at(objects.AnswerSheet, u"A1")->SetColumnWidth(Variant(12.0));
  objects.AnswerSheet = nullptr;  // the width copies and the answer's format reset fail
  ResetRangeForMacro(objects, u"B3", u"C3");
  EXPECT_FALSE(testing::at(objects.TargetSheet, u"B3")->Font()->Bold().to_bool());
}

}  // namespace
}  // namespace tabrel::inspect
