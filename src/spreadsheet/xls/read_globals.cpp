#include "spreadsheet/xls/read_globals.h"

#include <string_view>
#include <unordered_map>

#include "spreadsheet/biff/format_error.h"
#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/shared_strings.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/crypto/filepass.h"
#include "spreadsheet/xls/read_names.h"
#include "spreadsheet/xls/read_sheet.h"
#include "spreadsheet/xls/read_styles.h"
#include "spreadsheet/xls/read_substream.h"
#include "spreadsheet/xls/read_text.h"

namespace tabrel::xls {

namespace {

namespace rt = biff::rt;

// BOUNDSHEET sheet types.
constexpr uint8_t kWorksheetType = 0, kMacroSheetType = 1, kChartSheetType = 2;

class GlobalsReader {
 public:
  GlobalsReader(biff::RecordReader& reader, model::Workbook& book, const std::optional<std::u16string>& password)
      : reader_(reader), book_(book), password_(password) {}

  Globals run() {
    read_bof();
    while (reader_.next(rec_)) {
      if (rec_.type == rt::Eof) break;
      dispatch();
    }
    return std::move(out_);
  }

 private:
  void read_bof() {
    if (!reader_.next(rec_) || rec_.type != rt::BOF) throw biff::FormatError(0, "the stream does not start with BOF");
    biff::RecordCursor c(rec_);
    const uint16_t version = c.u16();
    const uint16_t kind = c.u16();
    if (version != kBiff8Version) throw OldVersionError{version};
    if (kind != kGlobalsSubstream) throw biff::FormatError(0, "the first substream is not the workbook globals");
  }

  void dispatch() {
    if (rec_.type != rt::CRN) cache_open_ = false;
    biff::RecordCursor c(rec_);
    auto& styles = book_.styles;
    switch (rec_.type) {
      case rt::FilePass: start_decryption(); break;
      case rt::BoundSheet8: read_sheet_entry(c); break;
      case rt::CodePage: book_.codepage = c.u16(); break;
      case rt::Date1904: book_.date_system = c.u16() ? DateSystem::k1904 : DateSystem::k1900; break;
      case rt::CalcPrecision: book_.precision_as_displayed = c.u16() == 0; break;
      case rt::SST: read_sst(); break;
      case rt::ExtSST: break;  // an index the writer derives
      case rt::Font: styles.fonts.push_back(read_font(rec_)); break;
      case rt::Format: styles.formats.push_back(read_format(rec_)); break;
      case rt::XF: styles.xfs.push_back(read_xf(rec_)); break;
      case rt::Style: styles.styles.push_back(read_style(rec_)); break;
      case rt::Palette: read_palette(rec_, styles); break;
      case rt::Lbl: book_.names.push_back(read_name(rec_)); break;
      case rt::SupBook: book_.externals.books.push_back(read_supbook(rec_)); break;
      case rt::ExternSheet: book_.externals.sheets = read_externsheet(rec_); break;
      case rt::ExternName:
        if (book_.externals.books.empty()) c.fail("EXTERNNAME before any SUPBOOK");
        book_.externals.books.back().names.push_back(read_externname(rec_));
        break;
      case rt::XCT: read_cache_start(c); break;
      case rt::CRN: read_cache_row(); break;
      case rt::Window1: read_window(c); break;
      case rt::MsoDrawingGroup:
        book_.drawing_group.insert(book_.drawing_group.end(), rec_.data.begin(), rec_.data.end());
        break;
      case rt::CodeName: book_.code_name = biff::read_string(c); break;
      case rt::ObProj:
        if (!book_.macro_project) book_.macro_project.emplace();
        break;
      default: book_.other_records.push_back(take_raw_record(rec_));
    }
  }

  void start_decryption() {
    if (out_.cipher) throw biff::FormatError(rec_.offset, "a second FILEPASS record");
    out_.cipher = crypto::open_cipher(crypto::parse_filepass(rec_.data),
                                      password_ ? std::optional<std::u16string_view>(*password_) : std::nullopt);
    reader_.set_cipher(out_.cipher.get());
  }

  void read_sheet_entry(biff::RecordCursor& c) {
    const uint32_t offset = c.u32();
    const uint8_t state = c.u8();
    const uint8_t type = c.u8();
    auto sheet = std::make_unique<model::Sheet>();
    sheet->name = biff::read_short_string(c);
    sheet->visibility = static_cast<model::Visibility>(std::min<uint8_t>(state & 0x03, 2));
    switch (type) {
      case kWorksheetType: sheet->kind = model::SheetKind::Worksheet; break;
      case kMacroSheetType: sheet->kind = model::SheetKind::MacroSheet; break;
      case kChartSheetType: sheet->kind = model::SheetKind::ChartSheet; break;
      default:  // a module sheet of older versions: nothing the model holds
        book_.other_records.push_back(raw_record(rec_));
        return;
    }
    book_.sheets.push_back(std::move(sheet));
    out_.sheet_offsets.push_back(offset);
  }

  // Equal plain strings share one text: a table may repeat a string, or hold millions of
  // empty ones.
  void read_sst() {
    std::unordered_map<std::u16string_view, model::CellValue::Text> plain;
    biff::visit_shared_strings(rec_, [&](biff::RichString&& s) {
      model::RichText text = to_rich_text(std::move(s));
      const bool is_plain = text.runs.empty() && text.phonetic == nullptr;
      if (is_plain) {
        if (const auto found = plain.find(text.text); found != plain.end()) {
          out_.shared_strings.push_back(found->second);
          return;
        }
      }
      auto shared = model::SharedText::make(std::move(text));
      if (is_plain) plain.emplace(shared->text, shared);
      out_.shared_strings.push_back(std::move(shared));
    });
  }

  // External cell caches belong to the external book before them; any other place keeps them
  // as stored.
  void read_cache_start(biff::RecordCursor& c) {
    auto& books = book_.externals.books;
    cache_open_ = !books.empty() && books.back().kind == model::SupportingBook::Kind::External;
    if (!cache_open_) {
      book_.other_records.push_back(raw_record(rec_));
      return;
    }
    c.skip(2);  // the CRN count, which the records that follow give
    books.back().cell_caches.push_back({c.u16(), {}});
  }

  void read_cache_row() {
    if (!cache_open_) {
      book_.other_records.push_back(raw_record(rec_));
      return;
    }
    book_.externals.books.back().cell_caches.back().rows.push_back(std::move(rec_.data));
  }

  void read_window(biff::RecordCursor& c) {
    auto& v = book_.view;
    v.x = static_cast<int16_t>(c.u16());
    v.y = static_cast<int16_t>(c.u16());
    v.width = c.u16();
    v.height = c.u16();
    v.flags = c.u16();
    v.active_sheet = c.u16();
    v.first_visible_tab = c.u16();
    v.selected_tabs = c.u16();
    v.tab_ratio = c.u16();
  }

  biff::RecordReader& reader_;
  model::Workbook& book_;
  const std::optional<std::u16string>& password_;
  biff::Record rec_;
  bool cache_open_ = false;  // CRN records go to the external book's last cache
  Globals out_;
};

}  // namespace

Globals read_globals(biff::RecordReader& reader, model::Workbook& book,
                     const std::optional<std::u16string>& password) {
  return GlobalsReader(reader, book, password).run();
}

}  // namespace tabrel::xls
