#include "spreadsheet/formula/reference_reader.h"

#include <algorithm>

#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

using Kind = Node::Kind;

Node ref_node(Address a, std::optional<uint16_t> ixti) {
  Node n = node_of(Kind::Ref);
  n.first = n.last = a;
  n.ixti = ixti;
  return n;
}

Node area_node(Address a, Address b, std::optional<uint16_t> ixti) {
  Node n = node_of(Kind::Area);
  n.first = a;
  n.last = b;
  n.ixti = ixti;
  return n;
}

}  // namespace

bool ReferenceReader::ends_reference() const { return !is_word(peek()) && peek() != u'(' && peek() != u'!'; }
bool ReferenceReader::ends_reference_or_colon() const { return peek() == u':' || ends_reference(); }

// "Sheet1!", "'My Sheet'!", "Sheet1:Sheet3!": the link index, or nullopt (position kept).
std::optional<uint16_t> ReferenceReader::sheet_prefix() {
  size_t mark = pos_;
  // "#REF!A1": a reference into a sheet that was deleted.
  if (s_.substr(pos_).starts_with(u"#REF!")) {
    char16_t next = peek(5);
    if (is_letter(next) || next == u'$' || is_digit(next) || ((next | 0x20) == u'r' && r1c1_)) {
      pos_ += 5;
      return link_for_deleted_sheet(wb_);
    }
    return std::nullopt;
  }
  auto name = [&]() -> std::optional<std::u16string> {
    std::u16string out;
    if (eat(u'\'')) {
      for (;;) {
        if (at_end()) return std::nullopt;
        char16_t c = s_[pos_++];
        if (c == u'\'' && !eat(u'\'')) return out;
        out += c;
      }
    }
    if (peek() == u'[') {  // [Book.xls]Sheet
      size_t close = s_.find(u']', pos_);
      if (close == std::u16string_view::npos) return std::nullopt;
      out.assign(s_.substr(pos_, close + 1 - pos_));
      pos_ = close + 1;
    }
    while (!at_end() && is_word(peek()) && peek() != u'\\') out += s_[pos_++];
    if (out.empty()) return std::nullopt;
    return out;
  };
  auto first = name();
  if (!first) { pos_ = mark; return std::nullopt; }
  std::u16string a = *first, b = *first;
  auto colon = a.find(u':');  // a quoted 3-D span: 'Sheet 1:Sheet 3' (not the drive of a book's path)
  if (colon != std::u16string::npos && a.find_first_of(u"[\\/") == std::u16string::npos) {
    b = a.substr(colon + 1);
    a = a.substr(0, colon);
  } else if (peek() == u':') {
    size_t before = pos_;
    ++pos_;
    auto second = name();
    if (!second || peek() != u'!') { pos_ = before; } else b = *second;
  }
  if (!eat(u'!')) { pos_ = mark; return std::nullopt; }
  int i = wb_.sheet_index(wb_.sheet(a)), j = wb_.sheet_index(wb_.sheet(b));
  if (i >= 0 && j >= 0) return link_for_sheets(wb_, std::min(i, j), std::max(i, j));
  if (auto link = external_link(a)) return link;
  throw FormulaError(FormulaError::Kind::UnknownSheet, mark, "formula text names an unknown sheet");
}

