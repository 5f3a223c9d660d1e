// The reader end to end on hand-made record streams: cell encodings, strings split across
// CONTINUE records, sheet kinds and order, comments with their shapes, conditional formats,
// compound files with 4096-byte sectors, and every way opening can fail.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <variant>

#include <unistd.h>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"
#include "spreadsheet/xls/writer.h"
#include "support/allocation_counter.h"
#include "support/directory_patch.h"
#include "workbook_bytes.h"

namespace tabrel {
namespace {

namespace rt = biff::rt;
using xls_test::Bytes;
using xls_test::RecordStream;
using Kind = xls::OpenError::Kind;

struct Rec {
  uint16_t type;
  std::vector<uint8_t> payload;
};

struct SheetSpec {
  std::u16string name = u"Sheet1";
  uint8_t state = 0;
  uint8_t type = 0;
  uint16_t substream = 0x0010;
  std::vector<Rec> records;
};

// Globals (BOF, `globals`, one BOUNDSHEET per sheet, EOF), then each sheet's substream.
std::vector<uint8_t> workbook_stream(const std::vector<Rec>& globals, const std::vector<SheetSpec>& sheets) {
  RecordStream s;
  s.record(rt::BOF, xls_test::bof(0x0005));
  for (const auto& r : globals) s.record(r.type, r.payload);
  std::vector<size_t> entries;
  for (const auto& sh : sheets) entries.push_back(s.record(rt::BoundSheet8, xls_test::boundsheet(sh.name, sh.state, sh.type)));
  s.record(rt::Eof, {});
  for (size_t i = 0; i < sheets.size(); ++i) {
    s.patch_u32(entries[i] + 4, static_cast<uint32_t>(s.position()));
    s.record(rt::BOF, xls_test::bof(sheets[i].substream));
    for (const auto& r : sheets[i].records) s.record(r.type, r.payload);
    s.record(rt::Eof, {});
  }
  return s.data();
}

std::unique_ptr<model::Workbook> open(const std::vector<Rec>& globals, const std::vector<SheetSpec>& sheets) {
  return xls::read_workbook(xls_test::compound_file(workbook_stream(globals, sheets)));
}

Kind open_error(const std::vector<uint8_t>& file, const std::optional<std::u16string>& password = std::nullopt) {
  try {
    xls::read_workbook(file, password);
  } catch (const xls::OpenError& e) {
    EXPECT_FALSE(e.message.empty());
    EXPECT_STRNE(e.what(), "");
    return e.kind;
  }
  ADD_FAILURE() << "opened";
  return Kind::Corrupt;
}

Bytes cell(uint16_t row, uint16_t col, uint16_t xf = 15) { return std::move(Bytes().u16(row).u16(col).u16(xf)); }

// A FORMULA record whose cached result is `value` (8 bytes) and whose expression is 1+2.
std::vector<uint8_t> formula(uint16_t row, uint16_t col, const Bytes& value) {
  return cell(row, col).raw(value).u16(0).u32(0).u16(7).raw({0x1E, 1, 0, 0x1E, 2, 0, 0x03});
}

Bytes special_result(uint8_t type, uint8_t value) {
  return std::move(Bytes().u8(type).u8(0).u8(value).u8(0).u8(0).u8(0).u16(0xFFFF));
}

TEST(XlsReader, CellRecordsGiveTheirValues) {
  SheetSpec sheet;
  sheet.records = {
      {rt::Number, cell(0, 0).f64(2.5)},
      {rt::RK, cell(1, 0).u32((123u << 2) | 0x2)},                 // integer
      {rt::RK, cell(1, 1).u32((12345u << 2) | 0x3)},               // integer / 100
      {rt::RK, cell(1, 2).u32(0x3FF00000u)},                       // IEEE high bits: 1.0
      {rt::RK, cell(1, 3).u32(0x3FF00000u | 0x1)},                 // 1.0 / 100
      {rt::RK, cell(1, 4).u32(static_cast<uint32_t>(-7 * 4) | 0x2)},  // negative integer
      {rt::MulRk, Bytes().u16(2).u16(1).u16(15).u32((4u << 2) | 2).u16(16).u32((5u << 2) | 2).u16(2)},
      {rt::Label, cell(3, 0).string16(u"평균")},
      {rt::BoolErr, cell(4, 0).u8(1).u8(0)},
      {rt::BoolErr, cell(4, 1).u8(0x07).u8(1)},
      {rt::Blank, cell(5, 0, 21)},
      {rt::MulBlank, Bytes().u16(5).u16(1).u16(22).u16(23).u16(2)},
      {rt::Formula, formula(6, 0, Bytes().f64(3))},
      {rt::Formula, formula(6, 1, special_result(1, 1))},
      {rt::Formula, formula(6, 2, special_result(2, 0x2A))},
      {rt::Formula, formula(6, 3, special_result(3, 0))},
      {rt::Formula, formula(6, 4, special_result(0, 0))},
      {rt::String, Bytes().string16(u"합계")},
  };
  const auto book = open({}, {sheet});
  const auto& cells = book->sheets.at(0)->cells;
  auto value = [&](int row, int col) { return cells.find({row, col})->value; };
  auto describe = [](const model::CellValue& v) -> std::string {
    if (v.is_number()) return "number " + std::to_string(v.as_number());
    if (v.is_text()) return "text \"" + to_utf8(v.as_text()) + "\"";
    if (v.is_bool()) return v.as_bool() ? "TRUE" : "FALSE";
    if (v.is_error()) return to_utf8(cell_error_text(v.as_error()));
    return "blank";
  };
  const std::vector<std::pair<model::CellRef, model::CellValue>> expected = {
      {{0, 0}, model::CellValue::number(2.5)},   {{1, 0}, model::CellValue::number(123)},
      {{1, 1}, model::CellValue::number(123.45)}, {{1, 2}, model::CellValue::number(1)},
      {{1, 3}, model::CellValue::number(0.01)},  {{1, 4}, model::CellValue::number(-7)},
      {{2, 1}, model::CellValue::number(4)},     {{2, 2}, model::CellValue::number(5)},
      {{3, 0}, model::CellValue::text(u"평균")}, {{4, 0}, model::CellValue::boolean(true)},
      {{4, 1}, model::CellValue::error(CellError::Div0)}, {{5, 0}, model::CellValue()},
      {{5, 1}, model::CellValue()},              {{5, 2}, model::CellValue()},
      {{6, 0}, model::CellValue::number(3)},     {{6, 1}, model::CellValue::boolean(true)},
      {{6, 2}, model::CellValue::error(CellError::NA)}, {{6, 3}, model::CellValue::text(u"")},
      {{6, 4}, model::CellValue::text(u"합계")},
  };
  for (const auto& [at, v] : expected) {
    SCOPED_TRACE(testing::Message() << "row " << at.row << " col " << at.col);
    ASSERT_NE(cells.find(at), nullptr);
    EXPECT_TRUE(value(at.row, at.col) == v) << describe(value(at.row, at.col)) << ", expected " << describe(v);
  }
  EXPECT_EQ(cells.size(), expected.size());
  EXPECT_EQ(cells.find({2, 2})->xf, 16);
  EXPECT_EQ(cells.find({5, 2})->xf, 23);
  const auto& f = *cells.find({6, 4})->formula;
  EXPECT_TRUE(f.cached_string);
  EXPECT_EQ(f.tokens, (std::vector<uint8_t>{0x1E, 1, 0, 0x1E, 2, 0, 0x03}));
  EXPECT_FALSE(cells.find({6, 0})->formula->cached_string);
}

// A shared string whose characters continue in a CONTINUE record that switches from 8-bit to
// 16-bit characters, followed by a string with formatting runs.
TEST(XlsReader, SharedStringsSplitAcrossContinueRecords) {
  const std::vector<uint8_t> sst_head = Bytes().u32(3).u32(2).u16(6).u8(0x00).raw({'A', 'B', 'C'});
  const std::vector<uint8_t> sst_tail =
      Bytes().u8(0x01).u16(u'가').u16(u'나').u16(u'다').u16(3).u8(0x08).u16(2).raw({'x', 'y', 'z'}).u16(0).u16(5).u16(1).u16(6);
  SheetSpec sheet;
  sheet.records = {{rt::LabelSst, cell(0, 0).u32(0)}, {rt::LabelSst, cell(0, 1).u32(1)}, {rt::LabelSst, cell(1, 0).u32(0)}};
  const auto book = open({{rt::SST, sst_head}, {rt::Continue, sst_tail}}, {sheet});
  const auto& cells = book->sheets[0]->cells;
  EXPECT_EQ(cells.find({0, 0})->value.as_text(), u"ABC가나다");
  const auto& rich = cells.find({0, 1})->value.as_rich();
  EXPECT_EQ(rich.text, u"xyz");
  ASSERT_EQ(rich.runs.size(), 2u);
  EXPECT_EQ(rich.runs[1].first_char, 1);
  EXPECT_EQ(rich.runs[1].font, 6);
  // Cells that use one shared string share its text.
  EXPECT_EQ(&cells.find({0, 0})->value.as_rich(), &cells.find({1, 0})->value.as_rich());
}

// A table of many equal strings (empty ones cost the file three bytes each) keeps one text for
// them all, and the memory the open takes stays a small multiple of the file.
TEST(XlsReader, EqualSharedStringsShareOneText) {
  constexpr uint32_t kStrings = 2000;  // one SST record holds them: 3 bytes each
  Bytes sst;
  sst.u32(kStrings).u32(kStrings);
  for (uint32_t i = 0; i < kStrings; ++i) sst.u16(i % 2 == 0 ? 0 : 1).u8(0).raw(i % 2 == 0 ? std::vector<uint8_t>{} : std::vector<uint8_t>{'x'});
  SheetSpec sheet;
  sheet.records = {{rt::LabelSst, cell(0, 0).u32(0)}, {rt::LabelSst, cell(0, 1).u32(kStrings - 2)},
                   {rt::LabelSst, cell(1, 0).u32(1)}, {rt::LabelSst, cell(1, 1).u32(kStrings - 1)}};
  const std::vector<uint8_t> file = xls_test::compound_file(workbook_stream({{rt::SST, sst}}, {sheet}));
  const tabrel::test_support::AllocationCounter counter;
  const auto book = xls::read_workbook(file);
  if (tabrel::test_support::AllocationCounter::active()) {
    EXPECT_LT(counter.since().bytes, 20 * file.size());
  }
  const auto& cells = book->sheets[0]->cells;
  EXPECT_EQ(cells.find({0, 0})->value.as_text(), u"");
  EXPECT_EQ(cells.find({1, 1})->value.as_text(), u"x");
  EXPECT_EQ(&cells.find({0, 0})->value.as_rich(), &cells.find({0, 1})->value.as_rich());
  EXPECT_EQ(&cells.find({1, 0})->value.as_rich(), &cells.find({1, 1})->value.as_rich());
}

// Whole rows of formatted blank cells (two bytes a cell in the file) stay a small multiple of
// the file in memory, and still read as cells with their formats.
TEST(XlsReader, RowsOfFormattedBlanksStayCompact) {
  constexpr uint16_t kRows = 1024;
  SheetSpec sheet;
  for (uint16_t r = 0; r < kRows; ++r) {
    Bytes run;
    run.u16(r).u16(0);
    for (int c = 0; c < model::kMaxColumns; ++c) run.u16(r % 2 == 0 ? 21 : 22);
    run.u16(model::kMaxColumns - 1);
    sheet.records.push_back({rt::MulBlank, run});
  }
  sheet.records.push_back({rt::Number, cell(kRows / 2, 7).f64(5)});  // one value inside the blanks
  const std::vector<uint8_t> file = xls_test::compound_file(workbook_stream({}, {sheet}));
  const tabrel::test_support::AllocationCounter counter;
  const auto book = xls::read_workbook(file);
  if (tabrel::test_support::AllocationCounter::active()) {
    EXPECT_LT(counter.since().bytes, 4 * file.size());
  }
  const auto& cells = book->sheets[0]->cells;
  EXPECT_EQ(cells.size(), size_t{kRows} * model::kMaxColumns);
  EXPECT_EQ(cells.find({0, 0})->xf, 21);
  EXPECT_EQ(cells.find({kRows - 1, 255})->xf, 22);
  EXPECT_EQ(cells.find({kRows / 2, 7})->value.as_number(), 5);
  EXPECT_EQ(cells.find({kRows / 2, 7})->xf, 15);
  EXPECT_EQ(cells.find({kRows / 2, 8})->xf, 21);
  EXPECT_EQ(cells.used_range(), (model::RangeRef{{0, 0}, {kRows - 1, 255}}));
}

TEST(XlsReader, SheetsKeepKindVisibilityAndTabOrder) {
  SheetSpec first{u"데이터", 0, 0, 0x0010, {{rt::Number, cell(0, 0).f64(1)}}};
  SheetSpec hidden{u"숨김", 1, 0, 0x0010, {}};
  SheetSpec chart{u"Chart1", 2, 2, 0x0020, {{rt::Units, Bytes().u16(0)}}};
  SheetSpec macro{u"Macro1", 0, 1, 0x0040, {}};
  SheetSpec dialog{u"Dialog1", 0, 0, 0x0010, {{rt::WsBool, Bytes().u16(0x0010)}}};
  const auto book = open({}, {first, hidden, chart, macro, dialog});
  ASSERT_EQ(book->sheets.size(), 5u);
  const std::vector<std::tuple<std::u16string, model::SheetKind, model::Visibility>> expected = {
      {u"데이터", model::SheetKind::Worksheet, model::Visibility::Visible},
      {u"숨김", model::SheetKind::Worksheet, model::Visibility::Hidden},
      {u"Chart1", model::SheetKind::ChartSheet, model::Visibility::VeryHidden},
      {u"Macro1", model::SheetKind::MacroSheet, model::Visibility::Visible},
      {u"Dialog1", model::SheetKind::DialogSheet, model::Visibility::Visible},
  };
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(book->sheets[i]->name, std::get<0>(expected[i]));
    EXPECT_EQ(book->sheets[i]->kind, std::get<1>(expected[i]));
    EXPECT_EQ(book->sheets[i]->visibility, std::get<2>(expected[i]));
  }
  EXPECT_EQ(book->sheets[0]->cells.size(), 1u);
  // The chart sheet's substream is kept whole: BOF, UNITS, EOF.
  ASSERT_EQ(book->sheets[2]->chart.records.size(), 3u);
  EXPECT_EQ(book->sheets[2]->chart.records[1].id, rt::Units);
}

// Substreams stored in another order than the tabs: the tab order wins.
TEST(XlsReader, SheetOrderFollowsTheSheetListNotTheStream) {
  RecordStream s;
  s.record(rt::BOF, xls_test::bof(0x0005));
  const size_t a = s.record(rt::BoundSheet8, xls_test::boundsheet(u"A"));
  const size_t b = s.record(rt::BoundSheet8, xls_test::boundsheet(u"B"));
  s.record(rt::Eof, {});
  for (auto [entry, value] : {std::pair{b, 2.0}, std::pair{a, 1.0}}) {
    s.patch_u32(entry + 4, static_cast<uint32_t>(s.position()));
    s.record(rt::BOF, xls_test::bof(0x0010));
    s.record(rt::Number, cell(0, 0).f64(value));
    s.record(rt::Eof, {});
  }
  const auto book = xls::read_workbook(xls_test::compound_file(s.data()));
  EXPECT_EQ(book->sheets[0]->name, u"A");
  EXPECT_EQ(book->sheets[0]->cells.find({0, 0})->value.as_number(), 1.0);
  EXPECT_EQ(book->sheets[1]->cells.find({0, 0})->value.as_number(), 2.0);
}

TEST(XlsReader, ReadsFromCompoundFilesWith4096ByteSectors) {
  SheetSpec sheet;
  for (uint16_t r = 0; r < 800; ++r) sheet.records.push_back({rt::Number, cell(r, 0).f64(r)});
  const auto stream = workbook_stream({}, {sheet});
  ASSERT_GT(stream.size(), 4096u);  // a stream of its own sectors, not the mini stream
  const auto book = xls::read_workbook(xls_test::compound_file(stream, u"Workbook", cfb::SectorSize::Bytes4096));
  EXPECT_EQ(book->sheets[0]->cells.size(), 800u);
  EXPECT_EQ(book->sheets[0]->cells.find({799, 0})->value.as_number(), 799);
}

// OfficeArt bytes of comment shapes: the drawing's containers, then per shape its container,
// shape record, properties with a name, anchor and client data.
std::vector<uint8_t> comment_shapes(const std::vector<uint32_t>& shape_ids) {
  const std::u16string name = u"Comment 1";
  Bytes props;
  props.u16(0x8380).u32(static_cast<uint32_t>((name.size() + 1) * 2));
  for (char16_t ch : name) props.u16(ch);
  props.u16(0);
  Bytes group;
  for (uint32_t id : shape_ids) {
    Bytes sp;
    sp.u16(0x0CA2).u16(0xF00A).u32(8).u32(id).u32(0x0A00);                                // rectangle type 202
    sp.u16(0x0013).u16(0xF00B).u32(static_cast<uint32_t>(props.data().size())).raw(props);  // one property
    sp.u16(0x0000).u16(0xF010).u32(18).u16(0x0003).u16(2).u16(100).u16(1).u16(50).u16(4).u16(200).u16(6).u16(80);
    sp.u16(0x0000).u16(0xF011).u32(0);
    group.u16(0x000F).u16(0xF004).u32(static_cast<uint32_t>(sp.data().size())).raw(sp);
  }
  Bytes dg;
  dg.u16(0x000F).u16(0xF003).u32(static_cast<uint32_t>(group.data().size())).raw(group);
  return Bytes().u16(0x000F).u16(0xF002).u32(static_cast<uint32_t>(dg.data().size())).raw(dg);
}

std::vector<uint8_t> comment_shape(uint32_t shape_id) { return comment_shapes({shape_id}); }

TEST(XlsReader, CommentsJoinNoteObjectTextAndShape) {
  const std::u16string text = u"작성자:\n확인";
  SheetSpec sheet;
  sheet.records = {
      {rt::MsoDrawing, comment_shape(1025)},
      {rt::Obj, Bytes().u16(0x15).u16(0x12).u16(25).u16(7).u16(0x4011).zeros(12).u16(0).u16(0)},
      {rt::MsoDrawing, Bytes().u16(0).u16(0xF00D).u32(0)},
      {rt::TxO, Bytes().u16(0x0212).u16(0).zeros(6).u16(static_cast<uint16_t>(text.size())).u16(16).u16(0).zeros(4)},
      {rt::Continue, Bytes().chars(text)},
      {rt::Continue, Bytes().u16(0).u16(5).u32(0).u16(static_cast<uint16_t>(text.size())).u16(0).u32(0)},
      {rt::Note, cell(2, 1, 0).u16(7).string16(u"작성자").u8(0)},
  };
  sheet.records.back().payload[4] = 0x02;  // shown
  const auto book = open({}, {sheet});
  const auto& s = *book->sheets[0];
  ASSERT_EQ(s.comments.size(), 1u);
  const auto& note = s.comments[0];
  EXPECT_EQ(note.cell, (model::CellRef{2, 1}));
  EXPECT_EQ(note.author, u"작성자");
  EXPECT_EQ(note.text.text, text);
  ASSERT_EQ(note.text.runs.size(), 1u);
  EXPECT_EQ(note.text.runs[0].font, 5);
  EXPECT_TRUE(note.visible);
  ASSERT_EQ(note.drawing_index, 0);
  const auto& shape = s.drawings[0];
  EXPECT_EQ(shape.object_type, 25);
  EXPECT_EQ(shape.shape_id, 1025u);
  EXPECT_EQ(shape.autoshape_type, 202);
  EXPECT_EQ(shape.name, u"Comment 1");
  EXPECT_EQ(shape.anchor, (model::Anchor{2, 100, 1, 50, 4, 200, 6, 80, 3}));
  EXPECT_EQ(shape.obj_records.size(), 2u);  // OBJ and TXO
}

// Containers that claim more bytes than the drawing holds are read up to its end: every complete
// record is kept, a record cut short ends the walk, and the cells and objects are always read.
TEST(XlsReader, DrawingContainersLongerThanTheirBytesKeepTheirShapes) {
  const auto whole = comment_shape(1025);
  struct Case {
    const char* what;
    size_t keep;  // bytes of the drawing that remain
    uint32_t shape_id;  // 0: the shape lost its client data, so no object claims it
  };
  for (const Case& c : {Case{"lengths past the end", whole.size(), 1025},
                        Case{"anchor cut short", whole.size() - 16, 0},
                        Case{"shape record cut short", 36, 0}}) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> drawing(whole.begin(), whole.begin() + static_cast<long>(c.keep));
    drawing[4] = drawing[5] = 0xFF;  // the outer container claims more bytes than follow
    drawing[20] = drawing[21] = 0xFF;  // and so does the shape's own container
    SheetSpec sheet;
    sheet.records = {{rt::Number, cell(0, 0).f64(7)},
                     {rt::MsoDrawing, drawing},
                     {rt::Obj, Bytes().u16(0x15).u16(0x12).u16(2).u16(3).u16(0).zeros(12).u16(0).u16(0)}};
    const auto book = open({}, {sheet});
    const auto& s = *book->sheets[0];
    EXPECT_EQ(s.cells.find({0, 0})->value.as_number(), 7);
    ASSERT_EQ(s.drawings.size(), 1u);
    const auto& obj = s.drawings[0];
    EXPECT_EQ(obj.object_type, 2);
    EXPECT_EQ(obj.shape_id, c.shape_id);
    EXPECT_EQ(obj.anchor == (model::Anchor{2, 100, 1, 50, 4, 200, 6, 80, 3}), c.shape_id != 0);
  }
}

