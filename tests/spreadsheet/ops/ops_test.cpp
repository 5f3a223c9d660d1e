#include <gtest/gtest.h>

#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/clear.h"
#include "spreadsheet/ops/dimensions.h"
#include "spreadsheet/ops/merge.h"
#include "spreadsheet/ops/range_math.h"
#include "spreadsheet/ops/sheet_ops.h"

namespace tabrel::ops {
namespace {

model::Workbook workbook_with(std::initializer_list<const char16_t*> names) {
  model::Workbook wb;
  for (int i = 0; i < 16; ++i) {
    model::Xf xf;
    xf.is_style = i < 15;
    wb.styles.xfs.push_back(xf);
  }
  for (const char16_t* name : names) {
    auto s = std::make_unique<model::Sheet>();
    s->name = name;
    wb.sheets.push_back(std::move(s));
  }
  return wb;
}

model::RangeRef area(int r1, int c1, int r2, int c2) { return {{r1, c1}, {r2, c2}}; }

TEST(SheetOpsTest, InsertAndRemoveKeepNamesWithTheirSheets) {
  model::Workbook wb = workbook_with({u"A", u"B"});
  model::DefinedName global, on_b;
  global.name = u"g";
  on_b.name = u"local";
  on_b.sheet_scope = 2;
  wb.names = {global, on_b};
  wb.view.active_sheet = 1;
  insert_worksheet(wb, 0, new_sheet_name(wb));
  EXPECT_EQ(wb.sheets[0]->name, u"Sheet3");
  EXPECT_EQ(wb.names[1].sheet_scope, 3);
  EXPECT_EQ(wb.view.active_sheet, 2);
  auto removed = remove_sheet(wb, 2);
  EXPECT_EQ(removed->name, u"B");
  ASSERT_EQ(wb.names.size(), 1u);  // the sheet's own name went with it
  EXPECT_EQ(wb.names[0].name, u"g");
  EXPECT_EQ(remove_sheet(wb, 7), nullptr);
}

TEST(SheetOpsTest, InsertAndRemoveKeepReferencesWithTheirSheets) {
  model::Workbook wb = workbook_with({u"A", u"B", u"C"});
  model::SupportingBook self;
  self.kind = model::SupportingBook::Kind::Self;
  model::SupportingBook other;
  other.kind = model::SupportingBook::Kind::External;
  wb.externals.books = {self, other};
  using X = model::ExternSheet;
  wb.externals.sheets = {X{0, 1, 1}, X{0, 0, 2}, X{0, 2, 2}, X{1, 0, 0}, X{0, -2, -2}};
  insert_worksheet(wb, 1, u"새 시트");  // before B
  EXPECT_EQ(wb.externals.sheets, (std::vector<X>{X{0, 2, 2}, X{0, 0, 3}, X{0, 3, 3}, X{1, 0, 0}, X{0, -2, -2}}));
  remove_sheet(wb, 2);  // B: a reference to it alone is deleted, a span shrinks, later ones move up
  EXPECT_EQ(wb.externals.sheets, (std::vector<X>{X{0, -1, -1}, X{0, 0, 2}, X{0, 2, 2}, X{1, 0, 0}, X{0, -2, -2}}));
}

TEST(SheetOpsTest, NameRules) {
  model::Workbook wb = workbook_with({u"Data", u"Sheet3"});
  EXPECT_EQ(check_sheet_name(wb, u"data"), SheetNameProblem::Taken);
  EXPECT_EQ(check_sheet_name(wb, u"data", wb.sheets[0].get()), SheetNameProblem::None);
  EXPECT_EQ(check_sheet_name(wb, u""), SheetNameProblem::Empty);
  EXPECT_EQ(check_sheet_name(wb, std::u16string(32, u'a')), SheetNameProblem::TooLong);
  EXPECT_EQ(check_sheet_name(wb, u"x'"), SheetNameProblem::BadCharacter);
  EXPECT_EQ(new_sheet_name(wb), u"Sheet4");  // Sheet3 is taken
}

TEST(ClearTest, ContentsFormatsAndOutline) {
  model::Workbook wb = workbook_with({u"A"});
  model::Sheet& s = *wb.sheets[0];
  model::Xf red = wb.styles.xfs[15];
  red.pattern = 1;
  red.pattern_color = 10;
  const uint16_t xf = wb.styles.intern_xf(red);
  s.cells.put({0, 0}, model::Cell{model::CellValue::number(5), xf, model::FormulaPtr::make()});
  s.merges.push_back(area(0, 0, 0, 2));
  model::CondFormat cf;
  cf.ranges = {area(0, 0, 3, 0)};
  cf.rules.resize(1);
  s.conditional_formats.push_back(cf);
  s.rows[0].outline_level = 2;

  clear_contents(s, area(0, 0, 0, 0));
  const model::Cell* a1 = s.cells.find({0, 0});
  ASSERT_NE(a1, nullptr);
  EXPECT_TRUE(a1->value.is_blank());
  EXPECT_FALSE(a1->has_formula());
  EXPECT_EQ(s.changes.keys(), std::vector<uint32_t>{model::CellStore::key({0, 0})});
  EXPECT_EQ(a1->xf, xf);

  clear_formats(wb, s, area(0, 0, 0, 0));
  EXPECT_EQ(s.cells.find({0, 0}), nullptr);  // nothing left in it
  EXPECT_TRUE(s.merges.empty());
  ASSERT_EQ(s.conditional_formats.size(), 1u);
  EXPECT_EQ(s.conditional_formats[0].ranges, (std::vector<model::RangeRef>{area(1, 0, 3, 0)}));

  clear_outline(s, area(0, 0, 5, 5));
  EXPECT_EQ(s.rows[0].outline_level, 0);
}

TEST(FormatTest, WholeColumnsChangeTheColumnFormatAndExistingCellsOnly) {
  model::Workbook wb = workbook_with({u"A"});
  model::Sheet& s = *wb.sheets[0];
  s.cells.put({4, 1}, model::Cell{model::CellValue::number(1), 15, nullptr});
  change_format(wb, s, area(0, 1, model::kMaxRows - 1, 1), [](model::Xf& x) { x.horizontal = 2; });
  EXPECT_EQ(s.cells.size(), 1u);
  EXPECT_EQ(effective_format(wb, s, {4, 1}).horizontal, 2);
  EXPECT_EQ(effective_format(wb, s, {900, 1}).horizontal, 2);  // through the column format
  EXPECT_EQ(effective_format(wb, s, {900, 2}).horizontal, 0);
}

TEST(CellFormatTest, ChangedFormatsFlagTheGroupsTheyHoldForThemselves) {
  // Number format 0x01, font 0x02, alignment 0x04, borders 0x08, fill 0x10, protection 0x20:
  // set where the cell format differs from its style, so that other programs read it.
  model::Workbook wb = workbook_with({u"A"});
  model::Sheet& s = *wb.sheets[0];
  s.cells.put({0, 0}, model::Cell{model::CellValue::number(1), 15, nullptr});
  change_format(wb, s, area(0, 0, 0, 0), [](model::Xf& x) {
    x.font = 5;
    x.horizontal = 2;
  });
  EXPECT_EQ(wb.styles.xfs[s.cells.find({0, 0})->xf].used_attributes, 0x02 | 0x04);
  change_format(wb, s, area(0, 0, 0, 0), [](model::Xf& x) { x.format = 41; });
  EXPECT_EQ(wb.styles.xfs[s.cells.find({0, 0})->xf].used_attributes, 0x01 | 0x02 | 0x04);
  // A format that takes everything from its style flags nothing.
  change_format(wb, s, area(1, 0, 1, 0), [](model::Xf&) {});
  EXPECT_EQ(wb.styles.xfs[s.cells.find({1, 0})->xf].used_attributes, 0);
}

TEST(DimensionsTest, WidthsHeightsAndHiding) {
  model::Workbook wb = workbook_with({u"A"});
  model::Sheet& s = *wb.sheets[0];
  set_column_width(s, 2, 3, 5000);
  EXPECT_EQ(s.column_width(2), 5000);
  EXPECT_EQ(s.column_width(4), 8 * 256);
  set_column_width(s, 3, 3, 0);
  EXPECT_TRUE(s.column_info(3)->hidden);
  EXPECT_EQ(s.column_width(3), 5000);  // hiding keeps the width
  set_row_height(s, 1, 1, 400);
  EXPECT_EQ(s.row_height(1), 400);
  set_row_hidden(s, 1, 1, true);
  EXPECT_TRUE(s.row_hidden(1));
}

TEST(MergeOpsTest, MergingKeepsTheTopLeftValue) {
  model::Workbook wb = workbook_with({u"A"});
  model::Sheet& s = *wb.sheets[0];
  s.cells.put({0, 0}, model::Cell{model::CellValue::number(1), 15, nullptr});
  s.cells.put({0, 1}, model::Cell{model::CellValue::number(2), 15, nullptr});
  s.merges.push_back(area(1, 0, 1, 1));
  merge(s, area(0, 0, 1, 1));
  EXPECT_EQ(s.merges, (std::vector<model::RangeRef>{area(0, 0, 1, 1)}));
  EXPECT_TRUE(s.cells.find({0, 0})->value.is_number());
  EXPECT_TRUE(s.cells.find({0, 1})->value.is_blank());
  unmerge(s, area(1, 1, 1, 1));
  EXPECT_TRUE(s.merges.empty());
}

TEST(RangeMathTest, SubtractLeavesTheFrame) {
  const auto parts = subtract(area(0, 0, 4, 4), area(1, 1, 2, 2));
  long long cells = 0;
  for (const auto& p : parts) cells += p.cell_count();
  EXPECT_EQ(cells, 25 - 4);
  EXPECT_EQ(subtract(area(0, 0, 1, 1), area(5, 5, 6, 6)), (std::vector<model::RangeRef>{area(0, 0, 1, 1)}));
  EXPECT_TRUE(subtract(area(1, 1, 2, 2), area(0, 0, 4, 4)).empty());
}

}  // namespace
}  // namespace tabrel::ops