// "[Book.xls]Sheet" (a sheet) or "Book.xls" (the book, for its names) of a workbook the links
// already hold. Sets book_level_ for the latter.
std::optional<uint16_t> ReferenceReader::external_link(const std::u16string& qualifier) {
  size_t open = qualifier.find(u'['), close = qualifier.find(u']');
  bool sheet_form = open != std::u16string::npos && close != std::u16string::npos && close > open;
  std::u16string file = sheet_form ? qualifier.substr(open + 1, close - open - 1) : qualifier;
  std::u16string sheet = sheet_form ? qualifier.substr(close + 1) : u"";
  size_t cut = file.find_last_of(u"\\/");
  if (cut != std::u16string::npos) file = file.substr(cut + 1);
  auto& links = wb_.externals;
  for (size_t b = 0; b < links.books.size(); ++b) {
    const model::SupportingBook& book = links.books[b];
    if (book.kind != model::SupportingBook::Kind::External) continue;
    std::u16string shown = book_display(book.url);
    std::u16string shown_file = shown.substr(shown.rfind(u'[') + 1);
    shown_file.pop_back();
    if (!equals_ignore_case(shown_file, file)) continue;
    int16_t index = -2;  // the whole book
    if (sheet_form) {
      auto it = std::find_if(book.sheets.begin(), book.sheets.end(),
                             [&](const std::u16string& s) { return equals_ignore_case(s, sheet); });
      if (it == book.sheets.end()) return std::nullopt;
      index = static_cast<int16_t>(it - book.sheets.begin());
    }
    book_level_ = !sheet_form;
    for (size_t x = 0; x < links.sheets.size(); ++x)
      if (links.sheets[x].book == b && links.sheets[x].first_sheet == index && links.sheets[x].last_sheet == index)
        return static_cast<uint16_t>(x);
    links.sheets.push_back(model::ExternSheet{static_cast<uint16_t>(b), index, index});
    return static_cast<uint16_t>(links.sheets.size() - 1);
  }
  return std::nullopt;
}

// A name that belongs to one sheet, named from elsewhere: Sheet2!Name.
std::optional<Node> ReferenceReader::sheet_name_reference(uint16_t ixti) {
  auto span = local_sheets(wb_, ixti);
  if (!span || span->first != span->last) return std::nullopt;
  size_t start = pos_;
  while (is_word(peek())) ++pos_;
  std::u16string_view w = s_.substr(start, pos_ - start);
  for (size_t i = 0; i < wb_.names.size(); ++i)
    if (wb_.names[i].sheet_scope == span->first + 1 && equals_ignore_case(wb_.names[i].name, w)) {
      Node n = node_of(Kind::ExternName);
      n.ixti = ixti;
      n.name_index = static_cast<uint16_t>(i + 1);
      return n;
    }
  pos_ = start;
  return std::nullopt;
}

// A defined name of another workbook: Book.xls!Name.
std::optional<Node> ReferenceReader::external_name(uint16_t ixti) {
  size_t start = pos_;
  while (is_word(peek())) ++pos_;
  std::u16string_view w = s_.substr(start, pos_ - start);
  const auto& links = wb_.externals;
  const auto& names = links.books[links.sheets[ixti].book].names;
  for (size_t i = 0; i < names.size(); ++i)
    if (equals_ignore_case(names[i].name, w)) {
      Node n = node_of(Kind::ExternName);
      n.ixti = ixti;
      n.name_index = static_cast<uint16_t>(i + 1);
      return n;
    }
  pos_ = start;
  return std::nullopt;
}

// A1: "[$]letters" (column) or "[$]digits" (row).
std::optional<ReferenceReader::Part> ReferenceReader::a1_column() {
  size_t mark = pos_;
  Part p;
  p.relative = !eat(u'$');
  size_t start = pos_;
  while (is_letter(peek())) ++pos_;
  auto col = model::column_from_letters(s_.substr(start, pos_ - start));
  if (pos_ == start || pos_ - start > 2 || !col) { pos_ = mark; return std::nullopt; }
  p.value = *col;
  return p;
}
std::optional<ReferenceReader::Part> ReferenceReader::a1_row() {
  size_t mark = pos_;
  Part p;
  p.relative = !eat(u'$');
  size_t start = pos_;
  long row = 0;
  while (is_digit(peek()) && pos_ - start < 6) row = row * 10 + (s_[pos_++] - u'0');
  if (pos_ == start || row < 1 || row > model::kMaxRows || is_digit(peek())) { pos_ = mark; return std::nullopt; }
  p.value = static_cast<int>(row - 1);
  return p;
}