// Some writers put the rest of a drawing in CONTINUE records after an OBJ record or after a text
// box's text and runs: those bytes belong to the drawing, not to the OBJ or TXO record.
TEST(XlsReader, DrawingContinuedAfterObjectAndTextBoxRecords) {
  const auto drawing = comment_shapes({1025, 1026});
  const size_t second = 16 + (drawing.size() - 16) / 2;  // where the second shape's container starts
  auto part = [&](size_t from, size_t to) {
    return std::vector<uint8_t>(drawing.begin() + static_cast<long>(from), drawing.begin() + static_cast<long>(to));
  };
  auto obj = [](uint16_t id) { return Bytes().u16(0x15).u16(0x12).u16(25).u16(id).u16(0x4011).zeros(12).u16(0).u16(0); };
  const std::u16string text = u"메모";
  SheetSpec sheet;
  sheet.records = {
      {rt::MsoDrawing, part(0, second)},
      {rt::Obj, obj(1)},
      {rt::TxO, Bytes().u16(0x0212).u16(0).zeros(6).u16(static_cast<uint16_t>(text.size())).u16(16).u16(0).zeros(4)},
      {rt::Continue, Bytes().chars(text)},
      {rt::Continue, Bytes().u16(0).u16(5).u32(0).u16(static_cast<uint16_t>(text.size())).u16(0).u32(0)},
      {rt::Continue, part(second, second + 20)},
      {rt::Obj, obj(2)},
      {rt::Continue, part(second + 20, drawing.size())},
  };
  const auto book = open({}, {sheet});
  const auto& d = book->sheets[0]->drawings;
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].shape_id, 1025u);
  EXPECT_EQ(d[1].shape_id, 1026u);
  EXPECT_EQ(d[1].anchor, (model::Anchor{2, 100, 1, 50, 4, 200, 6, 80, 3}));
  EXPECT_EQ(d[0].text.text, text);
  ASSERT_EQ(d[0].obj_records.size(), 2u);
  EXPECT_EQ(d[0].obj_records[1].continue_offsets.size(), 2u);  // text and runs, not the drawing
  ASSERT_EQ(d[1].obj_records.size(), 1u);
  EXPECT_EQ(d[1].obj_records[0].payload, obj(2).data());
  EXPECT_TRUE(d[1].obj_records[0].continue_offsets.empty());
}

