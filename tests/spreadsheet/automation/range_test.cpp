#include <gtest/gtest.h>

#include "fixture.h"
#include "same_variant.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

TEST(RangeAddressTest, ParsesAndWritesAddresses) {
  struct Case { const char16_t* text; const char16_t* address; };
  const Case cases[] = {
      {u"A3", u"$A$3"},          {u"$b$3:F10", u"$B$3:$F$10"}, {u"F10:B3", u"$B$3:$F$10"},
      {u"A:A", u"$A:$A"},        {u"C:A", u"$A:$C"},           {u"1:1", u"$1:$1"},
      {u"IV65536", u"$IV$65536"}, {u"A1:IV65536", u"$A$1:$IV$65536"},
  };
  for (const auto& c : cases) {
    const auto area = parse_range_address(c.text);
    ASSERT_TRUE(area) << to_utf8(c.text);
    EXPECT_EQ(range_address(*area), c.address) << to_utf8(c.text);
  }
  for (const char16_t* bad : {u"", u"A", u"3", u"A0", u"IW1", u"A65537", u"A1:", u"A1:B", u"목표량", u"A1B2"})
    EXPECT_FALSE(parse_range_address(bad)) << to_utf8(bad);
  EXPECT_EQ(range_address(*parse_range_address(u"B3:C4"), false, false), u"B3:C4");
}

TEST(RangeTest, ValuesOfEveryKind) {
  auto wb = sample_workbook();
  auto& cells = wb->sheets[0]->cells;
  cells.put({0, 0}, model::Cell{model::CellValue::number(12.5), 15, nullptr});
  cells.put({0, 1}, model::Cell{model::CellValue::text(u"총 합계"), 15, nullptr});
  cells.put({0, 2}, model::Cell{model::CellValue::boolean(true), 15, nullptr});
  cells.put({0, 3}, model::Cell{model::CellValue::error(CellError::Div0), 15, nullptr});
  const uint16_t date = testing::add_xf(*wb, [](model::Xf& x) { x.format = 14; });
  cells.put({1, 0}, model::Cell{model::CellValue::number(45000), date, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A2"))->Value(), Variant::date(45000)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A2"))->Value2(), Variant(45000.0)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A1"))->Value(), Variant(12.5)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"B1"))->Value(), Variant(u"총 합계")));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"C1"))->Value(), Variant(true)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"D1"))->Value(), Variant::error(2007)));
  EXPECT_TRUE(o.app->Range(Variant(u"E1"))->Value().is_empty());
  const Variant block = o.app->Range(Variant(u"A1:B2"))->Value();
  ASSERT_TRUE(block.is_array());
  EXPECT_EQ(block.arr().lower, (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(block.arr().extent, (std::vector<int32_t>{2, 2}));
  EXPECT_TRUE(same_variant(block.arr().items[1], Variant(u"총 합계")));
  EXPECT_TRUE(block.arr().items[3].is_empty());
}

TEST(RangeTest, WritingAndClearingValues) {
  auto o = open_in_new_instance(sample_workbook());
  auto b2 = o.app->Range(Variant(u"B2"));
  b2->SetValue(Variant(u"1,234.5"));
  EXPECT_TRUE(same_variant(b2->Value(), Variant(1234.5)));
  b2->SetValue(Variant(u"합계"));
  EXPECT_TRUE(same_variant(b2->Value(), Variant(u"합계")));
  b2->Interior()->SetColorIndex(Variant(3));
  b2->ClearContents();
  EXPECT_TRUE(b2->Value().is_empty());
  EXPECT_TRUE(same_variant(b2->Interior()->ColorIndex(), Variant(3)));
  b2->ClearFormats();
  EXPECT_TRUE(same_variant(b2->Interior()->ColorIndex(), Variant(-4142)));
}

TEST(RangeTest, ShapeAndNavigation) {
  auto o = open_in_new_instance(sample_workbook());
  auto r = o.app->Range(Variant(u"B3:F10"));
  EXPECT_EQ(r->Row(), 3);
  EXPECT_EQ(r->Column(), 2);
  EXPECT_EQ(r->Count(), 40);
  EXPECT_EQ(r->Cells(Variant(2), Variant(3))->Address(), u"$D$4");
  EXPECT_EQ(r->Cells(Variant(6))->Address(), u"$B$4");
  EXPECT_EQ(r->Offset(1, -1)->Address(), u"$A$4:$E$11");
  EXPECT_EQ(r->EntireColumn()->Address(), u"$B:$F");
  EXPECT_EQ(r->EntireRow()->Address(), u"$3:$10");
  EXPECT_EQ(o.app->ActiveSheet()->Cells(Variant(3), Variant(u"C"))->Address(), u"$C$3");
  EXPECT_EQ(o.app->ActiveSheet()->Range(Variant(u"A1"), Variant(u"C2"))->Address(), u"$A$1:$C$2");
  EXPECT_EQ(error_number([&] { r->Offset(-3, 0); }), 1004);
  EXPECT_EQ(error_number([&] { o.app->Range(Variant(u"목표량")); }), 1004);
  EXPECT_EQ(error_number([&] { o.app->ActiveSheet()->Cells(Variant(0), Variant(1)); }), 1004);
  // A whole sheet is not handed out as one array of values, nor written cell by cell.
  EXPECT_EQ(error_number([&] { o.app->ActiveSheet()->Cells()->Value(); }), 7);
  EXPECT_EQ(error_number([&] { o.app->ActiveSheet()->Cells()->SetValue(Variant(1.0)); }), 7);
  EXPECT_TRUE(o.app->Range(Variant(u"A:A"))->Value().is_array());
}

}  // namespace
}  // namespace tabrel::xl
