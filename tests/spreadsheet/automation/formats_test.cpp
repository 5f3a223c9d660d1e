#include <gtest/gtest.h>

#include "fixture.h"
#include "same_variant.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

using testing::add_font;
using testing::add_xf;
using testing::data;
using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

void put_text(model::Workbook& wb, model::CellRef at, model::RichText text, uint16_t xf = 15) {
  model::Cell cell;
  cell.value = model::CellValue::rich(std::move(text));
  cell.xf = xf;
  data(wb).cells.put(at, cell);
}

Variant cell_value(Application& app, const char16_t* address, Variant (Font::*property)() const) {
  return (*app.Range(Variant(address))->Font().*property)();
}

TEST(FontTest, PropertiesOfTheCellFont) {
  auto wb = sample_workbook();
  const uint16_t font = add_font(*wb, [](model::Font& f) {
    f.name = u"굴림";
    f.height = 230;
    f.weight = 700;
    f.italic = true;
    f.underline = 0x22;
    f.color = 10;  // red, palette index 10
  });
  const uint16_t xf = add_xf(*wb, [&](model::Xf& x) { x.font = font; });
  data(*wb).cells.put({0, 0}, model::Cell{model::CellValue::number(1), xf, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  auto f = o.app->Range(Variant(u"A1"))->Font();
  EXPECT_TRUE(same_variant(f->Name(), Variant(u"굴림")));
  EXPECT_TRUE(same_variant(f->Size(), Variant(11.5)));
  EXPECT_TRUE(same_variant(f->Bold(), Variant(true)));
  EXPECT_TRUE(same_variant(f->Italic(), Variant(true)));
  EXPECT_TRUE(same_variant(f->Underline(), Variant(5)));
  EXPECT_TRUE(same_variant(f->ColorIndex(), Variant(3)));
  EXPECT_TRUE(same_variant(f->Color(), Variant(255)));
  auto blank = o.app->Range(Variant(u"B2"))->Font();  // default font: automatic colour, no underline
  EXPECT_TRUE(same_variant(blank->ColorIndex(), Variant(-4105)));
  EXPECT_TRUE(same_variant(blank->Underline(), Variant(-4142)));
  EXPECT_TRUE(same_variant(blank->Bold(), Variant(false)));
}

TEST(FontTest, MixedRunsAndMixedCellsReadNull) {
  auto wb = sample_workbook();
  const uint16_t bold = add_font(*wb, [](model::Font& f) { f.weight = 700; });
  // "AB" with only "B" bold; "CD" whose run starts at 0 covers the whole text; a run past the end.
  put_text(*wb, {0, 0}, model::RichText{u"AB", {{1, bold}}, nullptr});
  put_text(*wb, {0, 1}, model::RichText{u"CD", {{0, bold}}, nullptr});
  put_text(*wb, {0, 2}, model::RichText{u"EF", {{2, bold}}, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  EXPECT_TRUE(cell_value(*o.app, u"A1", &Font::Bold).is_null());
  EXPECT_TRUE(same_variant(cell_value(*o.app, u"A1", &Font::Name), Variant(u"Arial")));
  EXPECT_TRUE(same_variant(cell_value(*o.app, u"B1", &Font::Bold), Variant(true)));
  EXPECT_TRUE(same_variant(cell_value(*o.app, u"C1", &Font::Bold), Variant(false)));
  EXPECT_TRUE(cell_value(*o.app, u"B1:C1", &Font::Bold).is_null());
  EXPECT_TRUE(same_variant(cell_value(*o.app, u"C1:D1", &Font::Bold), Variant(false)));
}

TEST(FontTest, SettingAFontPropertyFormatsTheWholeCell) {
  auto wb = sample_workbook();
  const uint16_t bold = add_font(*wb, [](model::Font& f) { f.weight = 700; });
  put_text(*wb, {0, 0}, model::RichText{u"AB", {{1, bold}}, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  auto f = o.app->Range(Variant(u"A1:B2"))->Font();
  f->SetBold(Variant(true));
  f->SetColorIndex(Variant(5));
  EXPECT_TRUE(same_variant(f->Bold(), Variant(true)));
  EXPECT_TRUE(same_variant(f->ColorIndex(), Variant(5)));
  EXPECT_EQ(error_number([&] { f->SetSize(Variant(0)); }), 1004);
  EXPECT_EQ(error_number([&] { f->SetUnderline(Variant(3)); }), 1004);
}

TEST(InteriorTest, NoFillDiffersFromWhite) {
  auto wb = sample_workbook();
  const uint16_t white = add_xf(*wb, [](model::Xf& x) { x.pattern = 1; x.pattern_color = 9; });
  const uint16_t yellow = add_xf(*wb, [](model::Xf& x) { x.pattern = 1; x.pattern_color = 13; });
  data(*wb).cells.put({0, 0}, model::Cell{{}, white, nullptr});
  data(*wb).cells.put({0, 1}, model::Cell{{}, yellow, nullptr});
  auto o = open_in_new_instance(std::move(wb));
  struct Case { const char16_t* address; Variant index; };
  const Case cases[] = {{u"A1", Variant(2)}, {u"B1", Variant(6)}, {u"C1", Variant(-4142)}, {u"A1:B1", Variant::null()}};
  for (const auto& c : cases)
    EXPECT_TRUE(same_variant(o.app->Range(Variant(c.address))->Interior()->ColorIndex(), c.index)) << to_utf8(c.address);
  auto c1 = o.app->Range(Variant(u"C1"))->Interior();
  c1->SetColorIndex(Variant(6));
  EXPECT_TRUE(same_variant(c1->ColorIndex(), Variant(6)));
  c1->SetColorIndex(Variant(-4142));
  EXPECT_TRUE(same_variant(c1->ColorIndex(), Variant(-4142)));
}

TEST(InteriorTest, PatternsKeepTheCellColourApartFromTheLines) {
  auto o = open_in_new_instance(sample_workbook());
  auto fill = o.app->Range(Variant(u"B2"))->Interior();
  fill->SetColorIndex(Variant(6));  // as a recorded macro: colour, then pattern
  fill->SetPattern(Variant(1));
  EXPECT_TRUE(same_variant(fill->Pattern(), Variant(1)));
  EXPECT_TRUE(same_variant(fill->ColorIndex(), Variant(6)));
  fill->SetPattern(Variant(-4125));  // 50% gray
  fill->SetPatternColorIndex(Variant(3));
  EXPECT_TRUE(same_variant(fill->ColorIndex(), Variant(6)));
  EXPECT_TRUE(same_variant(fill->PatternColorIndex(), Variant(3)));
  fill->SetPattern(Variant(-4142));
  EXPECT_TRUE(same_variant(fill->ColorIndex(), Variant(-4142)));
  EXPECT_EQ(error_number([&] { fill->SetPattern(Variant(99)); }), 1004);
}

TEST(FontTest, RecordedFontDialogMembers) {
  auto o = open_in_new_instance(sample_workbook());
  auto f = o.app->Range(Variant(u"A1"))->Font();
  EXPECT_TRUE(same_variant(f->FontStyle(), Variant(u"표준")));
  f->SetFontStyle(Variant(u"굵은 기울임꼴"));
  EXPECT_TRUE(same_variant(f->Bold(), Variant(true)));
  EXPECT_TRUE(same_variant(f->Italic(), Variant(true)));
  f->SetFontStyle(Variant(u"Bold"));
  EXPECT_TRUE(same_variant(f->FontStyle(), Variant(u"굵게")));
  f->SetSuperscript(Variant(true));
  EXPECT_TRUE(same_variant(f->Superscript(), Variant(true)));
  f->SetSubscript(Variant(true));
  EXPECT_TRUE(same_variant(f->Superscript(), Variant(false)));
  EXPECT_EQ(error_number([&] { f->SetFontStyle(Variant(u"없는 스타일")); }), 1004);
}

TEST(BordersTest, LineStylesAndWeightsOfEveryStoredStyle) {
  struct Case { model::LineStyle style; int line_style; int weight; };
  const Case cases[] = {
      {model::LineStyle::None, -4142, 2},         {model::LineStyle::Thin, 1, 2},
      {model::LineStyle::Medium, 1, -4138},       {model::LineStyle::Dashed, -4115, 2},
      {model::LineStyle::Dotted, -4118, 2},       {model::LineStyle::Thick, 1, 4},
      {model::LineStyle::Double, -4119, 4},       {model::LineStyle::Hair, 1, 1},
      {model::LineStyle::MediumDashed, -4115, -4138}, {model::LineStyle::DashDot, 4, 2},
      {model::LineStyle::MediumDashDot, 4, -4138},    {model::LineStyle::DashDotDot, 5, 2},
      {model::LineStyle::MediumDashDotDot, 5, -4138}, {model::LineStyle::SlantDashDot, 13, -4138},
  };
  for (const auto& c : cases) {
    auto wb = sample_workbook();
    const uint16_t xf = add_xf(*wb, [&](model::Xf& x) { x.left.style = c.style; });
    data(*wb).cells.put({1, 1}, model::Cell{{}, xf, nullptr});
    auto o = open_in_new_instance(std::move(wb));
    auto left = o.app->Range(Variant(u"B2"))->Borders(Variant(7));
    EXPECT_TRUE(same_variant(left->LineStyle(), Variant(c.line_style))) << static_cast<int>(c.style);
    EXPECT_TRUE(same_variant(left->Weight(), Variant(c.weight))) << static_cast<int>(c.style);
  }
}

TEST(BordersTest, EdgesSharedWithNeighboursDiagonalsAndInsideLines) {
  auto wb = sample_workbook();
  const uint16_t right = add_xf(*wb, [](model::Xf& x) { x.right.style = model::LineStyle::Medium; });
  const uint16_t diagonal = add_xf(*wb, [](model::Xf& x) {
    x.diagonal.style = model::LineStyle::Thin;
    x.diagonal_up = true;
  });
  data(*wb).cells.put({0, 0}, model::Cell{{}, right, nullptr});     // A1 right edge
  data(*wb).cells.put({4, 4}, model::Cell{{}, diagonal, nullptr});  // E5 diagonal up
  auto o = open_in_new_instance(std::move(wb));
  auto line = [&](const char16_t* address, int index) {
    return o.app->Range(Variant(address))->Borders(Variant(index))->LineStyle();
  };
  EXPECT_TRUE(same_variant(line(u"B1", 7), Variant(1)));        // B1's left edge is A1's right edge
  EXPECT_TRUE(same_variant(line(u"A1:B1", 11), Variant(1)));    // and the inside line of A1:B1
  EXPECT_TRUE(same_variant(line(u"A1", 11), Variant(-4142)));   // one cell has no inside line
  EXPECT_TRUE(line(u"A1:A2", 10).is_null());              // right edges differ
  EXPECT_TRUE(same_variant(line(u"E5", 6), Variant(1)));
  EXPECT_TRUE(same_variant(line(u"E5", 5), Variant(-4142)));
  EXPECT_EQ(error_number([&] { line(u"A1", 4); }), 1004);
  EXPECT_EQ(error_number([&] { line(u"A1", 13); }), 1004);

  auto c3 = o.app->Range(Variant(u"C3"))->Borders(Variant(9));
  c3->SetLineStyle(Variant(-4119));
  EXPECT_TRUE(same_variant(line(u"C4", 8), Variant(-4119)));
  c3->SetWeight(Variant(-4138));
  EXPECT_TRUE(same_variant(c3->LineStyle(), Variant(-4119)));
  c3->SetLineStyle(Variant(-4142));
  EXPECT_TRUE(same_variant(line(u"C4", 8), Variant(-4142)));
}

TEST(AlignmentTest, StoredCodesReadAsConstants) {
  const int horizontal[] = {1, -4131, -4108, -4152, 5, -4130, 7, -4117};
  const int vertical[] = {-4160, -4108, -4107, -4130, -4117};
  for (uint8_t code = 0; code < 8; ++code) {
    auto wb = sample_workbook();
    const uint16_t xf = add_xf(*wb, [&](model::Xf& x) {
      x.horizontal = code;
      x.vertical = code % 5;
    });
    data(*wb).cells.put({0, 0}, model::Cell{{}, xf, nullptr});
    auto o = open_in_new_instance(std::move(wb));
    auto a1 = o.app->Range(Variant(u"A1"));
    EXPECT_TRUE(same_variant(a1->HorizontalAlignment(), Variant(horizontal[code]))) << int(code);
    EXPECT_TRUE(same_variant(a1->VerticalAlignment(), Variant(vertical[code % 5]))) << int(code);
  }
  auto o = open_in_new_instance(sample_workbook());
  auto b2 = o.app->Range(Variant(u"B2"));
  b2->SetHorizontalAlignment(Variant(-4108));
  EXPECT_TRUE(same_variant(b2->HorizontalAlignment(), Variant(-4108)));
  EXPECT_TRUE(o.app->Range(Variant(u"B2:C2"))->HorizontalAlignment().is_null());
  EXPECT_EQ(error_number([&] { b2->SetHorizontalAlignment(Variant(3)); }), 1004);

  struct Turn { int set; Variant read; };
  const Turn turns[] = {{-4128, Variant(-4128)}, {-4166, Variant(-4166)}, {90, Variant(-4171)},
                        {-90, Variant(-4170)},   {45, Variant(45)},       {-30, Variant(-30)}};
  for (const auto& t : turns) {
    b2->SetOrientation(Variant(t.set));
    EXPECT_TRUE(same_variant(b2->Orientation(), t.read)) << t.set;
  }
  b2->SetIndentLevel(Variant(2));
  EXPECT_TRUE(same_variant(b2->IndentLevel(), Variant(2)));
  b2->SetReadingOrder(Variant(-5004));
  EXPECT_TRUE(same_variant(b2->ReadingOrder(), Variant(-5004)));
  b2->SetAddIndent(Variant(false));
  EXPECT_EQ(error_number([&] { b2->SetAddIndent(Variant(true)); }), 438);
}

TEST(MergeTest, MergeCellsAndMergeArea) {
  auto wb = sample_workbook();
  data(*wb).merges.push_back({{0, 0}, {0, 6}});  // A1:G1
  auto o = open_in_new_instance(std::move(wb));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"C1"))->MergeCells(), Variant(true)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"H1"))->MergeCells(), Variant(false)));
  EXPECT_TRUE(o.app->Range(Variant(u"F1:H1"))->MergeCells().is_null());
  EXPECT_EQ(o.app->Range(Variant(u"B1"))->MergeArea()->Count(), 7);
  EXPECT_EQ(o.app->Range(Variant(u"H1"))->MergeArea()->Count(), 1);
  EXPECT_EQ(o.app->Range(Variant(u"B1"))->MergeArea()->Address(), u"$A$1:$G$1");
  o.app->Range(Variant(u"A1:G1"))->ClearFormats();
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"C1"))->MergeCells(), Variant(false)));
  o.app->Range(Variant(u"B3:C4"))->SetMergeCells(Variant(true));
  EXPECT_EQ(o.app->Range(Variant(u"C4"))->MergeArea()->Count(), 4);
}

TEST(SizeTest, RowHeightsAndHiddenRows) {
  auto wb = sample_workbook();
  data(*wb).rows[1] = model::RowInfo{.height = 300, .custom_height = true};
  data(*wb).rows[2] = model::RowInfo{.height = 300, .hidden = true};
  auto o = open_in_new_instance(std::move(wb));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A2"))->RowHeight(), Variant(15.0)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A3"))->RowHeight(), Variant(0.0)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A3"))->Height(), Variant(0.0)));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A1:A3"))->Height(), Variant(27.75)));
  EXPECT_TRUE(o.app->Range(Variant(u"A1:A2"))->RowHeight().is_null());
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"3:3"))->Hidden(), Variant(true)));
  o.app->Range(Variant(u"A4"))->SetRowHeight(Variant(20.25));
  EXPECT_TRUE(same_variant(o.app->Range(Variant(u"A4"))->Height(), Variant(20.25)));
  EXPECT_EQ(error_number([&] { o.app->Range(Variant(u"A4"))->SetRowHeight(Variant(410)); }), 1004);
}

}  // namespace
}  // namespace tabrel::xl
