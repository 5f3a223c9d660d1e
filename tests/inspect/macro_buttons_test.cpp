#include "inspect/macro_buttons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "inspect/fixture.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"

namespace tabrel::inspect {
namespace {

constexpr int16_t kAnswer = 0;
constexpr int16_t kTarget = 1;
constexpr uint16_t kRectangle = 1, kRoundedRectangle = 2, kSmileyFace = 96;

// A shape of the test sheets. Default columns are 64 pixels (48 points) and rows 17 pixels
// (12.75 points); offsets are in 1/1024 of a column and 1/256 of a row.
struct ShapeSpec {
  std::u16string macro;
  std::u16string text;
  std::u16string alternative_text;
  uint16_t shape_type = kRectangle;
  model::Anchor anchor{1, 0, 2, 0, 3, 0, 4, 0, 1};  // B3 to D5: 96 x 25.5 points at (48, 25.5)
  std::map<int, int32_t> adjustments;
};

std::unique_ptr<model::Workbook> with_shapes(const std::vector<ShapeSpec>& specs) {
  auto wb = testing::blank_workbook();
  uint16_t id = 0;
  for (const ShapeSpec& spec : specs) {
    model::DrawingObject d;
    d.object_type = 30;
    d.object_id = ++id;
    d.autoshape_type = spec.shape_type;
    d.macro = spec.macro;
    d.text.text = spec.text;
    d.alternative_text = spec.alternative_text;
    d.anchor = spec.anchor;
    d.adjustments = spec.adjustments;
    wb->sheets[0]->drawings.push_back(d);
  }
  return wb;
}

ExcelObjects open_shapes(const std::vector<ShapeSpec>& answer, const std::vector<ShapeSpec>& target) {
  return testing::open_pair(with_shapes(answer), with_shapes(target));
}

ShapeSpec button(std::u16string macro) {
  ShapeSpec s;
  s.macro = std::move(macro);
  return s;
}

ShapeSpec with_text(std::u16string text) {
  ShapeSpec s;
  s.text = std::move(text);
  return s;
}

ShapeSpec placed(model::Anchor anchor) {
  ShapeSpec s;
  s.anchor = anchor;
  return s;
}

ShapeSpec typed(uint16_t shape_type, std::map<int, int32_t> adjustments = {}) {
  ShapeSpec s;
  s.shape_type = shape_type;
  s.adjustments = std::move(adjustments);
  return s;
}

TEST(FindMacroButtonTest, FirstShapeWhoseMacroContainsTheName) {
  auto objects = open_shapes({button(u"정렬"), button(u"서식적용")},
                             {button(u""), button(u"'target.xls'!서식적용해제"), button(u"서식적용")});
  EXPECT_EQ(FindMacroButton(objects, u"서식적용", kAnswer), 2);
  EXPECT_EQ(FindMacroButton(objects, u"서식적용", kTarget), 2);  // a longer name that holds it comes first
  EXPECT_EQ(FindMacroButton(objects, u"서식적용", 7), 2);        // any value but 0 is the target
  EXPECT_EQ(FindMacroButton(objects, u"정렬", kAnswer), 1);
  EXPECT_EQ(FindMacroButton(objects, u"정렬", kTarget), 0);
}

TEST(FindMacroButtonTest, NamesCompareWithLetterCase) {
  auto objects = open_shapes({button(u"Macro1")}, {button(u"macro1")});
  EXPECT_EQ(FindMacroButton(objects, u"Macro1", kAnswer), 1);
  EXPECT_EQ(FindMacroButton(objects, u"Macro1", kTarget), 0);
}

TEST(FindMacroButtonTest, SheetWithoutShapesOrWithoutSheet) {
  auto objects = open_shapes({}, {});
  EXPECT_EQ(FindMacroButton(objects, u"정렬", kAnswer), 0);
  EXPECT_EQ(FindMacroButton(objects, u"정렬", kTarget), 0);
  objects.TargetSheet = nullptr;
  EXPECT_EQ(FindMacroButton(objects, u"정렬", kTarget), 0);
}

TEST(HasTargetShapeTest, OnlyAnExistingPosition) {
  auto objects = open_shapes({}, {button(u"정렬")});
  EXPECT_TRUE(HasTargetShape(objects, 1));
  EXPECT_FALSE(HasTargetShape(objects, 0));
  EXPECT_FALSE(HasTargetShape(objects, 2));
}

struct MacroCase {
  const char* name;
  std::u16string answer_macro, answer_alt, target_macro, target_alt;
  bool same;
};

TEST(CompareButtonMacroTest, Cases) {
  const MacroCase cases[] = {
      {"other workbook, same macro", u"'정답.XLS'!서식", u"서식 단추", u"'target.xls'!  서식 ", u"서식 단추", true},
      {"line feed against blank", u"a.xls!서식", u"서식\n단추", u"b.xls!서식", u" 서식 단추", true},
      {"alternative texts differ", u"a.xls!서식", u"서식", u"b.xls!서식", u"정렬", false},
      {"macro names differ", u"a.xls!서식", u"", u"a.xls!정렬", u"", false},
      {"no workbook on one side", u"서식", u"", u"a.xls!서식", u"", false},
      {"both plain: alternative texts not read", u"서식", u"하나", u"서식", u"둘", true},
      {"both plain, different case", u"서식A", u"", u"서식a", u"", false},
  };
  for (const MacroCase& c : cases) {
    ShapeSpec answer = button(c.answer_macro), target = button(c.target_macro);
    answer.alternative_text = c.answer_alt;
    target.alternative_text = c.target_alt;
    auto objects = open_shapes({answer}, {target});
    EXPECT_EQ(CompareButtonMacro(objects, 1, 1), c.same) << c.name;
  }
  auto objects = open_shapes({button(u"서식")}, {button(u"서식")});
  EXPECT_FALSE(CompareButtonMacro(objects, 1, 2));  // no such target shape
}

TEST(CompareShapeTextTest, TrimmedTextsAndUnreadableAsEmpty) {
  auto objects = open_shapes({with_text(u" 서식 적용 "), ShapeSpec{}},
                             {with_text(u"서식 적용"), with_text(u"서식  적용")});
  EXPECT_TRUE(CompareShapeText(objects, 1, 1));
  EXPECT_FALSE(CompareShapeText(objects, 1, 2));
  EXPECT_TRUE(CompareShapeText(objects, 2, 5));   // empty text against a missing shape
  EXPECT_TRUE(CompareShapeText(objects, 0, 0));   // neither can be read
  EXPECT_FALSE(CompareShapeText(objects, 1, 0));
}

// The target button moved and resized in whole pixels (0.75 points each) from the answer's
// B3 to D5 at (48, 25.5), 96 x 25.5 points.
struct PlacementCase {
  const char* name;
  int right_px, down_px, wider_px, taller_px;
  bool placed;
};

model::Anchor moved(int right_px, int down_px, int wider_px, int taller_px) {
  // Column B starts at 64 px, row 3 at 34 px; columns are 64 px, rows 17 px.
  const int left = 64 + right_px, top = 34 + down_px;
  const int right = left + 128 + wider_px, bottom = top + 34 + taller_px;
  return {left / 64, (left % 64) * 16, top / 17, (top % 17) * 256 / 17,
          right / 64, (right % 64) * 16, bottom / 17, (bottom % 17) * 256 / 17, 2};
}

TEST(CompareShapePlacementTest, PositionBoundsIncludedSizeBoundsExcluded) {
  const PlacementCase cases[] = {
      {"same place", 0, 0, 0, 0, true},
      {"30 points right", 40, 0, 0, 0, true},
      {"30 points left", -40, 0, 0, 0, true},
      {"30.75 points right", 41, 0, 0, 0, false},
      {"9.75 points lower", 0, 13, 0, 0, true},
      {"10.5 points higher", 0, -14, 0, 0, false},
      {"30 points wider", 0, 0, 40, 0, false},
      {"29.25 points wider", 0, 0, 39, 0, true},
      {"30 points narrower", 0, 0, -40, 0, false},
      {"9.75 points shorter", 0, 0, 0, -13, true},
      {"10.5 points taller", 0, 0, 0, 14, false},
  };
  for (const PlacementCase& c : cases) {
    auto objects = open_shapes({ShapeSpec{}}, {placed(moved(c.right_px, c.down_px, c.wider_px, c.taller_px))});
    EXPECT_EQ(CompareShapePlacement(objects, 1, 1), c.placed) << c.name;
  }
}

TEST(CompareShapePlacementTest, TargetTakesTheAnswersColumnWidthsFirst) {
  auto objects = open_shapes({ShapeSpec{}}, {ShapeSpec{}});
  testing::at(objects.AnswerSheet, u"A1")->SetColumnWidth(Variant(20.0));
  testing::at(objects.AnswerSheet, u"I1")->SetColumnWidth(Variant(3.0));
  EXPECT_TRUE(CompareShapePlacement(objects, 1, 1));
  for (const char16_t* cell : {u"A1", u"I1"})
    EXPECT_EQ(testing::at(objects.TargetSheet, cell)->ColumnWidth().to_double(),
              testing::at(objects.AnswerSheet, cell)->ColumnWidth().to_double());
  EXPECT_FALSE(CompareShapePlacement(objects, 1, 2));
}

TEST(CompareShapeSizeTest, CopiesNoWidths) {
  auto objects = open_shapes({ShapeSpec{}}, {ShapeSpec{}});
  testing::at(objects.AnswerSheet, u"C1")->SetColumnWidth(Variant(30.0));
  EXPECT_FALSE(CompareShapeSize(objects, 1, 1));  // the answer's button grew with its column C
  EXPECT_NE(testing::at(objects.TargetSheet, u"C1")->ColumnWidth().to_double(), 30.0);
}

TEST(CompareShapeTypeTest, SameAutoShapeType) {
  auto objects = open_shapes({typed(kRoundedRectangle)}, {typed(kRoundedRectangle), typed(kRectangle)});
  EXPECT_TRUE(CompareShapeType(objects, 1, 1));
  EXPECT_FALSE(CompareShapeType(objects, 1, 2));
  EXPECT_FALSE(CompareShapeType(objects, 1, 3));
}

struct AdjustmentCase {
  const char* name;
  ShapeSpec shape;
  bool low, high;
};

TEST(ShapeAdjustmentTest, FirstAdjustmentAgainstTheThreshold) {
  const AdjustmentCase cases[] = {
      {"0.8", typed(kSmileyFace, {{0, 17280}}), false, true},
      {"0.5", typed(kSmileyFace, {{0, 10800}}), true, false},
      {"smile by default", typed(kSmileyFace), false, true},
      {"frown", typed(kSmileyFace, {{0, 15510}}), true, false},
      {"no adjustments", typed(kRectangle), false, false},
  };
  for (const AdjustmentCase& c : cases) {
    auto objects = open_shapes({}, {c.shape});
    EXPECT_EQ(IsShapeAdjustmentLow(objects, 1), c.low) << c.name;
    EXPECT_EQ(IsShapeAdjustmentHigh(objects, 1), c.high) << c.name;
  }
  auto objects = open_shapes({}, {typed(kSmileyFace)});
  EXPECT_FALSE(IsShapeAdjustmentHigh(objects, 0));
  EXPECT_FALSE(IsShapeAdjustmentLow(objects, 2));
}

TEST(ShapeAdjustmentTest, LeavesTheTargetShapeSelected) {
  auto objects = open_shapes({}, {ShapeSpec{}, typed(kSmileyFace)});
  EXPECT_TRUE(IsShapeAdjustmentHigh(objects, 2));
  const auto selected = std::dynamic_pointer_cast<xl::Shape>(objects.TargetExcel->Selection());
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(selected->index(), 1u);
  EXPECT_EQ(std::dynamic_pointer_cast<xl::Shape>(objects.AnswerExcel->Selection()), nullptr);
}

}  // namespace
}  // namespace tabrel::inspect
