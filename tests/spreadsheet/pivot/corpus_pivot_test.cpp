// Pivot tables saved by another spreadsheet program: their views and caches read, and the
// layout computed from the cache against the cells the program stored (English captions there,
// the Korean defaults here).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "corpus/corpus_required.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/pivot/pivot_cache.h"
#include "spreadsheet/pivot/pivot_layout.h"
#include "spreadsheet/pivot/pivot_new_view.h"
#include "spreadsheet/pivot/pivot_view.h"
#include "spreadsheet/xls/reader.h"

namespace tabrel::pivot {
namespace {

const std::filesystem::path kFile =
    std::filesystem::path(TABREL_SHARED_DIR) / "corpus" / "excel" / "sheetjs-pivot_table_test.xls";

class CorpusPivotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TABREL_REQUIRE_CORPUS(std::filesystem::exists(kFile), kFile);
    wb = xls::read_workbook_file(kFile);
  }
  PivotView view_on(const char16_t* sheet) {
    const model::Sheet* s = wb->sheet(sheet);
    const auto records = view_records(*s);
    EXPECT_EQ(records.size(), 1u);
    return read_view(*s, records.front());
  }
  std::unique_ptr<model::Workbook> wb;
};

// The stored text or number of a cell, with the English default captions in Korean.
std::u16string stored(const model::Sheet& sheet, model::CellRef at) {
  static const std::map<std::u16string, std::u16string> kKorean = {
      {u"Row Labels", u"행 레이블"}, {u"Column Labels", u"열 레이블"}, {u"Grand Total", u"총합계"}, {u"Total", u"요약"}};
  const model::Cell* cell = sheet.cells.find(at);
  if (!cell || cell->value.is_blank()) return {};
  if (cell->value.is_number()) return u16(std::to_string(static_cast<long long>(cell->value.as_number())));
  const auto it = kKorean.find(cell->value.as_text());
  return it == kKorean.end() ? cell->value.as_text() : it->second;
}

std::u16string laid(const CacheValue& v) {
  return v.kind == CacheValue::Kind::Number ? u16(std::to_string(static_cast<long long>(v.number))) : v.text;
}

TEST_F(CorpusPivotTest, CacheFieldsAndRecords) {
  const PivotCache cache = read_cache(*wb, 0);
  ASSERT_EQ(cache.fields.size(), 3u);
  EXPECT_EQ(cache.fields[0].name, u"Sport");
  EXPECT_EQ(cache.fields[1].items.size(), 4u);
  ASSERT_EQ(cache.records(), 8u);
  EXPECT_EQ(cache.value(0, 0).text, u"Golf");
  EXPECT_EQ(cache.value(0, 2).number, 1500);
}

TEST_F(CorpusPivotTest, ViewsByAxis) {
  const PivotView compact = view_on(u"PTCompact");
  EXPECT_EQ(compact.name, u"PivotTable1");
  EXPECT_EQ(compact.row_fields, std::vector<int16_t>{0});
  EXPECT_EQ(compact.column_fields, std::vector<int16_t>{1});
  ASSERT_EQ(compact.data_fields.size(), 1u);
  EXPECT_EQ(compact.data_fields[0].caption, u"Sum of Sales");
  EXPECT_TRUE(compact.compact());
  EXPECT_TRUE(compact.grand_total_row());
  EXPECT_FALSE(compact.grand_total_column());
  EXPECT_FALSE(view_on(u"PTTabular").compact());
}

TEST_F(CorpusPivotTest, LayoutShowsWhatTheProgramStored) {
  // PTOutline: two row fields in the outline form, each outer item's subtotal on its own line.
  for (const char16_t* name : {u"PTCompact", u"PTTabular", u"PTOutline"}) {
    const model::Sheet& sheet = *wb->sheet(name);
    const PivotView view = view_on(name);
    const PivotLayout layout = lay_out(view, read_cache(*wb, view.cache), {});
    EXPECT_EQ(layout.area, view.area) << to_utf8(name);
    std::map<std::pair<int, int>, std::u16string> cells;
    for (const LayoutCell& c : layout.cells) cells[{c.at.row, c.at.col}] = laid(c.value);
    for (int r = view.area.first.row; r <= view.area.last.row; ++r)
      for (int c = view.area.first.col; c <= view.area.last.col; ++c) {
        const auto it = cells.find({r, c});
        EXPECT_EQ(it == cells.end() ? u"" : it->second, stored(sheet, {r, c}))
            << to_utf8(name) << " " << to_utf8(model::a1_address({r, c}));
      }
  }
}

TEST_F(CorpusPivotTest, CompactFormPutsEveryRowFieldInOneColumn) {
  // The outline table in the compact form: the same lines, both fields' items in the first column.
  PivotView view = view_on(u"PTOutline");
  for (ViewField& f : view.fields) f.extra_flags |= 0x00400000;
  const int left = view.area.first.col;
  view.first_data_col = left + 1;
  const PivotLayout layout = lay_out(view, read_cache(*wb, view.cache), {});
  std::map<std::pair<int, int>, std::u16string> cells;
  for (const LayoutCell& c : layout.cells) cells[{c.at.row, c.at.col}] = laid(c.value);
  std::vector<std::u16string> lines;
  for (int r = layout.area.first.row; r <= layout.area.last.row; ++r) lines.push_back(cells[{r, left}] + u"|" + cells[{r, left + 1}]);
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"Sum of Sales|", u"행 레이블|요약", u"Golf|16899", u"Qtr3|1500", u"Qtr4|2000",
                                                 u"Qtr1|6969", u"Qtr2|6430", u"Tennis|11170", u"Qtr3|600", u"Qtr4|1500",
                                                 u"Qtr1|4070", u"Qtr2|5000", u"총합계|28069"}));
  EXPECT_EQ(layout.area.last.col, left + 1);
}

std::vector<std::vector<uint8_t>> line_records(const model::Sheet& sheet) {
  std::vector<std::vector<uint8_t>> out;
  for (const model::RawRecord& r : sheet.other_records)
    if (r.id == 0x00B5) out.push_back(r.payload);
  return out;
}

TEST_F(CorpusPivotTest, LineRecordsAreThoseTheProgramStored) {
  // The row and column lines of the laid-out table, written as line records, byte for byte.
  for (const char16_t* name : {u"PTCompact", u"PTTabular", u"PTOutline"}) {
    const PivotView view = view_on(name);
    model::Sheet scratch;
    add_view_records(scratch, view, lay_out(view, read_cache(*wb, view.cache), {}));
    EXPECT_EQ(line_records(scratch), line_records(*wb->sheet(name))) << to_utf8(name);
  }
}

}  // namespace
}  // namespace tabrel::pivot
