// The workbook stream as a whole: record order, sheet positions, CONTINUE splitting, the
// drawing layer, encryption and the other streams of the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <unistd.h>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/cfb/compound_file.h"
#include "spreadsheet/crypto/crypto_error.h"
#include "spreadsheet/xls/write_office_art.h"
#include "spreadsheet/xls/writer.h"
#include "written_records.h"

namespace tabrel::xls {
namespace {

namespace rt = biff::rt;
using testing::substream_at;
using testing::types_of;
using testing::written_records;

uint32_t u32_at(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

model::Sheet& add_sheet(model::Workbook& wb, std::u16string name) {
  wb.sheets.push_back(std::make_unique<model::Sheet>());
  wb.sheets.back()->name = std::move(name);
  return *wb.sheets.back();
}

model::Workbook small_workbook() {
  model::Workbook wb;
  model::Sheet& a = add_sheet(wb, u"데이터");
  a.cells.at({0, 0}).value = model::CellValue::text(u"이름");
  a.cells.at({1, 0}).value = model::CellValue::number(1.5);
  a.cells.at({1, 1}).value = model::CellValue::number(3.14159265358979);
  a.view.selected = a.view.active = true;
  model::Sheet& b = add_sheet(wb, u"Chart");
  b.cells.at({40, 3}).value = model::CellValue::text(u"이름");
  return wb;
}

bool in_order(const std::vector<uint16_t>& types, std::initializer_list<uint16_t> wanted) {
  auto it = types.begin();
  for (uint16_t w : wanted) {
    it = std::find(it, types.end(), w);
    if (it == types.end()) return false;
  }
  return true;
}

TEST(WorkbookStream, SheetPositionsPointAtTheirSubstreams) {
  const auto file = write_workbook(small_workbook());
  EXPECT_EQ(testing::workbook_stream(file).size(), 4096u);  // padded out of the mini stream
  const auto records = written_records(file);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.front().type, rt::BOF);
  std::vector<const biff::Record*> sheets;
  for (const auto& r : records)
    if (r.type == rt::BoundSheet8) sheets.push_back(&r);
  ASSERT_EQ(sheets.size(), 2u);
  for (const biff::Record* s : sheets) {
    const auto sub = substream_at(records, u32_at(s->data, 0));
    ASSERT_FALSE(sub.empty());
    EXPECT_EQ(sub.front().offset, u32_at(s->data, 0));
    EXPECT_EQ(sub.front().type, rt::BOF);
    EXPECT_EQ(sub.front().data[2], 0x10);  // worksheet
    EXPECT_EQ(sub.back().type, rt::Eof);
    EXPECT_TRUE(in_order(types_of(sub), {rt::BOF, rt::WsBool, rt::DefColWidth, rt::Dimensions, rt::Row,
                                         rt::LabelSst, rt::Window2, rt::Eof}));
  }
  EXPECT_TRUE(in_order(types_of(records), {rt::BOF, rt::InterfaceHdr, rt::CodePage, rt::Window1, rt::Font, rt::XF,
                                           rt::Style, rt::BoundSheet8, rt::SST, rt::ExtSST, rt::Eof}));
}

TEST(WorkbookStream, CellIndexesPointAtTheirRecords) {
  model::Workbook wb = small_workbook();
  model::Sheet& s = *wb.sheets[0];
  for (int row : {3, 31, 32, 33, 100, 1000, 1001, 5000})
    for (int col : {0, 2, 7}) s.cells.at({row, col}).value = model::CellValue::number(row + col);
  s.rows[40].height = 500;  // a formatted row without cells
  s.rows[40].custom_height = true;
  const auto records = written_records(write_workbook(wb, {u"pw"}), u"pw");
  auto at = [&](uint64_t offset) -> const biff::Record* {
    for (const auto& r : records)
      if (r.offset == offset) return &r;
    return nullptr;
  };
  size_t dbcells_checked = 0;
  for (const auto& index : records) {
    if (index.type != rt::Index) continue;
    const biff::Record* width = at(u32_at(index.data, 12));
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->type, rt::DefColWidth);
    for (size_t i = 16; i + 4 <= index.data.size(); i += 4) {
      const biff::Record* dbcell = at(u32_at(index.data, i));
      ASSERT_NE(dbcell, nullptr);
      ASSERT_EQ(dbcell->type, rt::DBCell);
      const biff::Record* row = at(dbcell->offset - u32_at(dbcell->data, 0));
      ASSERT_NE(row, nullptr);
      ASSERT_EQ(row->type, rt::Row);
      // Each row's first cell, from the end of the first ROW record on.
      uint64_t from = row->offset + 4 + row->data.size();
      const biff::Record* row_record = row;
      for (size_t k = 4; k + 2 <= dbcell->data.size(); k += 2, row_record = at(row_record->offset + 4 + row_record->data.size())) {
        ASSERT_EQ(row_record->type, rt::Row);
        const uint16_t step = static_cast<uint16_t>(dbcell->data[k] | (dbcell->data[k + 1] << 8));
        if (step == 0) continue;  // a row without cells
        const biff::Record* cell = at(from + step);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->data[0] | (cell->data[1] << 8), row_record->data[0] | (row_record->data[1] << 8));
        EXPECT_EQ(cell->data[2], 0);  // the row's first cell
        from = cell->offset;
      }
      ++dbcells_checked;
    }
  }
  EXPECT_EQ(dbcells_checked, 5u + 1u);  // blocks 0, 1, 3, 31, 156 on the first sheet; 1 on the second
}