// A CF rule's differential format: what it sets is present, what it leaves alone is nullopt.
TEST(XlsReader, ConditionalFormatRuleKeepsOnlyWhatItSets) {
  Bytes font_block;
  font_block.zeros(64).u32(0xFFFFFFFF).u32(0).u16(700).u16(0).u8(0).u8(0).u8(0).u8(0);  // no height
  font_block.u32(10).u32(0);                                    // colour 10
  font_block.u32(0x02 | 0x80).u32(1).u32(1).u32(0).u32(0).u32(0).u32(0).u16(0);  // only weight set
  ASSERT_EQ(font_block.data().size(), 118u);
  const uint32_t flags = (1u << 26) | (1u << 29) | 0x3FF | (1u << 10) | (1u << 11) | (1u << 12) | (1u << 13) | (1u << 18);
  Bytes cf;
  cf.u8(1).u8(5).u16(3).u16(0).u32(flags).u16(0).raw(font_block).u16(1u << 10).u16(13 | (9 << 7));
  cf.raw({0x1E, 100, 0});
  SheetSpec sheet;
  sheet.records = {{rt::CondFmt, Bytes().u16(1).u16(1).u16(0).u16(9).u16(0).u16(2).u16(1).u16(0).u16(9).u16(0).u16(2)},
                   {rt::CF, cf},
                   {rt::CF, Bytes().u8(2).u8(0).u16(1).u16(0).u32(0x3FFFFF).u16(0).raw({0x1D})}};
  const auto book = open({}, {sheet});
  const auto& cfs = book->sheets[0]->conditional_formats;
  ASSERT_EQ(cfs.size(), 1u);
  EXPECT_EQ(cfs[0].ranges, (std::vector<model::RangeRef>{{{0, 0}, {9, 2}}}));
  ASSERT_EQ(cfs[0].rules.size(), 2u);
  const auto& r = cfs[0].rules[0];
  EXPECT_EQ(r.type, 1);
  EXPECT_EQ(r.op, 5);
  EXPECT_EQ(r.formula1, (std::vector<uint8_t>{0x1E, 100, 0}));
  ASSERT_TRUE(r.font.has_value());
  EXPECT_EQ(r.font->bold, true);
  EXPECT_EQ(r.font->italic, std::nullopt);
  EXPECT_EQ(r.font->underline, std::nullopt);
  EXPECT_EQ(r.font->height, std::nullopt);
  EXPECT_EQ(r.font->color, 10);
  ASSERT_TRUE(r.fill.has_value());
  EXPECT_EQ(r.fill->pattern, 1);
  EXPECT_EQ(r.fill->pattern_color, 13);
  EXPECT_EQ(r.fill->background_color, std::nullopt);
  EXPECT_FALSE(r.border.has_value());
  const auto& formula_rule = cfs[0].rules[1];
  EXPECT_EQ(formula_rule.type, 2);
  EXPECT_FALSE(formula_rule.font.has_value());
  EXPECT_EQ(formula_rule.formula1, (std::vector<uint8_t>{0x1D}));
}

