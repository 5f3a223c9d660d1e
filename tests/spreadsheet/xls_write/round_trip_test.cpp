// Workbooks built in memory, written and read back with our reader: every family the writer
// holds comes back as it was.

#include <gtest/gtest.h>

#include "same_workbook.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"

namespace tabrel::xls {
namespace {

using testing::differences;

// The first sheet is the one shown, as the workbook's view says.
model::Sheet& add_viewed_sheet(model::Workbook& wb, std::u16string name) {
  wb.sheets.push_back(std::make_unique<model::Sheet>());
  wb.sheets.back()->name = std::move(name);
  wb.sheets.back()->view.selected = wb.sheets.back()->view.active = wb.sheets.size() == 1;
  return *wb.sheets.back();
}

// What the reader gives for a workbook written with our own defaults: the completed styles.
model::Workbook fresh() {
  model::Workbook wb;
  model::Font f;
  f.name = u"굴림";
  f.height = 220;
  wb.styles.fonts.assign(4, f);
  wb.styles.xfs.clear();
  return wb;
}

std::unique_ptr<model::Workbook> reread(const model::Workbook& wb, const WriteOptions& options = {}) {
  return read_workbook(write_workbook(wb, options), options.password);
}

void expect_round_trip(const model::Workbook& wb) {
  auto back = reread(wb);
  for (const std::string& d : differences(wb, *back)) ADD_FAILURE() << d;
}

model::FormulaPtr formula(std::vector<uint8_t> tokens, bool text = false) {
  auto f = model::FormulaPtr::make();
  f->tokens = std::move(tokens);
  f->cached_string = text;
  return f;
}

// Gives the workbook the formats a file must hold, as the writer completes them, so that
// comparing is exact.
model::Workbook& with_styles(model::Workbook& wb) {
  wb.styles = read_workbook(write_workbook(wb))->styles;
  return wb;
}

TEST(RoundTrip, ValuesOfEveryKind) {
  model::Workbook wb = fresh();
  model::Sheet& s = add_viewed_sheet(wb, u"값");
  const double numbers[] = {0, 1, -1, 0.5, 12.34, 3.14159265358979, 1e300, -2.5e-300, 536870912, 44197.75};
  for (size_t i = 0; i < std::size(numbers); ++i) s.cells.at({static_cast<int>(i), 0}).value = model::CellValue::number(numbers[i]);
  s.cells.at({0, 1}).value = model::CellValue::text(u"가나다 abc");
  s.cells.at({1, 1}).value = model::CellValue::text(std::u16string(9000, u'x'));  // past one record
  model::RichText rich;
  rich.text = u"굵게 보통";
  rich.runs = {{0, 5}, {2, 0}};
  auto ph = std::make_shared<model::PhoneticText>();
  ph->text = u"ふりがな";
  ph->type = 1;
  ph->alignment = 2;
  ph->runs = {{0, 0, 2}};
  rich.phonetic = ph;
  s.cells.at({2, 1}).value = model::CellValue::rich(rich);
  s.cells.at({3, 1}).value = model::CellValue::boolean(true);
  s.cells.at({4, 1}).value = model::CellValue::boolean(false);
  s.cells.at({5, 1}).value = model::CellValue::error(CellError::Div0);
  s.cells.at({6, 1}).value = model::CellValue::error(CellError::NA);
  s.cells.at({7, 1}, 16);  // a blank cell with a format
  // Formulas (=1+2 style tokens) with every kind of cached result.
  const std::vector<uint8_t> sum = {0x1E, 1, 0, 0x1E, 2, 0, 0x03};
  auto& n = s.cells.at({0, 2});
  n.formula = formula(sum);
  n.value = model::CellValue::number(3);
  auto& t = s.cells.at({1, 2});
  t.formula = formula(sum, true);
  t.value = model::CellValue::text(u"합계");
  auto& long_text = s.cells.at({5, 2});  // a STRING record continued past one record
  long_text.formula = formula(sum, true);
  long_text.value = model::CellValue::text(std::u16string(9000, u'가'));
  auto& e = s.cells.at({2, 2});
  e.formula = formula(sum, true);
  e.value = model::CellValue::text(u"");
  auto& b = s.cells.at({3, 2});
  b.formula = formula(sum);
  b.value = model::CellValue::boolean(true);
  auto& r = s.cells.at({4, 2});
  r.formula = formula(sum);
  r.value = model::CellValue::error(CellError::Ref);
  expect_round_trip(with_styles(wb));
}

TEST(RoundTrip, SharedArrayAndTableFormulas) {
  model::Workbook wb = fresh();
  model::Sheet& s = add_viewed_sheet(wb, u"Sheet1");
  // A shared formula over C1:C3 (master C1), an array formula over E1:E2, a data table over B6:C7.
  for (int row = 0; row < 3; ++row) {
    auto& c = s.cells.at({row, 2});
    c.formula = formula({0x01, 0, 0, 2, 0});
    c.formula->flags = 0x0008;
    c.value = model::CellValue::number(row);
  }
  s.shared_formulas[model::CellStore::key({0, 2})] = {{{0, 2}, {2, 2}}, {0x2C, 0, 0, 0xFF, 0xC0}, {}};
  for (int row = 0; row < 2; ++row) {
    auto& c = s.cells.at({row, 4});
    c.formula = formula({0x01, 0, 0, 4, 0});
    c.value = model::CellValue::number(7);
  }
  s.array_formulas[model::CellStore::key({0, 4})] = {{{0, 4}, {1, 4}}, 0x0001, {0x1E, 7, 0}, {}};
  for (int row = 5; row < 7; ++row) {
    for (int col = 1; col < 3; ++col) {
      auto& c = s.cells.at({row, col});
      c.formula = formula({0x02, 5, 0, 1, 0});
      c.value = model::CellValue::number(row * col);
    }
  }
  model::DataTable table;
  table.range = {{5, 1}, {6, 2}};
  table.flags = 0x0C;
  table.input1 = {0, 0};
  table.input2 = {0, 1};
  s.data_tables[model::CellStore::key({5, 1})] = table;
  expect_round_trip(with_styles(wb));
}

TEST(RoundTrip, FormatsAndStyles) {
  model::Workbook wb = fresh();
  model::Font bold = wb.styles.fonts[0];
  bold.weight = 700;
  bold.underline = 1;
  bold.color = 10;
  bold.italic = true;
  wb.styles.fonts.push_back(bold);
  wb.styles = [&] {
    model::Workbook probe = fresh();
    probe.styles.fonts = wb.styles.fonts;
    add_viewed_sheet(probe, u"Sheet1");
    return read_workbook(write_workbook(probe))->styles;
  }();
  wb.styles.formats.push_back({164, u"#,##0\"원\";[빨강]-#,##0\"원\""});
  wb.styles.formats.push_back({165, u"yyyy\"년\" m\"월\" d\"일\""});
  model::Xf xf;
  xf.font = 5;
  xf.format = 164;
  xf.horizontal = 2;
  xf.vertical = 1;
  xf.wrap = true;
  xf.rotation = 90;
  xf.indent = 2;
  xf.left = {model::LineStyle::Thin, 8};
  xf.right = {model::LineStyle::Medium, 10};
  xf.top = {model::LineStyle::Double, 12};
  xf.bottom = {model::LineStyle::Dashed, 64};
  xf.diagonal = {model::LineStyle::Hair, 9};
  xf.diagonal_down = true;
  xf.pattern = 1;
  xf.pattern_color = 13;
  xf.background_color = 65;
  xf.used_attributes = 0x3F;
  xf.locked = false;
  wb.styles.xfs.push_back(xf);
  model::Style user;
  user.xf = 21;
  user.name = u"제목 스타일";
  wb.styles.styles.push_back(user);
  wb.styles.palette[0] = {0x12, 0x34, 0x56};
  wb.styles.palette_custom = true;
  model::Sheet& s = add_viewed_sheet(wb, u"Sheet1");
  s.cells.at({0, 0}).value = model::CellValue::number(1234);
  s.cells.at({0, 0}).xf = 21;
  expect_round_trip(wb);
}

TEST(RoundTrip, SheetsLayoutAndViews) {
  model::Workbook wb = fresh();
  wb.date_system = DateSystem::k1904;
  wb.precision_as_displayed = true;
  wb.code_name = u"ThisWorkbook";
  wb.view.active_sheet = 1;
  model::Sheet& a = add_viewed_sheet(wb, u"첫째");
  a.view.selected = a.view.active = false;  // the second sheet is the one shown
  a.code_name = u"Sheet1";
  a.columns = {{0, 0, 4000, 15, false, true, false, 0, false}, {2, 5, 1000, 15, true, true, false, 1, false}};
  a.rows[0] = {600, true, false, false, 0, false, false, 15};
  a.rows[3] = {255, false, true, true, 1, true, false, 15};
  a.cells.at({3, 0}).value = model::CellValue::number(1);
  a.default_column_width = 10;
  a.standard_width = 2560;
  a.default_row_height = 270;
  a.default_row_flags = 1;
  a.merges = {{{0, 0}, {0, 3}}, {{5, 1}, {8, 2}}};
  a.view.show_gridlines = false;
  a.view.zoom_percent = 85;
  a.view.top_left = {2, 1};
  a.view.selections = {{3, {4, 2}, 0, {{{4, 2}, {6, 3}}}}};
  a.phonetic_settings = {0, 0, 0, 0, 0, 0};
  model::Sheet& b = add_viewed_sheet(wb, u"숨김");
  b.visibility = model::Visibility::Hidden;
  b.view.selected = b.view.active = true;
  b.view.frozen = true;
  b.view.pane = {0, 0, 2, 0, 2, 0, 0, 0, 2, 0};
  add_viewed_sheet(wb, u"아주숨김").visibility = model::Visibility::VeryHidden;
  expect_round_trip(with_styles(wb));
}

TEST(RoundTrip, NamesAndExternalReferences) {
  model::Workbook wb = fresh();
  add_viewed_sheet(wb, u"Sheet1");
  add_viewed_sheet(wb, u"Sheet2");
  model::SupportingBook self;
  self.sheet_count = 2;
  model::SupportingBook other;
  other.kind = model::SupportingBook::Kind::External;
  other.url = u"\x01" u"C:\\자료\\매출.xls";
  other.sheets = {u"1월", u"2월"};
  other.sheet_count = 2;
  other.names.push_back({u"세율", 0, {0x02, 0x00, 0x1C, 0x17}});
  wb.externals.books = {self, other};
  wb.externals.sheets = {{0, 0, 0}, {0, 1, 1}, {1, 0, 0}};
  model::DefinedName area;
  area.builtin = true;
  area.builtin_code = 0x06;
  area.flags = 0x0020;
  area.name = u"Print_Area";
  area.sheet_scope = 1;
  area.tokens = {0x3B, 0, 0, 0, 0, 9, 0, 0, 0, 3, 0};
  model::DefinedName user;
  user.name = u"합계범위";
  user.tokens = {0x3A, 1, 0, 2, 0, 3, 0xC0};
  model::DefinedName hidden;
  hidden.name = u"숨은이름";
  hidden.flags = 0x0001;
  hidden.tokens = {0x1E, 5, 0};
  wb.names = {area, user, hidden};
  expect_round_trip(with_styles(wb));
}

TEST(RoundTrip, ConditionalFormats) {
  model::Workbook wb = fresh();
  model::Sheet& s = add_viewed_sheet(wb, u"Sheet1");
  model::CondRule value_rule;
  value_rule.type = 1;
  value_rule.op = 1;  // between
  value_rule.formula1 = {0x1E, 10, 0};
  value_rule.formula2 = {0x1E, 20, 0};
  value_rule.font = model::CondFont{std::nullopt, true, false, std::nullopt, std::nullopt, 10};
  value_rule.fill = model::CondFill{1, std::nullopt, 13};
  model::CondRule formula_rule;
  formula_rule.type = 2;
  formula_rule.formula1 = {0x44, 0, 0, 0, 0xC0, 0x1E, 0, 0, 0x0D};
  formula_rule.border = model::CondBorder{model::BorderLine{model::LineStyle::Thin, 8}, std::nullopt,
                                          std::nullopt, model::BorderLine{model::LineStyle::Double, 12}};
  model::CondRule italic;
  italic.type = 1;
  italic.op = 5;
  italic.formula1 = {0x1E, 0, 0};
  // Bold and italic are one font-style setting: a rule sets both or neither.
  italic.font = model::CondFont{200, false, true, true, 1, std::nullopt};
  s.conditional_formats.push_back({{{{1, 1}, {10, 3}}, {{12, 1}, {12, 1}}}, {value_rule, formula_rule}, {}});
  s.conditional_formats.push_back({{{{0, 5}, {4, 5}}}, {italic}, {}});
  expect_round_trip(with_styles(wb));
}

TEST(RoundTrip, AutoFilterAndComments) {
  model::Workbook wb = fresh();
  model::Sheet& s = add_viewed_sheet(wb, u"Sheet1");
  model::AutoFilter af;
  af.range = {{0, 0}, {20, 3}};
  af.drop_downs = 4;
  af.filter_mode = true;
  model::AutoFilterColumn text_column;
  text_column.index = 1;
  text_column.simple1 = true;
  text_column.first = {6, 2, 0, u"서울", false, 0};
  model::AutoFilterColumn number_column;
  number_column.index = 2;
  number_column.join_or = true;
  number_column.first = {4, 6, 1000.5, u"", false, 0};
  number_column.second = {2, 1, 20, u"", false, 0};
  model::AutoFilterColumn top;
  top.index = 3;
  top.top10 = top.top = true;
  top.top10_count = 10;
  top.first = {4, 6, 55, u"", false, 0};
  af.columns = {text_column, number_column, top};
  s.autofilter = af;
  for (int i = 0; i < 2; ++i) {
    model::Comment c;
    c.cell = {i + 2, 1};
    c.author = u"홍길동";
    c.text.text = u"홍길동:\n메모 " + std::u16string(1, static_cast<char16_t>(u'A' + i));
    c.text.runs = {{0, 5}, {4, 0}};
    c.visible = i == 1;
    c.object_id = static_cast<uint16_t>(i + 1);
    s.comments.push_back(c);
  }
  auto back = reread(with_styles(wb));
  const model::Sheet& r = *back->sheets[0];
  ASSERT_TRUE(r.autofilter.has_value());
  EXPECT_EQ(r.autofilter->range, af.range);  // through the hidden name the writer adds
  ASSERT_EQ(back->names.size(), 1u);
  EXPECT_EQ(back->names[0].name, u"_FilterDatabase");
  EXPECT_TRUE(back->names[0].hidden());
  EXPECT_EQ(back->names[0].sheet_scope, 1);
  EXPECT_EQ(r.autofilter->columns, af.columns);
  EXPECT_TRUE(r.autofilter->filter_mode);
  EXPECT_EQ(r.autofilter->drop_downs, 4);
  ASSERT_EQ(r.comments.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(r.comments[i].cell, s.comments[i].cell);
    EXPECT_EQ(r.comments[i].author, s.comments[i].author);
    EXPECT_EQ(r.comments[i].text, s.comments[i].text);
    EXPECT_EQ(r.comments[i].visible, s.comments[i].visible);
    ASSERT_GE(r.comments[i].drawing_index, 0);
    const model::DrawingObject& shape = r.drawings[r.comments[i].drawing_index];
    EXPECT_EQ(shape.object_type, 25);
    EXPECT_EQ(shape.hidden, !s.comments[i].visible);
  }
  // Written again from what was read, the comments' stored shapes survive unchanged.
  auto again = reread(*back);
  for (const std::string& d : differences(*back, *again)) ADD_FAILURE() << d;
  // A filter moved to another range takes its name along.
  again->sheets[0]->autofilter->range = {{2, 1}, {30, 2}};
  auto moved = reread(*again);
  EXPECT_EQ(moved->sheets[0]->autofilter->range, again->sheets[0]->autofilter->range);
  EXPECT_EQ(moved->names.size(), 1u);
}

TEST(RoundTrip, ObjectsBuiltInMemory) {
  model::Workbook wb = fresh();
  model::Sheet& s = add_viewed_sheet(wb, u"Sheet1");
  model::DrawingObject button;
  button.object_type = 7;
  button.name = u"단추 1";
  button.text.text = u"정렬";
  button.anchor = {1, 0, 2, 0, 3, 512, 4, 128, 2};
  button.macro_tokens = {0x39, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00};
  model::DrawingObject box;
  box.object_type = 2;
  box.autoshape_type = 1;
  box.name = u"사각형 2";
  box.alternative_text = u"설명";
  box.hidden = true;
  box.adjustments = {{0, 17520}, {2, 900}};
  box.anchor = {5, 100, 6, 50, 8, 0, 10, 0, 1};
  s.drawings = {button, box};
  auto back = reread(with_styles(wb));
  const auto& drawings = back->sheets[0]->drawings;
  ASSERT_EQ(drawings.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const model::DrawingObject& x = s.drawings[i];
    const model::DrawingObject& y = drawings[i];
    EXPECT_EQ(y.object_type, x.object_type);
    EXPECT_NE(y.object_id, 0);
    EXPECT_EQ(y.name, x.name);
    EXPECT_EQ(y.alternative_text, x.alternative_text);
    EXPECT_EQ(y.anchor, x.anchor);
    EXPECT_EQ(y.hidden, x.hidden);
    EXPECT_EQ(y.adjustments, x.adjustments);
    EXPECT_EQ(y.text.text, x.text.text);
    EXPECT_EQ(y.macro_tokens, x.macro_tokens);
  }
  EXPECT_EQ(drawings[0].autoshape_type, 201);  // a control
  EXPECT_NE(drawings[0].object_id, drawings[1].object_id);
}

TEST(RoundTrip, ShownSheetFollowsTheWorkbookWindow) {
  model::Workbook wb = fresh();
  add_viewed_sheet(wb, u"A");
  add_viewed_sheet(wb, u"B");
  wb.view.active_sheet = 1;  // changed without touching the sheets' own view flags
  auto back = reread(with_styles(wb));
  EXPECT_FALSE(back->sheets[0]->view.active);
  EXPECT_TRUE(back->sheets[0]->view.selected);
  EXPECT_TRUE(back->sheets[1]->view.active);
  EXPECT_TRUE(back->sheets[1]->view.selected);
  wb.view.active_sheet = 7;  // past the last sheet: the last one is shown
  EXPECT_EQ(reread(wb)->view.active_sheet, 1);
}

TEST(RoundTrip, ColumnsRunningOnTo256EndAtTheLastColumn) {
  model::Workbook wb = fresh();
  add_viewed_sheet(wb, u"Sheet1").columns = {{200, 256, 3000, 15, false, true, false, 0, false}};
  const auto back = reread(wb);
  ASSERT_EQ(back->sheets[0]->columns.size(), 1u);
  EXPECT_EQ(back->sheets[0]->columns[0].first, 200);
  EXPECT_EQ(back->sheets[0]->columns[0].last, 255);
}

TEST(RoundTrip, ButtonsCallTheirMacroByName) {
  model::Workbook wb = fresh();
  model::Sheet& s = add_viewed_sheet(wb, u"Sheet1");
  model::DrawingObject first;
  first.object_type = 7;
  first.text.text = u"정렬";
  first.macro = u"정렬하기";
  first.anchor = {1, 0, 1, 0, 3, 0, 3, 0, 2};
  model::DrawingObject second = first;
  second.anchor = {5, 0, 1, 0, 7, 0, 3, 0, 2};
  model::DrawingObject other = first;
  other.macro = u"서식지우기";
  s.drawings = {first, second, other};
  auto back = reread(with_styles(wb));
  const auto& drawings = back->sheets[0]->drawings;
  ASSERT_EQ(drawings.size(), 3u);
  EXPECT_EQ(drawings[0].macro, u"정렬하기");
  EXPECT_EQ(drawings[1].macro, u"정렬하기");
  EXPECT_EQ(drawings[2].macro, u"서식지우기");
  ASSERT_EQ(back->names.size(), 2u);  // one name per macro
  EXPECT_EQ(back->names[0].name, u"정렬하기");
  // Written again, the calls are kept as formulas and the names are not repeated.
  auto again = reread(*back);
  EXPECT_EQ(again->names.size(), 2u);
  EXPECT_EQ(again->sheets[0]->drawings[2].macro, u"서식지우기");
}

TEST(RoundTrip, KeptRecordsAndStreams) {
  model::Workbook wb = fresh();
  // In file order: protection before the window, the country after the sheet list.
  wb.other_records.push_back({biff::rt::WinProtect, {1, 0}, {}});
  wb.other_records.push_back({biff::rt::Country, {0x52, 0, 0x52, 0}, {}});
  wb.macro_project.emplace().readable = false;  // its streams stay as stored
  wb.extra_streams.push_back(model::ExtraStream::storage(u"_VBA_PROJECT_CUR"));
  wb.extra_streams.push_back(model::ExtraStream::storage(u"_VBA_PROJECT_CUR/VBA"));
  wb.extra_streams.push_back(model::ExtraStream::stream(u"_VBA_PROJECT_CUR/VBA/dir", {1, 2, 3, 4}));
  model::Sheet& s = add_viewed_sheet(wb, u"Sheet1");
  s.other_records.push_back({biff::rt::Setup, std::vector<uint8_t>(34, 1), {}});
  s.other_records.push_back({biff::rt::HLink, std::vector<uint8_t>(9000, 2), {8224}});
  s.other_records.push_back({biff::rt::SheetExt, std::vector<uint8_t>(20, 3), {}});
  expect_round_trip(with_styles(wb));
}

TEST(RoundTrip, PasswordIsNeededToReadBack) {
  model::Workbook wb = fresh();
  add_viewed_sheet(wb, u"비밀").cells.at({0, 0}).value = model::CellValue::text(u"정답");
  const auto file = write_workbook(wb, {u"tabrel2026"});
  auto back = read_workbook(file, u"tabrel2026");
  EXPECT_EQ(back->sheets[0]->cells.find({0, 0})->value.as_text(), u"정답");
  const struct {
    std::optional<std::u16string> password;
    OpenError::Kind kind;
  } attempts[] = {{std::nullopt, OpenError::Kind::PasswordRequired}, {u"x", OpenError::Kind::WrongPassword}};
  for (const auto& attempt : attempts) {
    try {
      read_workbook(file, attempt.password);
      ADD_FAILURE() << "opened without the password";
    } catch (const OpenError& e) {
      EXPECT_EQ(e.kind, attempt.kind);
    }
  }
}

}  // namespace
}  // namespace tabrel::xls