TEST(WorkbookStream, ThousandsOfStringsContinueAcrossRecords) {
  model::Workbook wb;
  model::Sheet& s = add_sheet(wb, u"Sheet1");
  for (int i = 0; i < 6000; ++i) {
    const std::u16string text = (i % 3 ? u"항목 " : u"item ") + std::u16string(40, u'a' + i % 26) +
                                static_cast<char16_t>(u'0' + i % 10) + static_cast<char16_t>(0xAC00 + i);
    s.cells.at({i, 0}).value = model::CellValue::text(text);
    s.cells.at({i, 1}).value = model::CellValue::text(text);  // a repeat shares the entry
  }
  const auto records = written_records(write_workbook(wb));
  auto sst = std::find_if(records.begin(), records.end(), [](const auto& r) { return r.type == rt::SST; });
  ASSERT_NE(sst, records.end());
  EXPECT_GT(sst->boundaries.size(), 10u);
  const biff::SharedStrings table = biff::read_shared_strings(*sst);
  ASSERT_EQ(table.strings.size(), 6000u);
  EXPECT_EQ(table.total_references, 12000u);
  EXPECT_EQ(table.strings[5999].text, s.cells.find({5999, 0})->value.as_text());
  EXPECT_EQ((sst + 1)->type, rt::ExtSST);
}

TEST(WorkbookStream, MergesSplitIntoRecordsOfAtMost1026) {
  model::Workbook wb;
  model::Sheet& s = add_sheet(wb, u"Sheet1");
  for (int i = 0; i < 3000; ++i) s.merges.push_back({{i, 0}, {i, 1}});
  std::vector<size_t> counts;
  for (const auto& r : written_records(write_workbook(wb)))
    if (r.type == rt::MergeCells) counts.push_back(r.data[0] | (r.data[1] << 8));
  EXPECT_EQ(counts, (std::vector<size_t>{1026, 1026, 948}));
}

TEST(WorkbookStream, PasswordEncryptsEveryPayloadButTheClearOnes) {
  const model::Workbook wb = small_workbook();
  const auto plain = written_records(write_workbook(wb));
  const auto file = write_workbook(wb, {u"1234"});
  const auto decrypted = written_records(file, u"1234");
  ASSERT_EQ(decrypted.size(), plain.size() + 1);
  EXPECT_EQ(decrypted[1].type, rt::FilePass);
  for (size_t i = 1; i < plain.size(); ++i) {
    EXPECT_EQ(decrypted[i + 1].type, plain[i].type);
    // Sheet positions and the string and cell indexes hold stream offsets, which FILEPASS moves.
    if (plain[i].type != rt::BoundSheet8 && plain[i].type != rt::ExtSST && plain[i].type != rt::Index) {
      EXPECT_EQ(decrypted[i + 1].data, plain[i].data) << i;
    }
  }
  // The stored bytes are not the plain ones.
  const auto stream = testing::workbook_stream(file);
  auto sst = std::find_if(plain.begin(), plain.end(), [](const auto& r) { return r.type == rt::SST; });
  ASSERT_NE(sst, plain.end());
  EXPECT_EQ(std::search(stream.begin(), stream.end(), sst->data.begin(), sst->data.end()), stream.end());
  for (const std::optional<std::u16string>& wrong : {std::optional<std::u16string>(), std::optional<std::u16string>(u"123")}) {
    try {
      written_records(file, wrong);
      ADD_FAILURE() << "the file opened without its password";
    } catch (const crypto::CryptoError& e) {
      EXPECT_EQ(e.kind(), crypto::CryptoErrorKind::WrongPassword);
    }
  }
}