// The newer records: a CONDFMT12 format with its CF12 rules, a CFEX that gives a classic rule its
// template and priority, and a CF12 rule that a CFEX files under a classic format. The newer
// records stay as stored for the writer.
Bytes future_header(uint16_t id) { return std::move(Bytes().u16(id).u16(1).zeros(8)); }

Bytes cf12(uint8_t type, uint16_t priority, uint16_t template_kind, const Bytes& differential = {}) {
  Bytes b = future_header(rt::CF12);
  b.u8(type).u8(0).u16(type == 2 ? 1 : 0).u16(0);
  if (differential.data().empty()) b.u32(0).u16(0);
  else b.u32(static_cast<uint32_t>(differential.data().size())).raw(differential);
  if (type == 2) b.u8(0x1D);  // TRUE
  b.u16(0);                   // no activity formula
  b.u8(0).u16(priority).u16(template_kind).u8(16).zeros(16);
  b.zeros(24);                // the type's own block, not decoded
  return b;
}

TEST(XlsReader, NewerConditionalFormatRecordsBecomeRules) {
  const Bytes ranges = std::move(Bytes().u16(0).u16(0).u16(0).u16(0).u16(1).u16(0).u16(9).u16(0).u16(0));
  Bytes condfmt = std::move(Bytes().u16(2).u16(7 << 1).raw(ranges));
  Bytes condfmt12 = future_header(rt::CondFmt12);
  condfmt12.u16(2).u16(8 << 1).raw(ranges);
  const Bytes classic = std::move(Bytes().u8(2).u8(0).u16(1).u16(0).u32(0x3FFFFF).u16(0).raw({0x1D}));
  Bytes extends_second = future_header(rt::CFEx);
  extends_second.u32(0).u16(7).u16(1).u8(0).u8(0x08).u16(1).u8(1).u8(0).u8(16).zeros(16);
  Bytes precedes = future_header(rt::CFEx);
  precedes.u32(1).u16(7);
  Bytes bold;  // a DXFN that sets only the weight
  bold.u32(1u << 26).u16(0).zeros(64).u32(0xFFFFFFFF).u32(0).u16(700).u16(0).u8(0).u8(0).u8(0).u8(0)
      .u32(0xFFFFFFFF).u32(0).u32(0x82).u32(1).u32(1).u32(0).u32(0).u32(0).u32(0).u16(0);
  bold.zeros(4);  // an extension after the format, skipped by its size
  SheetSpec sheet;
  sheet.records = {{rt::CondFmt, condfmt},          {rt::CF, classic},          {rt::CF, classic},
                   {rt::CondFmt12, condfmt12},      {rt::CF12, cf12(3, 4, 2)},  {rt::CF12, cf12(2, 2, 0x09, bold)},
                   {rt::CFEx, extends_second},      {rt::CFEx, precedes},       {rt::CF12, cf12(6, 3, 4)}};
  const auto book = open({}, {sheet});
  const auto& cfs = book->sheets[0]->conditional_formats;
  ASSERT_EQ(cfs.size(), 2u);
  EXPECT_EQ(cfs[0].id, 7);
  EXPECT_FALSE(cfs[0].from_condfmt12);
  ASSERT_EQ(cfs[0].rules.size(), 3u);
  EXPECT_EQ(cfs[0].rules[0].template_kind, std::nullopt);
  EXPECT_EQ(cfs[0].rules[1].template_kind, 0x08);
  EXPECT_EQ(cfs[0].rules[1].priority, 1);
  EXPECT_FALSE(cfs[0].rules[1].from_cf12);
  EXPECT_EQ(cfs[0].rules[2].type, 6);
  EXPECT_EQ(cfs[0].rules[2].priority, 3);
  EXPECT_TRUE(cfs[0].rules[2].from_cf12);
  ASSERT_EQ(cfs[0].extended.size(), 3u);  // both CFEX and the icon set's CF12
  EXPECT_TRUE(cfs[1].from_condfmt12);
  EXPECT_EQ(cfs[1].ranges, (std::vector<model::RangeRef>{{{0, 0}, {9, 0}}}));
  ASSERT_EQ(cfs[1].rules.size(), 2u);
  EXPECT_EQ(cfs[1].rules[0].type, 3);
  EXPECT_EQ(cfs[1].rules[0].template_kind, 2);
  const auto& blanks = cfs[1].rules[1];
  EXPECT_EQ(blanks.type, 2);
  EXPECT_EQ(blanks.template_kind, 0x09);
  EXPECT_EQ(blanks.priority, 2);
  EXPECT_EQ(blanks.formula1, (std::vector<uint8_t>{0x1D}));
  ASSERT_TRUE(blanks.font.has_value());
  EXPECT_EQ(blanks.font->bold, true);
  EXPECT_EQ(cfs[1].extended.size(), 3u);  // CONDFMT12 and both CF12
}

