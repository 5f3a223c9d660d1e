// New pivot tables made from a range: the cells the classic layout shows, the records and the
// cache written so that the table reads back and lays out again the same, and the arrangements
// that are refused.
#include <gtest/gtest.h>

#include "fixture.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/pivot/pivot_cache.h"
#include "spreadsheet/pivot/pivot_source.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

using testing::error_number;

// Sales on sheet Data, A1:D7; one record has no amount and one no region.
testing::Opened sales_book() {
  auto opened = testing::open_in_new_instance(testing::sample_workbook());
  testing::put_sales_rows(*opened.app);
  return opened;
}

const model::RangeRef kSource{{0, 0}, {6, 3}};

std::shared_ptr<PivotTable> make(testing::Opened& o, const PivotTableChoice& choice, const char16_t* at = u"B19") {
  auto form = o.app->Worksheets(Variant(u"Form"));
  auto data = o.app->Worksheets(Variant(u"Data"));
  const model::CellRef cell = form->Range(Variant(at))->area().first;
  return add_pivot_table(form->handle(), cell, data->handle(), kSource, choice);
}


PivotTableChoice by_region_with_product_page() {
  PivotTableChoice choice;
  choice.name = u"피벗 테이블1";
  choice.pages = {u"제품"};
  choice.rows = {u"지역"};
  choice.data = {{u"금액", -4157, u"", u"#,##0"}};
  return choice;
}

TEST(PivotCreateTest, ClassicLayoutWithPageField) {
  auto o = sales_book();
  const auto table = make(o, by_region_with_product_page());
  const auto form = o.app->Worksheets(Variant(u"Form"));
  // Items in ascending order, the empty item last, the values in the data field's format.
  EXPECT_EQ(testing::shown_grid(form, u"B17:C26"),
            (std::vector<std::u16string>{u"제품|(모두)", u"|", u"합계 : 금액|", u"지역|요약", u"대구|30", u"부산|50",
                                          u"서울|300", u"(비어 있음)|5", u"총합계|385", u"|"}));
  EXPECT_EQ(table->TableRange1()->Address(), u"$B$19:$C$25");
  EXPECT_EQ(table->Name(), u"피벗 테이블1");

  // One page item lays the table out from the cache; "(모두)" brings every record back.
  form->Range(Variant(u"C17"))->SetValue(Variant(u"배"));
  EXPECT_EQ(testing::shown_grid(form, u"B19:C24"),
            (std::vector<std::u16string>{u"합계 : 금액|", u"지역|요약", u"부산|", u"서울|200", u"(비어 있음)|5", u"총합계|205"}));
  form->Range(Variant(u"C17"))->SetValue(Variant(u"(모두)"));
  EXPECT_EQ(form->Range(Variant(u"C25"))->Text().to_string(), u"385");
}

TEST(PivotCreateTest, ColumnFieldRowFieldsAndSeveralDataFields) {
  struct Case {
    PivotTableChoice choice;
    const char16_t* range;
    std::vector<std::u16string> cells;
  };
  PivotTableChoice by_product;
  by_product.rows = {u"지역"};
  by_product.columns = {u"제품"};
  by_product.data = {{u"금액", -4112, u"", u""}};
  PivotTableChoice two_data;
  two_data.rows = {u"제품"};
  two_data.data = {{u"금액", -4157, u"", u""}, {u"금액", -4106, u"평균 금액", u"0.0"}};
  PivotTableChoice two_rows;
  two_rows.rows = {u"지역", u"제품"};
  two_rows.data = {{u"금액", -4157, u"", u""}};
  const std::vector<Case> cases = {
      // A count leaves groups without values blank.
      {by_product, u"B19:E26",
       {u"개수 : 금액|제품||", u"지역|배|사과|총합계", u"대구||1|1", u"부산||1|1", u"서울|1|1|2", u"(비어 있음)|1||1",
        u"총합계|2|3|5", u"|||"}},
      // Two row fields: the outer item once per group, its subtotal line below the group.
      {two_rows, u"B19:D32",
       {u"합계 : 금액||", u"지역|제품|요약", u"대구|사과|30", u"대구 요약||30", u"부산|배|", u"|사과|50", u"부산 요약||50",
        u"서울|배|200", u"|사과|100", u"서울 요약||300", u"(비어 있음)|배|5", u"(비어 있음) 요약||5", u"총합계||385", u"||"}},
      {two_data, u"B19:D23", {u"|데이터|", u"제품|합계 : 금액|평균 금액", u"배|205|102.5", u"사과|180|60.0", u"총합계|385|77.0"}},
  };
  for (const Case& c : cases) {
    auto o = sales_book();
    make(o, c.choice);
    EXPECT_EQ(testing::shown_grid(o.app->Worksheets(Variant(u"Form")), c.range), c.cells) << to_utf8(c.range);
  }
}

