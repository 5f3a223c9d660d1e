#include "spreadsheet/formula/sheet_names.h"

#include <algorithm>

#include "spreadsheet/formula/text_cursor.h"
#include "spreadsheet/model/cell_ref.h"

namespace tabrel::formula {
namespace {

// Letters then digits within the largest grid (XFD1048576), as A1 references read.
bool looks_like_a1(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && is_letter(s[i])) ++i;
  if (i == 0 || i > 3 || i == s.size()) return false;
  long col = 0;
  for (size_t k = 0; k < i; ++k) col = col * 26 + ((s[k] | 0x20) - u'a' + 1);
  if (col > 16384) return false;
  long row = 0;
  for (size_t k = i; k < s.size(); ++k) {
    if (!is_digit(s[k])) return false;
    row = std::min(row * 10 + (s[k] - u'0'), 10'000'000L);
  }
  return row >= 1 && row <= 1048576;
}

// R, C, R1, C1, RC, R1C1 ... (any case), as R1C1 references read.
bool looks_like_r1c1(std::u16string_view s) {
  size_t i = 0;
  bool any = false;
  if (i < s.size() && (s[i] | 0x20) == u'r') {
    ++i;
    any = true;
    while (i < s.size() && is_digit(s[i])) ++i;
  }
  if (i < s.size() && (s[i] | 0x20) == u'c') {
    ++i;
    any = true;
    while (i < s.size() && is_digit(s[i])) ++i;
  }
  return any && i == s.size();
}

std::u16string quoted(std::u16string_view s) {
  std::u16string out = u"'";
  for (char16_t c : s) {
    out += c;
    if (c == u'\'') out += c;
  }
  return out + u"'";
}

}  // namespace

bool sheet_name_needs_quotes(std::u16string_view name) {
  if (name.empty() || is_digit(name[0])) return true;
  for (char16_t c : name) {
    bool word = is_letter(c) || is_digit(c) || c == u'_' || c == u'.' || c >= 0x80;
    if (!word || c == 0x3000) return true;
  }
  return looks_like_a1(name) || looks_like_r1c1(name);
}

std::optional<SheetSpan> local_sheets(const model::Workbook& workbook, uint16_t ixti) {
  const auto& links = workbook.externals;
  if (ixti >= links.sheets.size()) return std::nullopt;
  const model::ExternSheet& x = links.sheets[ixti];
  if (x.book >= links.books.size() || links.books[x.book].kind != model::SupportingBook::Kind::Self)
    return std::nullopt;
  int n = static_cast<int>(workbook.sheets.size());
  if (x.first_sheet < 0 || x.last_sheet < 0 || x.first_sheet >= n || x.last_sheet >= n) return std::nullopt;
  return SheetSpan{x.first_sheet, x.last_sheet};
}

std::u16string book_display(std::u16string_view url) {
  std::u16string path;
  size_t i = 0;
  if (!url.empty() && url[0] == 0x01) {
    i = 1;
    while (i < url.size()) {
      char16_t c = url[i++];
      switch (c) {
        case 0x01:
          if (i < url.size()) {
            char16_t drive = url[i++];
            path += drive == u'@' ? std::u16string(u"\\\\") : std::u16string(1, drive) + u":";
          }
          break;
        case 0x02: path += u'\\'; break;
        case 0x03: path += u'\\'; break;
        case 0x04: path += u"..\\"; break;
        case 0x05:
          if (i < url.size()) i += 1 + url[i];  // long volume name, not shown
          break;
        case 0x06:
        case 0x07:
        case 0x08: break;
        default: path += c;
      }
    }
  } else {
    path.assign(url);
  }
  size_t cut = path.find_last_of(u"\\/");
  std::u16string dir = cut == std::u16string::npos ? u"" : path.substr(0, cut + 1);
  std::u16string file = cut == std::u16string::npos ? path : path.substr(cut + 1);
  bool absolute = dir.size() >= 2 && (dir[1] == u':' || dir.starts_with(u"\\\\"));
  return (absolute ? dir : u"") + u"[" + file + u"]";
}

std::u16string sheet_qualifier(const model::Workbook& workbook, uint16_t ixti) {
  const auto& links = workbook.externals;
  if (ixti >= links.sheets.size()) return u"#REF!";
  const model::ExternSheet& x = links.sheets[ixti];
  if (x.book >= links.books.size()) return u"#REF!";
  const model::SupportingBook& book = links.books[x.book];
  if (book.kind == model::SupportingBook::Kind::Self) {
    auto span = local_sheets(workbook, ixti);
    if (!span) return u"#REF!";
    const std::u16string& a = workbook.sheets[static_cast<size_t>(span->first)]->name;
    const std::u16string& b = workbook.sheets[static_cast<size_t>(span->last)]->name;
    if (span->first == span->last) return (sheet_name_needs_quotes(a) ? quoted(a) : a) + u"!";
    bool quote = sheet_name_needs_quotes(a) || sheet_name_needs_quotes(b);
    std::u16string both = a + u":" + b;
    return (quote ? quoted(both) : both) + u"!";
  }
  std::u16string prefix = book_display(book.url);
  auto sheet_name = [&](int16_t i) -> std::u16string {
    return i >= 0 && static_cast<size_t>(i) < book.sheets.size() ? book.sheets[static_cast<size_t>(i)] : u"#REF";
  };
  std::u16string sheets = sheet_name(x.first_sheet);
  if (x.last_sheet != x.first_sheet) sheets += u":" + sheet_name(x.last_sheet);
  bool quote = sheet_name_needs_quotes(sheets) ||
               std::any_of(prefix.begin(), prefix.end(), [](char16_t c) { return c == u' ' || c == u'-'; });
  std::u16string whole = prefix + sheets;
  return (quote ? quoted(whole) : whole) + u"!";
}

uint16_t link_for_deleted_sheet(model::Workbook& workbook) { return link_for_sheets(workbook, -1, -1); }

uint16_t link_for_sheets(model::Workbook& workbook, int first, int last) {
  auto& links = workbook.externals;
  auto self = std::find_if(links.books.begin(), links.books.end(),
                           [](const model::SupportingBook& b) { return b.kind == model::SupportingBook::Kind::Self; });
  if (self == links.books.end()) {
    model::SupportingBook b;
    b.kind = model::SupportingBook::Kind::Self;
    b.sheet_count = static_cast<uint16_t>(workbook.sheets.size());
    links.books.push_back(b);
    self = links.books.end() - 1;
  }
  auto book = static_cast<uint16_t>(self - links.books.begin());
  for (size_t i = 0; i < links.sheets.size(); ++i) {
    const auto& x = links.sheets[i];
    if (x.book == book && x.first_sheet == first && x.last_sheet == last) return static_cast<uint16_t>(i);
  }
  links.sheets.push_back(model::ExternSheet{book, static_cast<int16_t>(first), static_cast<int16_t>(last)});
  return static_cast<uint16_t>(links.sheets.size() - 1);
}

}  // namespace tabrel::formula