TEST(XlsReader, DamagedNewerConditionalFormatRecordsAreCorrupt) {
  Bytes oversized = future_header(rt::CF12);
  oversized.u8(4).u8(0).u16(0).u16(0).u32(5000).u16(0);  // a differential format past the record
  for (const Bytes& bad : {oversized, Bytes(future_header(rt::CF12)).u8(3)}) {
    SheetSpec sheet;
    sheet.records = {{rt::CF12, bad}};
    EXPECT_EQ(open_error(xls_test::compound_file(workbook_stream({}, {sheet}))), Kind::Corrupt);
  }
}

TEST(XlsReader, ColumnInfoLaterRecordsSplitEarlierRanges) {
  SheetSpec sheet;
  sheet.records = {{rt::ColInfo, Bytes().u16(0).u16(9).u16(3000).u16(15).u16(0x0002).u16(0)},
                   {rt::ColInfo, Bytes().u16(3).u16(4).u16(0).u16(15).u16(0x0001 | 0x0200).u16(0)},
                   {rt::Row, Bytes().u16(4).u16(0).u16(3).u16(600).u32(0).u32(0x0100 | 0x40 | 0x20 | 0x2 | (20u << 16))}};
  const auto book = open({}, {sheet});
  const auto& s = *book->sheets[0];
  ASSERT_EQ(s.columns.size(), 3u);
  EXPECT_EQ(s.columns[0].last, 2);
  EXPECT_EQ(s.columns[1].first, 3);
  EXPECT_TRUE(s.columns[1].hidden);
  EXPECT_EQ(s.columns[1].outline_level, 2);
  EXPECT_EQ(s.columns[2].first, 5);
  EXPECT_EQ(s.column_width(7), 3000);
  const auto& row = s.rows.at(4);
  EXPECT_EQ(row.height, 600);
  EXPECT_TRUE(row.hidden);
  EXPECT_TRUE(row.custom_height);
  EXPECT_EQ(row.outline_level, 2);
  EXPECT_EQ(row.xf, 20);
}

