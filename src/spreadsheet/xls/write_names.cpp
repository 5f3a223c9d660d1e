#include "spreadsheet/xls/write_names.h"

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/xls/write_raw_records.h"

namespace tabrel::xls {
namespace {

constexpr uint16_t kSelfMarker = 0x0401, kAddInMarker = 0x3A01;
constexpr uint16_t kBuiltinName = 0x0020;

// A string body without its length: the flag byte and the characters.
void string_body(biff::PayloadBuilder& p, std::u16string_view text) {
  const bool wide = !biff::fits_compressed(text);
  const uint8_t flag = wide ? 1 : 0;
  p.string(std::span<const uint8_t>(&flag, 1), text, wide);
}

biff::PayloadBuilder extern_name_payload(const model::ExternalName& name) {
  biff::PayloadBuilder p;
  p.u16(name.flags);
  p.u32(0);
  biff::append_short_string(p, std::u16string_view(name.name).substr(0, 255));
  p.bytes(name.payload);
  return p;
}

}  // namespace

biff::PayloadBuilder supbook_payload(const model::SupportingBook& book) {
  biff::PayloadBuilder p;
  switch (book.kind) {
    case model::SupportingBook::Kind::Self:
      p.u16(book.sheet_count);
      p.u16(kSelfMarker);
      break;
    case model::SupportingBook::Kind::AddIn:
      p.u16(1);
      p.u16(kAddInMarker);
      break;
    case model::SupportingBook::Kind::External:
    case model::SupportingBook::Kind::Ole:
      p.u16(static_cast<uint16_t>(book.sheets.size()));
      biff::append_string(p, book.url);
      for (const std::u16string& s : book.sheets) biff::append_string(p, s);
      break;
  }
  return p;
}

biff::PayloadBuilder name_payload(const model::DefinedName& name) {
  const std::u16string text = name.builtin ? std::u16string(1, static_cast<char16_t>(name.builtin_code)) : name.name;
  const std::u16string_view shown = std::u16string_view(text).substr(0, 255);
  biff::PayloadBuilder p;
  p.u16(static_cast<uint16_t>(name.builtin ? (name.flags | kBuiltinName) : (name.flags & ~kBuiltinName)));
  p.u8(0);  // no keyboard shortcut
  p.u8(static_cast<uint8_t>(shown.size()));
  p.u16(static_cast<uint16_t>(name.tokens.size()));
  p.u16(0);
  p.u16(name.sheet_scope);
  for (int i = 0; i < 4; ++i) p.u8(0);  // menu, description, help and status texts: none
  string_body(p, shown);
  p.bytes(name.tokens);
  p.bytes(name.extra);
  return p;
}

void write_link_table(biff::RecordWriter& out, const model::Workbook& workbook) {
  // Cached cells of external workbooks are kept as stored; they follow the first external book.
  bool cache_written = false;
  for (const model::SupportingBook& book : workbook.externals.books) {
    out.write(biff::rt::SupBook, supbook_payload(book));
    for (const model::ExternalName& n : book.names) out.write(biff::rt::ExternName, extern_name_payload(n));
    if (book.kind == model::SupportingBook::Kind::External && !cache_written) {
      write_global_slot(out, workbook.other_records, GlobalSlot::ExternalCache);
      cache_written = true;
    }
  }
  if (!workbook.externals.books.empty()) {
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(workbook.externals.sheets.size()));
    for (const model::ExternSheet& x : workbook.externals.sheets) {
      p.u16(x.book);
      p.u16(static_cast<uint16_t>(x.first_sheet));
      p.u16(static_cast<uint16_t>(x.last_sheet));
    }
    out.write(biff::rt::ExternSheet, p);
  }
  for (const model::DefinedName& n : workbook.names) out.write(biff::rt::Lbl, name_payload(n));
}

}  // namespace tabrel::xls
