#include <gtest/gtest.h>

#include "spreadsheet/model/workbook.h"

namespace tabrel::model {
namespace {

TEST(CellRef, ColumnsAndAddresses) {
  struct Case { int col; const char16_t* letters; } cases[] = {{0, u"A"}, {25, u"Z"}, {26, u"AA"}, {255, u"IV"}};
  for (const auto& c : cases) {
    EXPECT_EQ(column_letters(c.col), c.letters);
    EXPECT_EQ(column_from_letters(c.letters), c.col);
  }
  EXPECT_FALSE(column_from_letters(u"IW"));
  EXPECT_FALSE(column_from_letters(u"A1"));
  EXPECT_EQ(parse_a1(u"$B$3"), (CellRef{2, 1}));
  EXPECT_EQ(a1_address({9, 5}), u"F10");
  for (const char16_t* bad : {u"", u"B", u"3", u"B0", u"B65537", u"B3x", u"$$B3"}) EXPECT_FALSE(parse_a1(bad));
}

TEST(CellStore, RowMajorOrderAndUsedRange) {
  CellStore cells;
  cells.at({5, 1}).value = CellValue::number(1);
  cells.at({2, 7}).value = CellValue::text(u"x");
  cells.at({2, 0});
  std::vector<CellRef> order;
  for (const auto& [k, cell] : cells) order.push_back(CellStore::position(k));
  EXPECT_EQ(order, (std::vector<CellRef>{{2, 0}, {2, 7}, {5, 1}}));
  EXPECT_EQ(cells.used_range(), (RangeRef{{2, 0}, {5, 7}}));
  EXPECT_EQ(cells.find({2, 7})->value.as_text(), u"x");
  cells.erase({2, 7});
  EXPECT_EQ(cells.find({2, 7}), nullptr);
}

TEST(Sheet, ColumnEditsSplitRanges) {
  Sheet s;
  s.columns.push_back({2, 6, 3000});
  s.column_info_for_edit(4).width = 5000;
  ASSERT_EQ(s.columns.size(), 3u);
  EXPECT_EQ(s.column_width(3), 3000);
  EXPECT_EQ(s.column_width(4), 5000);
  EXPECT_EQ(s.column_width(5), 3000);
  s.column_info_for_edit(2).hidden = true;
  EXPECT_TRUE(s.column_info(2)->hidden);
  EXPECT_FALSE(s.column_info(3)->hidden);
  s.column_info_for_edit(0).width = 100;
  EXPECT_EQ(s.columns.front().first, 0);
  EXPECT_EQ(s.column_width(1), 8 * 256);
}

TEST(Styles, FontIndexSkipsFourAndInterning) {
  Styles st;
  for (int i = 0; i < 6; ++i) st.fonts.push_back(Font{});
  st.fonts[4].name = u"굴림";
  EXPECT_EQ(st.font(4), nullptr);
  EXPECT_EQ(st.font(5)->name, u"굴림");
  Font bold;
  bold.weight = 700;
  uint16_t idx = st.intern_font(bold);
  EXPECT_EQ(idx, 7);
  EXPECT_EQ(st.intern_font(bold), 7);
  EXPECT_EQ(st.intern_format(u"0.00_ "), 164);
  EXPECT_EQ(st.intern_format(u"0.00_ "), 164);
  EXPECT_EQ(*st.custom_format(164), u"0.00_ ");
  EXPECT_EQ(default_palette()[2], (Rgb{255, 0, 0}));
}

TEST(Workbook, SheetsByNameIgnoreCase) {
  Workbook wb;
  wb.sheets.push_back(std::make_unique<Sheet>());
  wb.sheets.back()->name = u"Sheet1";
  wb.sheets.push_back(std::make_unique<Sheet>());
  wb.sheets.back()->name = u"기본작업";
  EXPECT_EQ(wb.sheet(u"SHEET1"), wb.sheets[0].get());
  EXPECT_EQ(wb.sheet_index(wb.sheet(u"기본작업")), 1);
  EXPECT_EQ(wb.sheet(u"없음"), nullptr);
}

}  // namespace
}  // namespace tabrel::model