// The autofilter's range comes from the sheet's _FilterDatabase name; a button's macro is named
// by the formula of its OBJ record.
TEST(XlsReader, AutoFilterRangeAndButtonMacroAreLinkedAfterReading) {
  const std::vector<uint8_t> filter_name =
      Bytes().u16(0x0021).u8(0).u8(1).u16(11).u16(0).u16(1).u32(0).chars(u"\x0D").raw({0x3B, 0, 0, 0, 0, 21, 0, 0, 0, 4, 0});
  const std::vector<uint8_t> macro_name = Bytes().u16(0x000E).u8(0).u8(6).u16(0).u16(0).u16(0).u32(0).chars(u"Macro1");
  const std::vector<uint8_t> externsheet = Bytes().u16(1).u16(0).u16(0).u16(0);
  SheetSpec sheet;
  sheet.records = {
      {rt::AutoFilterInfo, Bytes().u16(5)},
      {rt::FilterMode, {}},
      {rt::AutoFilter, Bytes().u16(2).u16(0x0004).u8(6).u8(2).u32(0).u8(2).zeros(3).zeros(10).chars(u"서울")},
      {rt::Obj, Bytes().u16(0x15).u16(0x12).u16(7).u16(1).u16(0x6011).zeros(12).u16(0x04).u16(12).u16(5).u32(0)
                    .raw({0x23, 2, 0, 0, 0}).u8(0).u16(0).u16(0)},
  };
  const auto book = open({{rt::SupBook, Bytes().u16(1).u16(0x0401)}, {rt::ExternSheet, externsheet},
                          {rt::Lbl, filter_name}, {rt::Lbl, macro_name}},
                         {sheet});
  const auto& s = *book->sheets[0];
  ASSERT_TRUE(s.autofilter.has_value());
  EXPECT_EQ(s.autofilter->range, (model::RangeRef{{0, 0}, {21, 4}}));
  EXPECT_EQ(s.autofilter->drop_downs, 5);
  EXPECT_TRUE(s.autofilter->filter_mode);
  ASSERT_EQ(s.autofilter->columns.size(), 1u);
  const auto& col = s.autofilter->columns[0];
  EXPECT_EQ(col.index, 2);
  EXPECT_TRUE(col.simple1);
  EXPECT_EQ(col.first.op, 2);
  EXPECT_EQ(col.first.text, u"서울");
  EXPECT_EQ(book->names[0].name, u"_FilterDatabase");
  EXPECT_TRUE(book->names[0].hidden());
  ASSERT_EQ(s.drawings.size(), 1u);
  EXPECT_EQ(s.drawings[0].object_type, 7);
  EXPECT_EQ(s.drawings[0].macro, u"Macro1");
}

// A damaged drawing leaves the cells readable: the parts that cannot be read are left out and
// the sheet says why.
TEST(XlsReader, DamagedObjectsAreLeftOutAndListed) {
  const auto button = [](uint16_t id, const Bytes& macro) {
    return Bytes().u16(0x15).u16(0x12).u16(7).u16(id).u16(0x6011).zeros(12).raw(macro.data());
  };
  struct Case {
    const char* name;
    std::vector<Rec> records;
    size_t objects, comments;
  };
  const std::vector<uint8_t> drawing = comment_shapes({1025, 1026});
  const Case cases[] = {
      {"macro sub-record past the record", {{rt::Obj, button(1, Bytes().u16(0x04).u16(40).u16(5).u32(0))}}, 1, 0},
      {"macro formula past its sub-record",
       {{rt::Obj, button(1, Bytes().u16(0x04).u16(8).u16(30).u32(0).u16(0).u32(0))}}, 1, 0},
      {"macro naming no name",
       {{rt::Obj, button(1, Bytes().u16(0x04).u16(12).u16(5).u32(0).raw({0x23, 9, 0, 0, 0}).u8(0).u32(0))}}, 1, 0},
      {"text box cut short", {{rt::Obj, button(1, Bytes().u32(0))}, {rt::TxO, Bytes().u16(0x0212)}}, 1, 0},
      {"comment cut short", {{rt::Note, Bytes().u16(1)}}, 0, 0},
      {"drawing cut short",
       {{rt::MsoDrawing, std::vector<uint8_t>(drawing.begin(), drawing.end() - 30)},
        {rt::Obj, button(1, Bytes().u32(0))}, {rt::Obj, button(2, Bytes().u32(0))}}, 2, 0},
  };
  for (const Case& c : cases) {
    SheetSpec sheet;
    sheet.records = c.records;
    sheet.records.insert(sheet.records.begin(), {rt::Number, cell(0, 0).f64(42)});
    const auto book = open({}, {sheet});
    const auto& s = *book->sheets[0];
    EXPECT_EQ(s.cells.find({0, 0})->value.as_number(), 42) << c.name;
    EXPECT_EQ(s.drawings.size(), c.objects) << c.name;
    EXPECT_EQ(s.comments.size(), c.comments) << c.name;
    for (const auto& d : s.drawings) EXPECT_TRUE(d.macro.empty()) << c.name;
    EXPECT_FALSE(s.problems.empty()) << c.name;
  }
}

std::unique_ptr<model::Workbook> written_and_read(const model::Workbook& book) {
  return xls::read_workbook(xls::write_workbook(book));
}

