#include "spreadsheet/xls/write_names.h"

#include <algorithm>

#include "spreadsheet/biff/records.h"
#include "spreadsheet/biff/strings.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xls {
namespace {

constexpr uint16_t kSelfMarker = 0x0401, kAddInMarker = 0x3A01;
constexpr uint16_t kHiddenName = 0x0001, kBuiltinName = 0x0020;
constexpr uint8_t kFilterDatabase = 0x0D;
constexpr uint8_t kPtgArea3d = 0x3B;

constexpr uint16_t kMacroName = 0x000C;  // a command (fFunc) naming a macro procedure (fOB)
constexpr uint8_t kPtgNameX = 0x39;
constexpr int16_t kWorkbookLevel = -2;    // an EXTERNSHEET entry for the whole workbook

// The EXTERNSHEET entry for sheets of the workbook itself (or the workbook as a whole), added
// when missing.
uint16_t self_reference(model::ExternalRefs& refs, int16_t sheet, uint16_t sheet_count) {
  auto self = std::find_if(refs.books.begin(), refs.books.end(),
                           [](const auto& b) { return b.kind == model::SupportingBook::Kind::Self; });
  if (self == refs.books.end()) {
    model::SupportingBook book;
    book.sheet_count = sheet_count;
    refs.books.push_back(book);
    self = refs.books.end() - 1;
  }
  const auto book = static_cast<uint16_t>(self - refs.books.begin());
  for (size_t i = 0; i < refs.sheets.size(); ++i) {
    const model::ExternSheet& x = refs.sheets[i];
    if (x.book == book && x.first_sheet == sheet && x.last_sheet == sheet) return static_cast<uint16_t>(i);
  }
  refs.sheets.push_back({book, sheet, sheet});
  return static_cast<uint16_t>(refs.sheets.size() - 1);
}

// The formula that calls a macro of this workbook by name: the macro's name record (added when
// missing) through the workbook-level reference.
std::vector<uint8_t> macro_call(LinkTable& links, const std::u16string& macro, uint16_t sheet_count) {
  size_t index = 0;
  while (index < links.names.size() &&
         !(links.names[index].sheet_scope == 0 && (links.names[index].flags & kMacroName) == kMacroName &&
           equals_ignore_case(links.names[index].name, macro)))
    ++index;
  if (index == links.names.size()) {
    model::DefinedName n;
    n.name = macro;
    n.flags = kMacroName;
    links.names.push_back(std::move(n));
  }
  const uint16_t ixti = self_reference(links.externals, kWorkbookLevel, sheet_count);
  const auto iname = static_cast<uint16_t>(index + 1);
  return {kPtgNameX, static_cast<uint8_t>(ixti), static_cast<uint8_t>(ixti >> 8), static_cast<uint8_t>(iname),
          static_cast<uint8_t>(iname >> 8), 0, 0};
}

std::vector<uint8_t> area_3d(uint16_t ixti, const model::RangeRef& r) {
  std::vector<uint8_t> t = {kPtgArea3d};
  for (int v : {static_cast<int>(ixti), r.first.row, r.last.row, r.first.col, r.last.col}) {
    t.push_back(static_cast<uint8_t>(v));
    t.push_back(static_cast<uint8_t>(v >> 8));
  }
  return t;
}

// Points the sheet's _FilterDatabase name at the filter's range, adding the name if missing.
void filter_name(LinkTable& links, int sheet, const model::RangeRef& range, uint16_t sheet_count) {
  const auto scope = static_cast<uint16_t>(sheet + 1);
  for (model::DefinedName& n : links.names) {
    if (!n.builtin || n.builtin_code != kFilterDatabase || n.sheet_scope != scope) continue;
    if (n.tokens.size() == 11 && (n.tokens[0] & 0x9F) == 0x1B)
      n.tokens = area_3d(static_cast<uint16_t>(n.tokens[1] | (n.tokens[2] << 8)), range);
    return;
  }
  model::DefinedName n;
  n.name = u"_FilterDatabase";
  n.builtin = true;
  n.builtin_code = kFilterDatabase;
  n.flags = kHiddenName | kBuiltinName;
  n.sheet_scope = scope;
  n.tokens = area_3d(self_reference(links.externals, static_cast<int16_t>(sheet), sheet_count), range);
  links.names.push_back(std::move(n));
}

biff::PayloadBuilder extern_name_payload(const model::ExternalName& name) {
  biff::PayloadBuilder p;
  p.u16(name.flags);
  p.u32(name.sheet_index);
  biff::append_short_string(p, std::u16string_view(name.name).substr(0, 255));
  p.bytes(name.payload);
  return p;
}

void write_cell_cache(biff::RecordWriter& out, const model::ExternalSheetCache& cache) {
  biff::PayloadBuilder p;
  p.u16(static_cast<uint16_t>(cache.rows.size()));
  p.u16(cache.sheet);
  out.write(biff::rt::XCT, p);
  for (const std::vector<uint8_t>& row : cache.rows) out.write(biff::rt::CRN, row);
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
  biff::append_string_body(p, shown);
  p.bytes(name.tokens);
  p.bytes(name.extra);
  return p;
}

LinkTable link_table(const model::Workbook& workbook) {
  LinkTable links{workbook.externals, workbook.names, {}};
  const auto sheet_count = static_cast<uint16_t>(workbook.sheets.size());
  for (model::SupportingBook& b : links.externals.books)
    if (b.kind == model::SupportingBook::Kind::Self) b.sheet_count = sheet_count;
  // A filter read from a file without its name has no known range (the empty A1 default).
  for (size_t i = 0; i < workbook.sheets.size(); ++i)
    if (const auto& filter = workbook.sheets[i]->autofilter; filter && !(filter->range == model::RangeRef{}))
      filter_name(links, static_cast<int>(i), filter->range, sheet_count);
  // Objects built in memory name their macro; one in another workbook ("Book.xls!Macro") is left
  // without a call, as the writer keeps no link to that workbook's names.
  links.macro_tokens.resize(workbook.sheets.size());
  for (size_t i = 0; i < workbook.sheets.size(); ++i) {
    const auto& drawings = workbook.sheets[i]->drawings;
    for (size_t k = 0; k < drawings.size(); ++k) {
      const model::DrawingObject& d = drawings[k];
      if (d.macro.empty() || !d.macro_tokens.empty() || d.macro.find(u'!') != std::u16string::npos) continue;
      links.macro_tokens[i][k] = macro_call(links, d.macro, sheet_count);
    }
  }
  return links;
}

void write_link_table(biff::RecordWriter& out, const LinkTable& links) {
  for (const model::SupportingBook& book : links.externals.books) {
    out.write(biff::rt::SupBook, supbook_payload(book));
    for (const model::ExternalName& n : book.names) out.write(biff::rt::ExternName, extern_name_payload(n));
    for (const model::ExternalSheetCache& cache : book.cell_caches) write_cell_cache(out, cache);
  }
  if (!links.externals.books.empty()) {
    biff::PayloadBuilder p;
    p.u16(static_cast<uint16_t>(links.externals.sheets.size()));
    for (const model::ExternSheet& x : links.externals.sheets) {
      p.u16(x.book);
      p.u16(static_cast<uint16_t>(x.first_sheet));
      p.u16(static_cast<uint16_t>(x.last_sheet));
    }
    out.write(biff::rt::ExternSheet, p);
  }
  for (const model::DefinedName& n : links.names) out.write(biff::rt::Lbl, name_payload(n));
}

}  // namespace tabrel::xls
