#include <gtest/gtest.h>

#include <filesystem>

#include "corpus/corpus_required.h"
#include "fixture.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xl {
namespace {

using testing::error_number;
using testing::open_in_new_instance;
using testing::sample_workbook;

std::unique_ptr<model::Workbook> workbook_with_buttons() {
  auto wb = sample_workbook();
  model::Sheet& sheet = *wb->sheets[0];
  model::DrawingObject button;
  button.object_type = 7;
  button.name = u"Button 1";
  button.macro = u"서식적용";
  button.text.text = u"서식적용";
  button.anchor = {.col1 = 1, .dx1 = 512, .row1 = 2, .dy1 = 0, .col2 = 3, .dx2 = 0, .row2 = 4, .dy2 = 128};
  model::DrawingObject shape;
  shape.object_type = 30;
  shape.name = u"Rounded Rectangle 2";
  shape.autoshape_type = 2;
  shape.macro = u"'target.xls'!서식적용해제";
  shape.alternative_text = u"해제";
  shape.adjustments = {{0, 16545}};  // 0.766 of 21600
  sheet.drawings = {button, shape};
  return wb;
}

TEST(ShapesTest, ItemsAndTheirProperties) {
  auto o = open_in_new_instance(workbook_with_buttons());
  auto shapes = o.app->ActiveSheet()->Shapes();
  ASSERT_EQ(shapes->Count(), 2);
  auto button = shapes->Item(Variant(1));
  EXPECT_EQ(button->Name(), u"Button 1");
  EXPECT_EQ(button->OnAction(), u"서식적용");
  EXPECT_EQ(button->TextFrame()->Characters()->Text(), u"서식적용");
  auto rounded = shapes->Item(Variant(u"rounded rectangle 2"));
  EXPECT_EQ(rounded->OnAction(), u"'target.xls'!서식적용해제");
  EXPECT_EQ(rounded->AlternativeText(), u"해제");
  EXPECT_EQ(rounded->AutoShapeType(), 5);
  EXPECT_NEAR(rounded->Adjustments()->Item(1), 0.766, 0.0001);
  EXPECT_NE(error_number([&] { button->Adjustments()->Item(1); }), 0);  // no adjustment handle
  EXPECT_NE(error_number([&] { shapes->Item(Variant(3)); }), 0);
  EXPECT_NE(error_number([&] { shapes->Item(Variant(u"Button 9")); }), 0);
}

TEST(ShapesTest, PlaceFollowsColumnWidthsAndRowHeights) {
  auto o = open_in_new_instance(workbook_with_buttons());
  auto button = o.app->ActiveSheet()->Shapes()->Item(Variant(1));
  // Default columns are 64 px (48 pt), rows 17 px (12.75 pt).
  EXPECT_DOUBLE_EQ(button->Left(), 48 + 24);
  EXPECT_DOUBLE_EQ(button->Top(), 2 * 12.75);
  o.app->Range(Variant(u"A1"))->SetColumnWidth(Variant(20.0));
  EXPECT_GT(button->Left(), 72);
  o.app->Range(Variant(u"1:1"))->SetHidden(Variant(true));
  EXPECT_DOUBLE_EQ(button->Top(), 12.75);
}

// Three objects over B3:D5 (96 x 25.5 points at 48, 25.5) that move and size with cells, move
// only, and float free.
TEST(ShapesTest, WidthsAndHeightsMoveAndSizeObjectsByTheirPlacement) {
  auto wb = sample_workbook();
  for (uint8_t placement : {1, 2, 3}) {
    model::DrawingObject d;
    d.object_type = 30;
    d.autoshape_type = 1;
    d.object_id = placement;
    d.anchor = {1, 0, 2, 0, 3, 0, 4, 0, placement};
    wb->sheets[0]->drawings.push_back(d);
  }
  auto o = open_in_new_instance(std::move(wb));
  auto shapes = o.app->ActiveSheet()->Shapes();
  struct Place {
    double left, top, width, height;
  };
  auto place = [&](int i) {
    auto s = shapes->Item(Variant(i));
    return Place{s->Left(), s->Top(), s->Width(), s->Height()};
  };
  auto expect = [&](const char* step, const Place (&want)[3]) {
    for (int i = 0; i < 3; ++i) {
      const Place got = place(i + 1);
      EXPECT_DOUBLE_EQ(got.left, want[i].left) << step << " placement " << i + 1;
      EXPECT_DOUBLE_EQ(got.top, want[i].top) << step << " placement " << i + 1;
      EXPECT_DOUBLE_EQ(got.width, want[i].width) << step << " placement " << i + 1;
      EXPECT_DOUBLE_EQ(got.height, want[i].height) << step << " placement " << i + 1;
    }
  };
  o.app->Range(Variant(u"B1"))->SetColumnWidth(Variant(18.29));  // 133 pixels, 69 more
  expect("column B wider", {{48, 25.5, 147.75, 25.5}, {48, 25.5, 96, 25.5}, {48, 25.5, 96, 25.5}});
  o.app->Range(Variant(u"A1"))->SetColumnWidth(Variant(0.0));  // hidden: 48 points to the left
  expect("column A hidden", {{0, 25.5, 147.75, 25.5}, {0, 25.5, 96, 25.5}, {48, 25.5, 96, 25.5}});
  o.app->Range(Variant(u"4:4"))->SetRowHeight(Variant(30.0));
  expect("row 4 taller", {{0, 25.5, 147.75, 42.75}, {0, 25.5, 96, 25.5}, {48, 25.5, 96, 25.5}});
  o.app->Range(Variant(u"1:1"))->SetHidden(Variant(true));
  expect("row 1 hidden", {{0, 12.75, 147.75, 42.75}, {0, 12.75, 96, 25.5}, {48, 25.5, 96, 25.5}});
}

TEST(ShapesTest, SelectingAShapeMakesItTheSelection) {
  auto o = open_in_new_instance(workbook_with_buttons());
  auto shape = o.app->ActiveSheet()->Shapes()->Item(Variant(2));
  shape->Select();
  auto selected = std::dynamic_pointer_cast<Shape>(o.app->Selection());
  ASSERT_NE(selected, nullptr);
  EXPECT_NEAR(selected->ShapeRange()->Adjustments()->Item(1), 0.766, 0.0001);
  o.app->Range(Variant(u"A1"))->Select();
  EXPECT_NE(std::dynamic_pointer_cast<Range>(o.app->Selection()), nullptr);
  auto other = o.app->Sheets(Variant(u"Form"));
  EXPECT_EQ(error_number([&] { other->Shapes()->Count(); }), 0);
}

TEST(ShapesTest, NewMacroDropsTheStoredMacroFormula) {
  auto wb = workbook_with_buttons();
  wb->sheets[0]->drawings[0].macro_tokens = {0x02, 0x05, 0x00, 0x39, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00};
  auto o = open_in_new_instance(std::move(wb));
  auto button = o.app->ActiveSheet()->Shapes()->Item(Variant(1));
  button->SetOnAction(u"서식해제");
  EXPECT_EQ(button->OnAction(), u"서식해제");
  EXPECT_TRUE(o.book->model().sheets[0]->drawings[0].macro_tokens.empty());
}

// A button read from a file keeps its macro as a stored formula; the new macro must be what
// the written file calls.
TEST(ShapesTest, NewMacroOfAButtonFromAFileIsWhatTheWrittenFileCalls) {
  const auto file = std::filesystem::path(TABREL_SHARED_DIR) / "corpus" / "excel" / "poi-50939.xls";
  TABREL_REQUIRE_CORPUS(std::filesystem::exists(file), file);
  auto app = Application::New();
  auto book = app->Workbooks()->Open(file.u16string());
  for (int s = 1; s <= app->Sheets()->Count(); ++s) {
    auto sheet = app->Sheets(Variant(s));
    if (sheet->Type() != -4167) continue;
    auto shapes = sheet->Shapes();
    for (int i = 1; i <= shapes->Count(); ++i)
      if (!shapes->Item(Variant(i))->OnAction().empty()) shapes->Item(Variant(i))->SetOnAction(u"NewMacro");
  }
  const auto bytes = xls::write_workbook(book->model());
  app->Quit();
  const auto reread = xls::read_workbook(bytes);
  int buttons = 0;
  for (const auto& sheet : reread->sheets)
    for (const auto& d : sheet->drawings)
      if (!d.macro.empty()) {
        ++buttons;
        EXPECT_EQ(d.macro, u"NewMacro");
      }
  EXPECT_GT(buttons, 0);
}

// Buttons and shapes with assigned macros in files saved by the spreadsheet: the macro and the
// text that the automation reports for each.
TEST(ShapesTest, AssignedMacrosOfCorpusFiles) {
  struct Expected {
    const char* file;
    const char16_t* sheet;
    const char16_t* text;
    const char16_t* macro;
  };
  const Expected cases[] = {
      {"poi-50939.xls", u"sheet2", u"Repair Results\nColumns", u"Repair_Result_Formula"},
      {"poi-external_name.xls", u"Example YTP 1", u"Create Weeks", u"'Example CG YTP.xls'!CreateWeeks"},
      {"poi-StringContinueRecords.xls", u"file load sequence", u"Test Pack", u"Test_Pack"},
      {"poi-StringContinueRecords.xls", u"file load sequence", u"Generate TestPack", u"Generate_TestPack"},
      {"poi-ex42570-20305.xls", u"Data", u"Update", u"update"},
      {"poi-39634.xls", u"5. BBU Data", u"Copy this sheet", u""},
  };
  for (const Expected& c : cases) {
    const auto file = std::filesystem::path(TABREL_SHARED_DIR) / "corpus" / "excel" / c.file;
    TABREL_REQUIRE_CORPUS(std::filesystem::exists(file), file.string());
    auto app = Application::New();
    app->Workbooks()->Open(file.u16string());
    auto shapes = app->Sheets(Variant(c.sheet))->Shapes();
    bool found = false;
    for (int i = 1; i <= shapes->Count() && !found; ++i) {
      auto shape = shapes->Item(Variant(i));
      if (error_number([&] { shape->TextFrame()->Characters()->Text(); }) != 0) continue;
      if (shape->TextFrame()->Characters()->Text() != c.text) continue;
      found = true;
      EXPECT_EQ(shape->OnAction(), c.macro) << c.file;
    }
    EXPECT_TRUE(found) << c.file << " " << to_utf8(c.text);
    app->Quit();
  }
}

TEST(ShapesTest, ButtonWithItsMacroFromAFileSavedBySpreadsheet) {
  const auto file = std::filesystem::path(TABREL_SHARED_DIR) / "corpus" / "excel" / "poi-50939.xls";
  TABREL_REQUIRE_CORPUS(std::filesystem::exists(file), file);
  auto app = Application::New();
  app->Workbooks()->Open(file.u16string());
  bool found = false;
  for (int s = 1; s <= app->Sheets()->Count() && !found; ++s) {
    auto sheet = app->Sheets(Variant(s));
    if (sheet->Type() != -4167) continue;
    auto shapes = sheet->Shapes();
    for (int i = 1; i <= shapes->Count(); ++i) {
      auto shape = shapes->Item(Variant(i));
      if (shape->OnAction().empty()) continue;
      found = true;
      EXPECT_FALSE(shape->Name().empty());
      EXPECT_GT(shape->Width(), 0);
      EXPECT_GT(shape->Height(), 0);
    }
  }
  EXPECT_TRUE(found);
  app->Quit();
}

}  // namespace
}  // namespace tabrel::xl