// An external book keeps its names' sheet indexes and its cached cells, sheet by sheet; a cache
// with no external book before it stays as stored. The writer gives all of it back.
TEST(XlsReader, ExternalBooksKeepNameSheetsAndCellCaches) {
  const std::vector<uint8_t> row0 = Bytes().u8(1).u8(0).u16(0).u8(1).f64(5).u8(1).f64(6);
  const std::vector<uint8_t> row1 = Bytes().u8(0).u8(0).u16(1).u8(2).string16(u"원");
  const auto book = open({{rt::SupBook, Bytes().u16(2).string16(u"\x01rates.xls").string16(u"S1").string16(u"S2")},
                          {rt::ExternName, Bytes().u16(0).u32(2).string8(u"Rate").u16(0)},
                          {rt::XCT, Bytes().u16(2).u16(1)},
                          {rt::CRN, row0},
                          {rt::CRN, row1},
                          {rt::XCT, Bytes().u16(0).u16(0)},
                          {rt::SupBook, Bytes().u16(1).u16(0x0401)},
                          {rt::XCT, Bytes().u16(1).u16(0)},
                          {rt::CRN, row0},
                          {rt::ExternSheet, Bytes().u16(1).u16(0).u16(0).u16(1)}},
                         {SheetSpec{}});
  const auto& external = book->externals.books.at(0);
  ASSERT_EQ(external.names.size(), 1u);
  EXPECT_EQ(external.names[0].name, u"Rate");
  EXPECT_EQ(external.names[0].sheet_index, 2u);
  EXPECT_EQ(external.cell_caches, (std::vector<model::ExternalSheetCache>{{1, {row0, row1}}, {0, {}}}));
  std::vector<uint16_t> kept;
  for (const auto& r : book->other_records)
    if (r.id == rt::XCT || r.id == rt::CRN) kept.push_back(r.id);
  EXPECT_EQ(kept, (std::vector<uint16_t>{rt::XCT, rt::CRN}));  // after the workbook's own SUPBOOK
  EXPECT_EQ(written_and_read(*book)->externals, book->externals);
}

TEST(XlsReader, CellFormatKeepsItsLotusPrefixFlag) {
  auto xf = [](uint16_t protection) { return Bytes().u16(0).u16(0).u16(protection).u8(0x20).zeros(3).zeros(10); };
  const auto book = open({{rt::XF, xf(0x0001)}, {rt::XF, xf(0x0009)}}, {SheetSpec{}});
  ASSERT_EQ(book->styles.xfs.size(), 2u);
  EXPECT_FALSE(book->styles.xfs[0].prefix_123);
  EXPECT_TRUE(book->styles.xfs[1].prefix_123);
  EXPECT_TRUE(book->styles.xfs[1].locked);
  EXPECT_TRUE(written_and_read(*book)->styles.xfs.at(1).prefix_123);
}

// Selections and filters inside a custom view belong to the view: kept as stored in their place,
// not taken for the sheet's own.
TEST(XlsReader, CustomViewsKeepTheirSelectionsAndFilters) {
  auto selection = [](uint16_t row, uint8_t col) {
    return Bytes().u8(3).u16(row).u16(col).u16(0).u16(1).u16(row).u16(row).u8(col).u8(col);
  };
  SheetSpec sheet;
  sheet.records = {{rt::Selection, selection(4, 2)},
                   {rt::UserSViewBegin, Bytes().zeros(64)},
                   {rt::Selection, selection(9, 5)},
                   {rt::AutoFilterInfo, Bytes().u16(3)},
                   {rt::UserSViewEnd, Bytes().u16(1)}};
  const auto book = open({}, {sheet});
  const auto& s = *book->sheets[0];
  ASSERT_EQ(s.view.selections.size(), 1u);
  EXPECT_EQ(s.view.selections[0].active, (model::CellRef{4, 2}));
  EXPECT_FALSE(s.autofilter.has_value());
  std::vector<uint16_t> kept;
  for (const auto& r : s.other_records) kept.push_back(r.id);
  EXPECT_EQ(kept, (std::vector<uint16_t>{rt::UserSViewBegin, rt::Selection, rt::AutoFilterInfo, rt::UserSViewEnd}));
  const auto again = written_and_read(*book);
  EXPECT_EQ(again->sheets[0]->view.selections, s.view.selections);
  const auto& written = again->sheets[0]->other_records;
  const auto begin = std::find_if(written.begin(), written.end(), [](const auto& r) { return r.id == rt::UserSViewBegin; });
  ASSERT_LE(s.other_records.size(), static_cast<size_t>(written.end() - begin));
  EXPECT_TRUE(std::equal(s.other_records.begin(), s.other_records.end(), begin));
}

// The macro project, pivot caches and document properties travel with the workbook as stored.
TEST(XlsReader, OtherStreamsOfTheFileAreKept) {
  cfb::CompoundWriter w;
  w.add_stream(u"Workbook", workbook_stream({{rt::ObProj, {}}, {rt::CodeName, Bytes().string16(u"ThisWorkbook")}}, {SheetSpec{}}));
  w.add_stream(u"_VBA_PROJECT_CUR/VBA/dir", {1, 2, 3});
  w.add_stream(u"\x05SummaryInformation", {4, 5});
  w.add_storage(u"_SX_DB_CUR");
  const auto book = xls::read_workbook(w.finish());
  EXPECT_TRUE(book->macro_project.has_value());
  EXPECT_EQ(book->code_name, u"ThisWorkbook");
  ASSERT_NE(book->stream(u"_VBA_PROJECT_CUR/VBA/dir"), nullptr);
  EXPECT_TRUE(std::ranges::equal(book->stream(u"_VBA_PROJECT_CUR/VBA/dir")->bytes(), std::vector<uint8_t>{1, 2, 3}));
  ASSERT_NE(book->stream(u"\x05SummaryInformation"), nullptr);
  ASSERT_NE(book->stream(u"_SX_DB_CUR"), nullptr);
  EXPECT_TRUE(book->stream(u"_SX_DB_CUR")->is_storage);
  EXPECT_EQ(book->stream(u"Workbook"), nullptr);
}

// Entries that point at the same sectors share their bytes; beyond twice the file's size the
// file is refused, since writing it back would multiply them.
TEST(XlsReader, StreamsOnTheSameSectorsAreKeptOnceWithinTheFileSize) {
  auto file_with_copies = [](size_t copies) {
    cfb::CompoundWriter w;
    w.add_stream(u"Workbook", workbook_stream({}, {SheetSpec{}}));
    w.add_stream(u"Big", std::vector<uint8_t>(30000, 7));
    for (size_t i = 0; i < copies; ++i) w.add_stream(u"Copy" + std::u16string(1, u'A' + i), {1});
    std::vector<uint8_t> bytes = w.finish();
    EXPECT_EQ(tabrel::test_support::point_entries_at(bytes, u"Big", u"Copy"), copies);
    return bytes;
  };
  const auto book = xls::read_workbook(file_with_copies(1));
  ASSERT_NE(book->stream(u"CopyA"), nullptr);
  EXPECT_EQ(book->stream(u"CopyA")->shared, book->stream(u"Big")->shared);
  EXPECT_EQ(book->stream(u"CopyA")->bytes().size(), 30000u);
  try {
    xls::read_workbook(file_with_copies(20));
    ADD_FAILURE() << "opened";
  } catch (const xls::OpenError& e) {
    EXPECT_EQ(e.kind, Kind::Corrupt);
    EXPECT_EQ(e.message, u"파일이 손상되어 열 수 없습니다. 여러 스트림이 같은 데이터를 가리킵니다.");
  }
}

