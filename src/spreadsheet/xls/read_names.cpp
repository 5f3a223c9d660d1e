#include "spreadsheet/xls/read_names.h"

#include <array>

#include "spreadsheet/biff/record_cursor.h"
#include "spreadsheet/biff/strings.h"

namespace tabrel::xls {

namespace {

constexpr std::array<std::u16string_view, 14> kBuiltinNames = {
    u"Consolidate_Area", u"Auto_Open", u"Auto_Close", u"Extract", u"Database", u"Criteria",
    u"Print_Area", u"Print_Titles", u"Recorder", u"Data_Form", u"Auto_Activate",
    u"Auto_Deactivate", u"Sheet_Title", u"_FilterDatabase"};

constexpr uint16_t kSelfBookMarker = 0x0401;
constexpr uint16_t kAddInMarker = 0x3A01;

std::vector<uint8_t> rest(biff::RecordCursor& c) {
  auto b = c.bytes(c.remaining());
  return {b.begin(), b.end()};
}

}  // namespace

std::u16string_view builtin_name_text(uint8_t code) {
  return code < kBuiltinNames.size() ? kBuiltinNames[code] : std::u16string_view();
}

model::DefinedName read_name(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::DefinedName n;
  n.flags = c.u16();
  c.skip(1);  // keyboard shortcut
  const uint8_t cch = c.u8();
  const uint16_t cce = c.u16();
  c.skip(2);
  n.sheet_scope = c.u16();
  c.skip(4);  // lengths of menu text, description, help topic and status bar text
  n.builtin = n.flags & 0x0020;
  std::u16string text = biff::read_string_body(c, cch);
  if (n.builtin && !text.empty()) {
    n.builtin_code = static_cast<uint8_t>(text[0]);
    const auto known = builtin_name_text(n.builtin_code);
    n.name = known.empty() ? text : std::u16string(known);
  } else {
    n.name = std::move(text);
  }
  auto tokens = c.bytes(cce);
  n.tokens.assign(tokens.begin(), tokens.end());
  n.extra = rest(c);
  return n;
}

model::SupportingBook read_supbook(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::SupportingBook b;
  b.sheet_count = c.u16();
  const uint16_t cch = c.u16();
  if (cch == kSelfBookMarker) {
    b.kind = model::SupportingBook::Kind::Self;
    return b;
  }
  if (cch == kAddInMarker) {
    b.kind = model::SupportingBook::Kind::AddIn;
    return b;
  }
  b.kind = model::SupportingBook::Kind::External;
  b.url = biff::read_string_body(c, cch);
  // Each sheet name takes at least three bytes, so the count cannot promise more than the
  // payload holds.
  for (uint16_t i = 0; i < b.sheet_count && !c.at_end(); ++i) b.sheets.push_back(biff::read_string(c));
  return b;
}

std::vector<model::ExternSheet> read_externsheet(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  const uint16_t count = c.u16();
  if (static_cast<size_t>(count) * 6 > c.remaining()) c.fail("EXTERNSHEET: more entries than bytes");
  std::vector<model::ExternSheet> out(count);
  for (auto& x : out) {
    x.book = c.u16();
    x.first_sheet = static_cast<int16_t>(c.u16());
    x.last_sheet = static_cast<int16_t>(c.u16());
  }
  return out;
}

model::ExternalName read_externname(const biff::Record& rec) {
  biff::RecordCursor c(rec);
  model::ExternalName n;
  n.flags = c.u16();
  n.sheet_index = c.u32();
  n.name = biff::read_short_string(c);
  n.payload = rest(c);
  return n;
}

}  // namespace tabrel::xls