TEST(PivotCreateTest, WrittenTableReadsBackAndLaysOutTheSame) {
  auto o = sales_book();
  make(o, by_region_with_product_page());
  const model::Workbook& before = o.book->model();
  auto again = testing::open_in_new_instance(xls::read_workbook(xls::write_workbook(before)));

  // The cache read from the file is the one made from the range.
  const auto& data = *before.sheets[0];
  EXPECT_EQ(pivot::read_cache(again.book->model(), 0).cells, pivot::cache_from_range(data, kSource).cells);
  EXPECT_EQ(pivot::read_cache(again.book->model(), 0).fields[0].items, pivot::cache_from_range(data, kSource).fields[0].items);

  auto form = again.app->Worksheets(Variant(u"Form"));
  const auto field = form->PivotTables(Variant::integer(1))->PageRangeCells()->PivotField();
  EXPECT_EQ(field->Name(), u"제품");
  EXPECT_EQ(field->CurrentPage().to_string(), u"(모두)");
  const auto stored = testing::shown_grid(form, u"B17:C25");
  form->Range(Variant(u"C17"))->SetValue(Variant(u"(모두)"));
  EXPECT_EQ(testing::shown_grid(form, u"B17:C25"), stored);
}

TEST(PivotCreateTest, RefusedArrangements) {
  struct Case {
    const char* why;
    std::function<void(PivotTableChoice&)> change;
    const char16_t* at;
  };
  PivotTableChoice two_rows;
  two_rows.rows = {u"지역", u"제품"};
  two_rows.data = {{u"금액", -4157, u"", u""}};
  const std::vector<Case> cases = {
      {"a field the source lacks", [](PivotTableChoice& c) { c.rows = {u"부서"}; }, u"B19"},
      {"a field on two areas", [](PivotTableChoice& c) { c.pages = {u"지역"}; }, u"B19"},
      {"no data field", [](PivotTableChoice& c) { c.data.clear(); }, u"B19"},
      {"no row above for the page field", [](PivotTableChoice&) {}, u"B2"},
      {"an unknown function", [](PivotTableChoice& c) { c.data[0].function = 7; }, u"B19"},
  };
  for (const Case& c : cases) {
    auto o = sales_book();
    auto choice = by_region_with_product_page();
    c.change(choice);
    EXPECT_NE(error_number([&] { make(o, choice, c.at); }), 0) << c.why;
    EXPECT_EQ(o.app->Worksheets(Variant(u"Form"))->PivotTables()->Count(), 0) << c.why;
  }
  // A source of field names alone has no record to show.
  auto o = sales_book();
  auto form = o.app->Worksheets(Variant(u"Form"));
  auto data = o.app->Worksheets(Variant(u"Data"));
  EXPECT_EQ(error_number([&] {
              add_pivot_table(form->handle(), {18, 1}, data->handle(), {{0, 0}, {0, 3}}, by_region_with_product_page());
            }),
            1004);
}

}  // namespace
}  // namespace tabrel::xl