TEST(WorkbookStream, CommentsMakeOneDrawingPerSheet) {
  model::Workbook wb;
  model::Sheet& s = add_sheet(wb, u"Sheet1");
  for (int i = 0; i < 3; ++i) {
    model::Comment c;
    c.cell = {i, 2};
    c.author = u"채점자";
    c.text.text = u"채점자:\n설명 " + std::u16string(1, static_cast<char16_t>(u'1' + i));
    c.visible = i == 0;
    s.comments.push_back(c);
  }
  const auto records = written_records(write_workbook(wb));
  EXPECT_EQ(std::count_if(records.begin(), records.end(), [](const auto& r) { return r.type == rt::MsoDrawingGroup; }), 1);
  std::vector<uint8_t> drawing;
  std::vector<uint16_t> note_ids, obj_ids;
  for (const auto& r : records) {
    if (r.type == rt::MsoDrawing) drawing.insert(drawing.end(), r.data.begin(), r.data.end());
    if (r.type == rt::Note) note_ids.push_back(static_cast<uint16_t>(r.data[6] | (r.data[7] << 8)));
    if (r.type == rt::Obj) obj_ids.push_back(static_cast<uint16_t>(r.data[6] | (r.data[7] << 8)));
  }
  // The sheet's MSODRAWING records join into one drawing container whose lengths add up.
  const auto dg = office_art::header_at(drawing, 0);
  ASSERT_TRUE(dg.has_value());
  EXPECT_EQ(dg->type, office_art::kDgContainer);
  EXPECT_EQ(dg->length + 8, drawing.size());
  const auto parts = office_art::children(std::span<const uint8_t>(drawing).subspan(8));
  ASSERT_EQ(parts.size(), 2u);
  const auto shapes = office_art::children(std::span<const uint8_t>(drawing).subspan(8 + parts[1].first + 8));
  EXPECT_EQ(shapes.size(), 4u);  // the group shape and three comments
  EXPECT_EQ(note_ids, obj_ids);
  EXPECT_EQ(note_ids.size(), 3u);
  const auto types = types_of(records);
  EXPECT_TRUE(in_order(types, {rt::MsoDrawing, rt::Obj, rt::MsoDrawing, rt::TxO, rt::Note, rt::Note, rt::Note,
                               rt::Window2}));
}

TEST(WorkbookStream, ExternalCellCachesFollowTheirBook) {
  model::Workbook wb = small_workbook();
  model::SupportingBook self;
  model::SupportingBook one;
  one.kind = model::SupportingBook::Kind::External;
  one.url = u"\x01" u"a.xls";
  one.sheets = {u"S"};
  model::SupportingBook three = one;
  three.url = u"\x01" u"b.xls";
  three.sheets = {u"A", u"B", u"C"};
  for (uint16_t sheet = 0; sheet < 3; ++sheet)
    three.cell_caches.push_back({sheet, {{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}}});
  wb.externals.books = {self, one, three};
  const auto types = types_of(written_records(write_workbook(wb)));
  std::vector<uint16_t> links;
  for (uint16_t t : types)
    if (t == rt::SupBook || t == rt::XCT || t == rt::CRN) links.push_back(t);
  EXPECT_EQ(links, (std::vector<uint16_t>{rt::SupBook, rt::SupBook, rt::SupBook, rt::XCT, rt::CRN, rt::XCT, rt::CRN,
                                          rt::XCT, rt::CRN}));
}

