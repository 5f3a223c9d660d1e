#include "inspect/analysis_checks.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "inspect/fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/command_bars.h"
#include "spreadsheet/automation/range.h"
#include "support/pivot_fixture.h"

namespace tabrel::inspect {
namespace {

// ---- AutoFilter results ----------------------------------------------------------------------

struct FilterSheet {
  std::vector<int> hidden_rows;                 // 1-based rows
  std::optional<model::AutoFilterCondition> criterion;  // on filter column 1; none: no AutoFilter
  std::map<std::u16string, std::u16string> texts;
};

model::AutoFilterCondition equals(std::u16string text) {
  model::AutoFilterCondition c;
  c.value_type = 6;
  c.op = 2;
  c.text = std::move(text);
  return c;
}

model::AutoFilterCondition at_least(double n) {
  model::AutoFilterCondition c;
  c.value_type = 4;
  c.op = 6;
  c.number = n;
  return c;
}

std::unique_ptr<model::Workbook> filtered(const FilterSheet& spec) {
  auto wb = testing::blank_workbook();
  model::Sheet& sheet = *wb->sheets[0];
  for (int r : spec.hidden_rows) sheet.rows[r - 1].hidden = true;
  if (spec.criterion) {
    model::AutoFilter af;
    af.range = {{1, 0}, {6, 2}};
    af.filter_mode = true;
    model::AutoFilterColumn column;
    column.first = *spec.criterion;
    af.columns.push_back(column);
    sheet.autofilter = af;
  }
  for (const auto& [cell, text] : spec.texts) {
    const auto at = model::parse_a1(cell);
    sheet.cells.at(*at).value = model::CellValue::text(text);
  }
  return wb;
}

TEST(CompareAutoFilterResultTest, HiddenRowsCriterionAndTexts) {
  const FilterSheet answer{{4, 5}, equals(u"서울"), {{u"A3", u"서울"}, {u"A4", u"부산"}}};
  struct Case {
    const char* what;
    FilterSheet target;
    int16_t field;
    bool expected;
  };
  const Case cases[] = {
      {"the same result", answer, 1, true},
      {"a row shown in the target", {{4}, equals(u"서울"), answer.texts}, 1, false},
      {"a row hidden only in the target", {{4, 5, 6}, equals(u"서울"), answer.texts}, 1, false},
      {"another criterion", {{4, 5}, at_least(80), answer.texts}, 1, false},
      {"another criterion, not compared", {{4, 5}, at_least(80), answer.texts}, 0, true},
      {"no AutoFilter to read a criterion from", {{4, 5}, std::nullopt, answer.texts}, 1, false},
      {"no AutoFilter, criterion not compared", {{4, 5}, std::nullopt, answer.texts}, 0, true},
      {"a hidden row's text differs", {{4, 5}, equals(u"서울"), {{u"A3", u"서울"}, {u"A4", u"대구"}}}, 0, false},
  };
  for (const Case& c : cases) {
    auto objects = testing::open_pair(filtered(answer), filtered(c.target));
    EXPECT_EQ(CompareAutoFilterResult(objects, u"A2", u"C7", c.field), c.expected) << c.what;
  }
}

// ---- Pivot tables after the page field is set -------------------------------------------------

tabrel::testing::PivotSpec sales(int16_t page_item) {
  tabrel::testing::PivotSpec spec;
  spec.fields = {u"지역", u"제품", u"금액"};
  spec.records = {{u"서울", u"사과", 100.0}, {u"서울", u"배", 200.0}, {u"부산", u"사과", 50.0}};
  spec.row_field = 0;
  spec.page_field = 1;
  spec.page_item = page_item;
  spec.data = {{2, 0, 0, std::nullopt}};
  return spec;
}

std::unique_ptr<model::Workbook> with_pivot(int16_t page_item, const char16_t* stored_b2 = u"") {
  auto wb = testing::blank_workbook();
  tabrel::testing::add_pivot(*wb, 0, sales(page_item));
  if (*stored_b2) wb->sheets[0]->cells.at({1, 1}).value = model::CellValue::text(stored_b2);
  return wb;
}

TEST(GetWrongPivotPageCellsTest, AllItemsInBothWorkbooks) {
  // The target was left on one item ("배"); both are laid out for all items.
  auto objects = testing::open_pair(with_pivot(0x7FFD), with_pivot(1, u"배"));
  EXPECT_EQ(GetWrongPivotPageCells(objects, u"A2", u"B8", u"(모두)"), u"0;");
  EXPECT_EQ(testing::at(objects.TargetSheet, u"B2")->Text().to_string(), u"(모두)");
  EXPECT_EQ(testing::at(objects.TargetSheet, u"B5")->Text().to_string(), u"300");
}

TEST(GetWrongPivotPageCellsTest, WithoutAPivotTableTheRangeIsComparedAsItStands) {
  // The answer has no pivot table: the target's page field is not set either.
  auto answer = testing::blank_workbook();
  answer->sheets[0]->cells.at({1, 1}).value = model::CellValue::text(u"배");
  auto objects = testing::open_pair(std::move(answer), with_pivot(1, u"배"));
  EXPECT_EQ(GetWrongPivotPageCells(objects, u"A2", u"B2", u"(모두)"), u"0;");
  EXPECT_EQ(GetWrongPivotPageCells(objects, u"B2", u"B3", u"(모두)"), u"0;");
  EXPECT_EQ(testing::at(objects.TargetSheet, u"B2")->Text().to_string(), u"배");
}

// ---- Camera pictures --------------------------------------------------------------------------

// A picture covering the pixel rectangle (x, y, w, h) of sheets with 64-pixel columns and
// 17-pixel rows (0.75 point a pixel).
model::DrawingObject picture(int x, int y, int w, int h) {
  auto anchor_of = [](int px, int cell, int scale, int& index, int& offset) {
    index = px / cell;
    offset = ((px % cell) * scale + cell / 2) / cell;
  };
  model::DrawingObject d;
  d.object_type = 8;
  anchor_of(x, 64, 1024, d.anchor.col1, d.anchor.dx1);
  anchor_of(y, 17, 256, d.anchor.row1, d.anchor.dy1);
  anchor_of(x + w, 64, 1024, d.anchor.col2, d.anchor.dx2);
  anchor_of(y + h, 17, 256, d.anchor.row2, d.anchor.dy2);
  return d;
}

std::unique_ptr<model::Workbook> with_pictures(const std::vector<model::DrawingObject>& pictures) {
  auto wb = testing::blank_workbook();
  uint16_t id = 0;
  for (auto d : pictures) {
    d.object_id = ++id;
    wb->sheets[0]->drawings.push_back(d);
  }
  return wb;
}

TEST(IsShapeMisplacedTest, PlaceWithinTenPointsAndSizeWithinFifty) {
  const auto answer = picture(64, 34, 128, 34);
  struct Case {
    const char* what;
    std::vector<model::DrawingObject> target;
    bool expected;
  };
  const Case cases[] = {
      {"the same picture", {answer}, false},
      {"9.75 points right and lower, 49.5 wider", {picture(77, 47, 194, 34)}, false},
      {"10.5 points right", {picture(78, 34, 128, 34)}, true},
      {"10.5 points higher", {picture(64, 20, 128, 34)}, true},
      {"50.25 points wider", {picture(64, 34, 195, 34)}, true},
      {"50.25 points taller", {picture(64, 34, 128, 101)}, true},
      {"no picture", {}, true},
      {"a far picture first, the fitting one second", {picture(640, 340, 128, 34), answer}, false},
  };
  for (const Case& c : cases) {
    auto objects = testing::open_pair(with_pictures({answer, picture(0, 0, 10, 10)}), with_pictures(c.target));
    EXPECT_EQ(IsShapeMisplaced(objects, 1), c.expected) << c.what;
  }
}

TEST(IsShapeMisplacedTest, OnlyAsManyTargetShapesAsTheAnswerHasAreSearched) {
  const auto answer = picture(64, 34, 128, 34), far = picture(640, 340, 20, 20);
  auto objects = testing::open_pair(with_pictures({answer, far, far, far}), with_pictures({far, far, far, far, answer}));
  EXPECT_TRUE(IsShapeMisplaced(objects, 1));
  // The first shape near the answer's place decides, even when its size does not fit.
  auto first_near = testing::open_pair(with_pictures({answer, far}), with_pictures({picture(64, 34, 300, 34), answer}));
  EXPECT_TRUE(IsShapeMisplaced(first_near, 1));
}

// ---- The camera button ------------------------------------------------------------------------

TEST(HasCameraButtonTest, CameraOnAVisibleNormalToolbar) {
  auto objects = testing::open_blank_pair();
  EXPECT_TRUE(HasCameraButton(objects));
  // The bars are the application's: hiding the Standard toolbar in one instance hides it in both.
  auto standard = objects.AnswerExcel->CommandBars()->Item(Variant(u"Standard"));
  standard->SetVisible(false);
  EXPECT_FALSE(HasCameraButton(objects));
  standard->SetVisible(true);
  EXPECT_TRUE(HasCameraButton(objects));
}

}  // namespace
}  // namespace tabrel::inspect