std::vector<uint8_t> minimal_file() { return xls_test::compound_file(workbook_stream({}, {SheetSpec{}})); }

TEST(XlsReader, OpeningFailsWithATypedError) {
  // Not a compound file at all.
  EXPECT_EQ(open_error(std::vector<uint8_t>(1024, 'x')), Kind::NotCompoundFile);
  EXPECT_EQ(open_error({}), Kind::NotCompoundFile);
  // A compound file without a workbook stream, and one with the older "Book" stream.
  EXPECT_EQ(open_error(xls_test::compound_file({1, 2, 3}, u"Other")), Kind::NoWorkbookStream);
  EXPECT_EQ(open_error(xls_test::compound_file(workbook_stream({}, {}), u"Book")), Kind::OldBiffVersion);
  // A BIFF4 workbook: a bare record stream, no compound file.
  EXPECT_EQ(open_error(Bytes().u16(0x0409).u16(6).u16(0).u16(0x0010).u16(0).raw(std::vector<uint8_t>(600, 0))), Kind::OldBiffVersion);
  // A BIFF5 BOF in a stream named as BIFF8's.
  RecordStream old;
  old.record(rt::BOF, xls_test::bof(0x0005, 0x0500));
  old.record(rt::Eof, {});
  EXPECT_EQ(open_error(xls_test::compound_file(old.data())), Kind::OldBiffVersion);
}

TEST(XlsReader, DamagedStreamsAreCorrupt) {
  const auto stream = workbook_stream({}, {SheetSpec{u"S", 0, 0, 0x0010, {{rt::Number, cell(0, 0).f64(1)}}}});
  // Cut inside a record.
  EXPECT_EQ(open_error(xls_test::compound_file({stream.begin(), stream.end() - 7})), Kind::Corrupt);
  // No BOF first.
  EXPECT_EQ(open_error(xls_test::compound_file({stream.begin() + 20, stream.end()})), Kind::Corrupt);
  // A shared string index past the table, a column past IV, a record shorter than its layout.
  for (const Rec& bad : {Rec{rt::LabelSst, cell(0, 0).u32(0)}, Rec{rt::Number, cell(0, 256).f64(1)},
                         Rec{rt::Number, cell(0, 0).u16(1)}}) {
    EXPECT_EQ(open_error(xls_test::compound_file(workbook_stream({}, {SheetSpec{u"S", 0, 0, 0x0010, {bad}}}))), Kind::Corrupt);
  }
  // Two sheets at one stream position.
  RecordStream s;
  s.record(rt::BOF, xls_test::bof(0x0005));
  const size_t a = s.record(rt::BoundSheet8, xls_test::boundsheet(u"A"));
  const size_t b = s.record(rt::BoundSheet8, xls_test::boundsheet(u"B"));
  s.record(rt::Eof, {});
  s.patch_u32(a + 4, static_cast<uint32_t>(s.position()));
  s.patch_u32(b + 4, static_cast<uint32_t>(s.position()));
  s.record(rt::BOF, xls_test::bof(0x0010));
  s.record(rt::Eof, {});
  EXPECT_EQ(open_error(xls_test::compound_file(s.data())), Kind::Corrupt);
}

// Counts and sizes in a hostile file are checked against the record before anything is allocated
// for them; the open ends with the corrupt-file error, never with an allocation failure.
TEST(XlsReader, HostileCountsAreCorrupt) {
  const Rec cases[] = {
      {rt::SST, Bytes().u32(1).u32(0xFFFFFFFF)},                                      // string count
      {rt::SST, Bytes().u32(1).u32(1).u16(0xFFFF).u8(0)},                            // characters
      {rt::SST, Bytes().u32(1).u32(1).u16(1).u8(0x08).u16(0xFFFF).u8('a')},           // rich runs
      {rt::SST, Bytes().u32(1).u32(1).u16(1).u8(0x04).u32(0xFFFFFFFF).u8('a')},       // extension
  };
  for (const Rec& sst : cases) {
    SCOPED_TRACE(testing::Message() << "SST of " << sst.payload.size() << " bytes");
    EXPECT_EQ(open_error(xls_test::compound_file(workbook_stream({sst}, {SheetSpec{}}))), Kind::Corrupt);
  }
}

class TempFile {
 public:
  explicit TempFile(const std::vector<uint8_t>& bytes)
      : path_(std::filesystem::temp_directory_path() / ("xls-reader-test-" + std::to_string(getpid()) + ".xls")) {
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  ~TempFile() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, ec);
    std::filesystem::remove(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

TEST(XlsReader, ReadsAReadOnlyFileAndLeavesItUnchanged) {
  const auto bytes = minimal_file();
  TempFile file(bytes);
  std::filesystem::permissions(file.path(), std::filesystem::perms::owner_read, std::filesystem::perm_options::replace);
  const auto before = std::filesystem::last_write_time(file.path());
  EXPECT_EQ(xls::read_workbook_file(file.path())->sheets.size(), 1u);
  EXPECT_EQ(std::filesystem::last_write_time(file.path()), before);
  std::ifstream in(file.path(), std::ios::binary);
  EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}), bytes);
}

TEST(XlsReader, MissingFileIsNotFound) {
  try {
    xls::read_workbook_file("/nonexistent/답안.xls");
    FAIL();
  } catch (const xls::OpenError& e) {
    EXPECT_EQ(e.kind, Kind::NotFound);
    EXPECT_EQ(e.message, u"파일을 찾을 수 없습니다.");
  }
}

// A file the user may not read is refused as such, without suggesting that another program
// holds it. Run in a child process that is not root (root reads any file).
TEST(XlsReader, FileWithoutReadPermissionSaysSo) {
  TempFile file(minimal_file());
  std::filesystem::permissions(file.path(), std::filesystem::perms::none, std::filesystem::perm_options::replace);
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && setuid(65534) != 0) std::_Exit(2);
        try {
          xls::read_workbook_file(file.path());
        } catch (const xls::OpenError& e) {
          const bool said = e.kind == Kind::NoPermission &&
                            e.message == u"파일을 읽을 권한이 없습니다. 파일의 읽기 권한을 확인하십시오.";
          std::_Exit(said ? 0 : 1);
        }
        std::_Exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tabrel