TEST(WorkbookStream, RefusesWhatTheFormatCannotHold) {
  const std::function<void(model::Workbook&)> faults[] = {
      [](model::Workbook& wb) { wb.sheets.clear(); },
      [](model::Workbook& wb) { wb.sheets[0]->rows[70000] = {}; },
      [](model::Workbook& wb) { wb.sheets[0]->columns.push_back({256, 256, 2340, 15, false, false, false, 0, false}); },
      [](model::Workbook& wb) { wb.sheets[0]->merges.push_back({{0, 0}, {model::kMaxRows, 1}}); },
      [](model::Workbook& wb) {
        wb.sheets[0]->cells.at({0, 0}).value = model::CellValue::text(std::u16string(32768, u'x'));
      },
  };
  for (const auto& fault : faults) {
    model::Workbook wb = small_workbook();
    fault(wb);
    EXPECT_THROW(write_workbook(wb), std::invalid_argument);
  }
}

TEST(WorkbookStream, FileIsReplacedWhole) {
  const auto folder = std::filesystem::temp_directory_path() / ("tabrel_writer_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto path = folder / "정답.xls";
  const model::Workbook wb = small_workbook();
  write_workbook_file(wb, path);
  write_workbook_file(wb, path);  // over an existing file
  std::ifstream f(path, std::ios::binary);
  const std::vector<uint8_t> stored((std::istreambuf_iterator<char>(f)), {});
  EXPECT_EQ(stored, write_workbook(wb));
  EXPECT_FALSE(std::filesystem::exists(folder / "정답.xls.partial"));
  EXPECT_THROW(write_workbook_file(wb, folder / "missing" / "a.xls"), std::runtime_error);
  std::filesystem::remove_all(folder);
}

// Shape ids of every FSP record below `body`.
void collect_shape_ids(std::span<const uint8_t> body, std::vector<uint32_t>& ids) {
  for (const auto& [at, h] : office_art::children(body)) {
    const auto inner = body.subspan(at + 8, h.length);
    if (h.version == office_art::kContainerVersion) collect_shape_ids(inner, ids);
    if (h.type == office_art::kFsp && h.length >= 4) ids.push_back(inner[0] | (inner[1] << 8) | (inner[2] << 16) | (inner[3] << 24));
  }
}

TEST(WorkbookStream, ShapeIdsStayApartPastOneCluster) {
  model::Workbook wb = small_workbook();
  for (int i = 0; i < 1500; ++i) {
    model::Comment c;
    c.cell = {i, 0};
    c.author = u"a";
    wb.sheets[0]->comments.push_back(c);
  }
  model::Comment other;
  other.author = u"b";
  wb.sheets[1]->comments.push_back(other);
  std::vector<uint32_t> ids;
  uint32_t clusters = 0;
  std::vector<uint8_t> drawing;
  for (const auto& r : written_records(write_workbook(wb))) {
    if (r.type == rt::MsoDrawingGroup) clusters = u32_at(r.data, 8 + 8 + 4) - 1;  // cidcl
    if (r.type == rt::MsoDrawing) drawing.insert(drawing.end(), r.data.begin(), r.data.end());
    if (r.type == rt::Eof && !drawing.empty()) {
      collect_shape_ids(drawing, ids);
      drawing.clear();
    }
  }
  EXPECT_EQ(clusters, 3u);  // 1501 ids on the first sheet, 2 on the second
  ASSERT_EQ(ids.size(), 1503u);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

TEST(WorkbookStream, ExtraStreamsGoBackIntoTheFile) {
  model::Workbook wb = small_workbook();
  wb.extra_streams.push_back(model::ExtraStream::stream(u"_VBA_PROJECT_CUR/VBA/dir", {1, 2, 3}));
  wb.extra_streams.push_back(model::ExtraStream::stream(u"_VBA_PROJECT_CUR/VBA/Module1", std::vector<uint8_t>(5000, 7)));
  wb.extra_streams.push_back(model::ExtraStream::stream(u"\x05SummaryInformation", {9}));
  const auto file = cfb::CompoundFile::open(write_workbook(wb), cfb::Mode::Strict);
  EXPECT_EQ(file.read_stream(u"_VBA_PROJECT_CUR/VBA/dir"), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(file.read_stream(u"_VBA_PROJECT_CUR/VBA/Module1").size(), 5000u);
  EXPECT_TRUE(file.exists(u"\x05SummaryInformation"));
}

}  // namespace
}  // namespace tabrel::xls
