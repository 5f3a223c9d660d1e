// Pivot tables laid out again from their cache when a page item is selected, as the Korean
// spreadsheet shows them.
#include "spreadsheet/automation/pivot_tables.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"
#include "support/pivot_fixture.h"

namespace tabrel::xl {
namespace {

using tabrel::testing::CacheCell;
using tabrel::testing::PivotSpec;
using testing::error_number;

constexpr int kRegion = 0, kProduct = 1, kAmount = 2, kStaff = 3;
constexpr uint16_t kSum = 0, kCount = 1, kAverage = 2;

// Sales by region and product; one record has no amount and one no region.
PivotSpec sales(int row, int column, int page, std::vector<tabrel::testing::DataSpec> data) {
  PivotSpec spec;
  spec.fields = {u"지역", u"제품", u"금액", u"담당"};
  spec.records = {{u"서울", u"사과", 100.0, u"김"}, {u"서울", u"배", 200.0, u"이"},
                  {u"부산", u"사과", 50.0, u"김"},  {u"부산", u"배", CacheCell{}, u"이"},
                  {u"대구", u"사과", 30.0, u"이"},  {CacheCell{}, u"배", 5.0, u"김"}};
  spec.row_field = row;
  spec.column_field = column;
  spec.page_field = page;
  spec.data = std::move(data);
  return spec;
}

struct Table {
  testing::Opened opened;
  std::shared_ptr<Worksheet> sheet;
  std::u16string text(const char16_t* cell) { return sheet->Range(Variant(cell))->Text().to_string(); }
  void select(const std::u16string& item) {
    sheet->PivotTables(Variant::integer(1))->PageRangeCells()->PivotField()->DataRange()->SetValue(Variant(item));
  }
};

Table open_table(const PivotSpec& spec, const std::function<void(model::Workbook&)>& change = {}) {
  auto wb = testing::sample_workbook();
  tabrel::testing::add_pivot(*wb, 0, spec);
  if (change) change(*wb);
  Table t{testing::open_in_new_instance(std::move(wb)), nullptr};
  t.sheet = t.opened.app->Worksheets(Variant(u"Data"));
  return t;
}

// "text of col1|text of col2" for each row from `first` to `last`.
std::vector<std::u16string> rows_of(Table& t, int first, int last, const char* col1 = "A", const char* col2 = "B") {
  std::vector<std::u16string> out;
  for (int r = first; r <= last; ++r) {
    const std::string n = std::to_string(r);
    out.push_back(t.text(u16(col1 + n).c_str()) + u"|" + t.text(u16(col2 + n).c_str()));
  }
  return out;
}

TEST(PivotPageTest, AllItemsThenOneItemRelaysTheTable) {
  auto t = open_table(sales(kRegion, -1, kProduct, {{kAmount, kSum, 0, std::nullopt}}));
  t.select(u"(모두)");
  EXPECT_EQ(rows_of(t, 2, 9), (std::vector<std::u16string>{u"제품|(모두)", u"|", u"행 레이블|합계 : 금액", u"서울|300",
                                                             u"부산|50", u"대구|30", u"(비어 있음)|5", u"총합계|385"}));
  // One item: regions without a record of it go, a group of blank amounts shows blank.
  t.select(u"배");
  EXPECT_EQ(rows_of(t, 2, 9), (std::vector<std::u16string>{u"제품|배", u"|", u"행 레이블|합계 : 금액", u"서울|200",
                                                             u"부산|", u"(비어 있음)|5", u"총합계|205", u"|"}));
  EXPECT_EQ(t.sheet->PivotTables(Variant::integer(1))->TableRange1()->Address(), u"$A$4:$B$8");
}

TEST(PivotPageTest, FunctionsAndNumberFormats) {
  struct Case { uint16_t function; uint16_t format; const char16_t* caption; const char16_t* seoul; const char16_t* total; };
  const Case cases[] = {{kSum, 3, u"합계 : 금액", u"300", u"385"},
                        {kCount, 0, u"개수 : 금액", u"2", u"5"},
                        {kAverage, 4, u"평균 : 금액", u"150.00", u"77.00"}};
  for (const Case& c : cases) {
    auto t = open_table(sales(kRegion, -1, kProduct, {{kAmount, c.function, c.format, std::nullopt}}));
    t.select(u"(모두)");
    EXPECT_EQ(t.text(u"B4"), c.caption);
    EXPECT_EQ(t.text(u"B5"), c.seoul) << c.function;
    EXPECT_EQ(t.text(u"B9"), c.total) << c.function;
  }
}

TEST(PivotPageTest, ColumnFieldWithGrandTotals) {
  auto t = open_table(sales(kRegion, kProduct, kStaff, {{kAmount, kSum, 0, u"Sum of 금액"}}));
  t.select(u"(모두)");
  // The caption the file stores wins; the others are the Korean defaults.
  EXPECT_EQ(rows_of(t, 4, 5), (std::vector<std::u16string>{u"Sum of 금액|열 레이블", u"행 레이블|사과"}));
  EXPECT_EQ(rows_of(t, 5, 10, "C", "D"), (std::vector<std::u16string>{u"배|총합계", u"200|300", u"|50", u"|30", u"5|5",
                                                                       u"205|385"}));
  EXPECT_EQ(rows_of(t, 6, 10), (std::vector<std::u16string>{u"서울|100", u"부산|50", u"대구|30", u"(비어 있음)|",
                                                             u"총합계|180"}));
  t.select(u"김");
  EXPECT_EQ(rows_of(t, 5, 9, "C", "D"), (std::vector<std::u16string>{u"배|총합계", u"|100", u"|50", u"5|5", u"5|155"}));
}

TEST(PivotPageTest, HiddenItemsStayOutOfTheTotals) {
  auto spec = sales(kRegion, -1, kProduct, {{kAmount, kSum, 0, std::nullopt}});
  spec.hidden_row_items = {1};  // 부산
  auto t = open_table(spec);
  t.select(u"(모두)");
  EXPECT_EQ(rows_of(t, 5, 8), (std::vector<std::u16string>{u"서울|300", u"대구|30", u"(비어 있음)|5", u"총합계|335"}));
}

TEST(PivotPageTest, UnsharedValuesAreReadPerRecord) {
  auto spec = sales(kRegion, -1, kProduct, {{kAmount, kSum, 0, std::nullopt}});
  spec.unshared = {kAmount};
  auto t = open_table(spec);
  t.select(u"사과");
  EXPECT_EQ(rows_of(t, 5, 8), (std::vector<std::u16string>{u"서울|100", u"부산|50", u"대구|30", u"총합계|180"}));
}

TEST(PivotPageTest, FailuresLeaveTheStoredCells) {
  const auto spec = sales(kRegion, -1, kProduct, {{kAmount, kSum, 0, std::nullopt}});
  auto stored = [](model::Workbook& wb) { wb.sheets[0]->cells.at({4, 1}).value = model::CellValue::number(999); };
  {
    auto t = open_table(spec, stored);
    EXPECT_EQ(error_number([&] { t.select(u"포도"); }), 1004);  // no such item
    EXPECT_EQ(t.text(u"B5"), u"999");
  }
  {
    // A record that names an item its field lacks: the cache is refused.
    auto damage = [&](model::Workbook& wb) {
      stored(wb);
      auto bytes = tabrel::testing::cache_stream(spec);
      // The first SXDBB record: its first byte is the region's item index.
      for (size_t i = 0; i + 4 < bytes.size();) {
        const uint16_t id = bytes[i] | bytes[i + 1] << 8, len = bytes[i + 2] | bytes[i + 3] << 8;
        if (id == 0x00C8) {
          bytes[i + 4] = 40;
          break;
        }
        i += 4 + len;
      }
      for (auto& s : wb.extra_streams)
        if (s.path == u"_SX_DB_CUR/0001") s = model::ExtraStream::stream(s.path, bytes);
    };
    auto t = open_table(spec, damage);
    EXPECT_EQ(error_number([&] { t.select(u"(모두)"); }), 1004);
    // A macro cannot rearrange the table either.
    EXPECT_EQ(error_number([&] {
                t.sheet->PivotTables(Variant::integer(1))->PivotFields(Variant(u"제품"))->SetOrientation(Variant(1));
              }),
              1004);
    EXPECT_EQ(t.text(u"B5"), u"999");
  }
  {
    // No page field: PageRangeCells fails; no pivot table at all: PivotTables(1) fails.
    auto no_page = spec;
    no_page.page_field = -1;
    auto t = open_table(no_page);
    EXPECT_EQ(error_number([&] { t.sheet->PivotTables(Variant::integer(1))->PageRangeCells(); }), 1004);
    EXPECT_EQ(error_number([&] { t.opened.app->Worksheets(Variant(u"Form"))->PivotTables(Variant::integer(1)); }), 1004);
  }
}

TEST(PivotPageTest, SelectionAndCacheSurviveWritingAndReading) {
  auto t = open_table(sales(kRegion, -1, kProduct, {{kAmount, kSum, 0, std::nullopt}}));
  t.select(u"배");
  const model::Workbook& model = t.opened.book->model();
  auto reopened = testing::open_in_new_instance(xls::read_workbook(xls::write_workbook(model)));
  const auto field = reopened.app->Worksheets(Variant(u"Data"))->PivotTables(Variant::integer(1))->PageRangeCells()->PivotField();
  EXPECT_EQ(field->CurrentPage().to_string(), u"배");
  EXPECT_EQ(field->Name(), u"제품");
  EXPECT_EQ(field->Orientation(), 3);
  EXPECT_EQ(reopened.app->Worksheets(Variant(u"Data"))->Range(Variant(u"B7"))->Text().to_string(), u"5");
}

}  // namespace
}  // namespace tabrel::xl