// R1C1: "R", "R3", "R[-1]" (or C ...): the coordinate, relative to the base cell when bracketed or bare.
std::optional<ReferenceReader::Part> ReferenceReader::r1c1_part(char16_t letter, int base, int limit) {
  size_t mark = pos_;
  if ((peek() | 0x20) != letter) return std::nullopt;
  ++pos_;
  Part p;
  if (eat(u'[')) {
    bool negative = eat(u'-');
    if (!negative) eat(u'+');
    long off = 0;
    size_t start = pos_;
    while (is_digit(peek()) && pos_ - start < 6) off = off * 10 + (s_[pos_++] - u'0');
    if (pos_ == start || !eat(u']') || off >= limit) { pos_ = mark; return std::nullopt; }
    p.relative = true;
    p.value = static_cast<int>(((base + (negative ? -off : off)) % limit + limit) % limit);
    return p;
  }
  if (is_digit(peek())) {
    long v = 0;
    size_t start = pos_;
    while (is_digit(peek()) && pos_ - start < 6) v = v * 10 + (s_[pos_++] - u'0');
    if (v < 1 || v > limit) { pos_ = mark; return std::nullopt; }
    p.value = static_cast<int>(v - 1);
    return p;
  }
  p.relative = true;
  p.value = base;
  return p;
}



std::optional<Node> ReferenceReader::reference() {
  size_t mark = pos_;
  book_level_ = false;
  std::optional<uint16_t> ixti = sheet_prefix();
  if (ixti && book_level_) {
    if (auto n = external_name(*ixti)) return n;
    fail("unknown name of the other workbook");
  }
  std::optional<Node> n = r1c1_ ? r1c1_reference(ixti) : a1_reference(ixti);
  if (!n) {
    if (ixti && peek() == u'#' && error_word() == CellError::Ref) {
      Node e = node_of(Kind::RefError);
      e.ixti = ixti;
      return e;
    }
    if (ixti) {
      if (auto scoped = sheet_name_reference(*ixti)) return scoped;
      fail("malformed reference after the sheet name");
    }
    pos_ = mark;
  }
  return n;
}

std::optional<Node> ReferenceReader::a1_reference(std::optional<uint16_t> ixti) {
  size_t mark = pos_;
  auto col = a1_column();
  if (col) {
    if (auto row = a1_row(); row && ends_reference())
      return ref_node(Address{row->value, col->value, row->relative, col->relative}, ixti);
    // A whole-column range "A:C".
    if (eat(u':')) {
      if (auto col2 = a1_column(); col2 && ends_reference())
        return area_node(Address{0, col->value, false, col->relative},
                         Address{model::kMaxRows - 1, col2->value, false, col2->relative}, ixti);
    }
    pos_ = mark;
    return std::nullopt;
  }
  if (auto row = a1_row(); row && eat(u':')) {
    if (auto row2 = a1_row(); row2 && ends_reference())
      return area_node(Address{row->value, 0, row->relative, false},
                       Address{row2->value, model::kMaxColumns - 1, row2->relative, false}, ixti);
  }
  pos_ = mark;
  return std::nullopt;
}

std::optional<Node> ReferenceReader::r1c1_reference(std::optional<uint16_t> ixti) {
  size_t mark = pos_;
  auto r = r1c1_part(u'r', base_.row, model::kMaxRows);
  auto c = r1c1_part(u'c', base_.col, model::kMaxColumns);
  if ((!r && !c) || !ends_reference_or_colon()) {
    pos_ = mark;
    return std::nullopt;
  }
  if (r && c) return ref_node(Address{r->value, c->value, r->relative, c->relative}, ixti);
  // Whole rows or columns, alone ("R2", "C[-1]") or as a span ("R1:R3").
  auto whole = [&](const Part& a, const Part& b) {
    return r ? area_node(Address{a.value, 0, a.relative, false},
                         Address{b.value, model::kMaxColumns - 1, b.relative, false}, ixti)
             : area_node(Address{0, a.value, false, a.relative},
                         Address{model::kMaxRows - 1, b.value, false, b.relative}, ixti);
  };
  const Part& first = r ? *r : *c;
  size_t before = pos_;
  if (eat(u':')) {
    auto second = r ? r1c1_part(u'r', base_.row, model::kMaxRows) : r1c1_part(u'c', base_.col, model::kMaxColumns);
    if (second && ends_reference()) return whole(first, *second);
    pos_ = before;
  }
  if (!ends_reference()) {
    pos_ = mark;
    return std::nullopt;
  }
  return whole(first, first);
}

}  // namespace tabrel::formula
