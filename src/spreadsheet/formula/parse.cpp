#include "spreadsheet/formula/parse.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/function_table.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

using Kind = Node::Kind;

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool is_word(char16_t c) { return is_letter(c) || is_digit(c) || c == u'_' || c == u'.' || c == u'\\' || c >= 0x80; }

Node make(Kind kind) {
  Node n;
  n.kind = kind;
  return n;
}

class Parser {
 public:
  Parser(std::u16string_view text, model::Workbook& wb, model::CellRef base, Notation notation)
      : s_(text), wb_(wb), base_(base), r1c1_(notation == Notation::R1C1) {}

  Node run() {
    if (peek() == u'=') ++pos_;
    size_t mark = pos_;
    blanks();
    if (at_end()) fail("empty formula");
    pos_ = mark;  // leading blanks belong to the first token
    Node root = expression(0);
    blanks();
    if (!at_end()) fail("unexpected text");
    return root;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw FormulaError(FormulaError::Kind::Syntax, pos_, "formula text: " + what);
  }
  bool at_end() const { return pos_ >= s_.size(); }
  char16_t peek(size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : u'\0'; }
  bool eat(char16_t c) {
    if (peek() != c) return false;
    ++pos_;
    return true;
  }

  // Blanks and line breaks before the next token, as typed spacings.
  std::vector<Spacing> blanks(uint8_t blank = Spacing::BeforeToken, uint8_t line = Spacing::BreakBeforeToken) {
    std::vector<Spacing> out;
    while (!at_end() && (peek() == u' ' || peek() == u'\n' || peek() == u'\r')) {
      bool is_blank = peek() == u' ';
      uint8_t count = 0;
      while (count < 255 && !at_end() && (is_blank ? peek() == u' ' : (peek() == u'\n' || peek() == u'\r'))) {
        if (peek() == u'\r' && peek(1) == u'\n') ++pos_;
        ++pos_;
        ++count;
      }
      out.push_back(Spacing{is_blank ? blank : line, count});
    }
    return out;
  }

  void guard(int depth) const {
    if (depth > kMaxDepth) throw FormulaError(FormulaError::Kind::TooDeep, pos_, "formula text nests too deeply");
  }

  // Binary operators by precedence level: comparison, concatenation, additive, multiplicative, power.
  std::optional<Op> binary_at(int level) {
    char16_t c = peek();
    switch (level) {
      case 0:
        if (c == u'=') { ++pos_; return Op::Eq; }
        if (c == u'<') {
          ++pos_;
          if (eat(u'>')) return Op::Ne;
          if (eat(u'=')) return Op::Le;
          return Op::Lt;
        }
        if (c == u'>') {
          ++pos_;
          return eat(u'=') ? Op::Ge : Op::Gt;
        }
        return std::nullopt;
      case 1: return eat(u'&') ? std::optional(Op::Concat) : std::nullopt;
      case 2:
        if (eat(u'+')) return Op::Add;
        if (eat(u'-')) return Op::Sub;
        return std::nullopt;
      case 3:
        if (eat(u'*')) return Op::Mul;
        if (eat(u'/')) return Op::Div;
        return std::nullopt;
      case 4: return eat(u'^') ? std::optional(Op::Power) : std::nullopt;
      default: return std::nullopt;
    }
  }

  Node expression(int depth, int level = 0) {
    guard(depth);
    if (level > 4) return prefix(depth + 1);
    Node left = expression(depth + 1, level + 1);
    for (;;) {
      size_t mark = pos_;
      std::vector<Spacing> sp = blanks();
      std::optional<Op> op = binary_at(level);
      if (!op) {
        pos_ = mark;
        return left;
      }
      Node n = make(Kind::Binary);
      n.op = *op;
      n.spaces = sp;
      n.children.push_back(std::move(left));
      n.children.push_back(expression(depth + 1, level + 1));
      left = std::move(n);
    }
  }

  Node prefix(int depth) {
    guard(depth);
    std::vector<Spacing> sp = blanks();
    if (peek() == u'-' || peek() == u'+') {
      Node n = make(Kind::Unary);
      n.op = s_[pos_++] == u'-' ? Op::Minus : Op::Plus;
      n.spaces = sp;
      n.children.push_back(prefix(depth + 1));
      return postfix(std::move(n));
    }
    Node operand = intersection(depth + 1);
    operand.spaces.insert(operand.spaces.begin(), sp.begin(), sp.end());
    return postfix(std::move(operand));
  }

  Node postfix(Node n) {
    for (;;) {
      size_t mark = pos_;
      std::vector<Spacing> sp = blanks();
      if (!eat(u'%')) {
        pos_ = mark;
        return n;
      }
      Node p = make(Kind::Unary);
      p.op = Op::Percent;
      p.spaces = sp;
      p.children.push_back(std::move(n));
      n = std::move(p);
    }
  }

  // "A1:B5 B2:C3": blanks between two references intersect them.
  Node intersection(int depth) {
    Node left = range(depth + 1);
    for (;;) {
      size_t mark = pos_;
      std::vector<Spacing> sp = blanks();
      char16_t c = peek();
      bool starts_reference = is_letter(c) || c == u'$' || c == u'\'' || c == u'(';
      bool left_is_reference = left.kind == Kind::Ref || left.kind == Kind::Area || left.kind == Kind::Name ||
                               left.kind == Kind::Paren || left.kind == Kind::Function ||
                               (left.kind == Kind::Binary && (left.op == Op::Range || left.op == Op::Isect));
      if (sp.size() != 1 || sp[0].where != Spacing::BeforeToken || !starts_reference || !left_is_reference) {
        pos_ = mark;
        return left;
      }
      Node n = make(Kind::Binary);
      n.op = Op::Isect;
      if (sp[0].count > 1) n.spaces.push_back(Spacing{Spacing::BeforeToken, static_cast<uint8_t>(sp[0].count - 1)});
      n.children.push_back(std::move(left));
      n.children.push_back(range(depth + 1));
      left = std::move(n);
    }
  }

  Node range(int depth) {
    Node left = primary(depth + 1);
    while (peek() == u':') {
      ++pos_;
      Node right = primary(depth + 1);
      if (left.kind == Kind::Ref && right.kind == Kind::Ref && !right.ixti && left.spaces.empty() && right.spaces.empty()) {
        left.kind = Kind::Area;
        left.last = right.first;
        continue;
      }
      Node n = make(Kind::Binary);
      n.op = Op::Range;
      n.children.push_back(std::move(left));
      n.children.push_back(std::move(right));
      left = std::move(n);
    }
    return left;
  }

  Node primary(int depth) {
    guard(depth);
    char16_t c = peek();
    if (c == u'(') return parenthesised(depth);
    if (c == u'"') return text();
    if (c == u'{') return array();
    if (auto ref = reference()) return std::move(*ref);
    if (c == u'#') return error_constant();
    if (is_digit(c) || c == u'.') return number();
    if (is_word(c)) return word(depth);
    fail(at_end() ? "expression ends early" : "unexpected character");
  }

  Node parenthesised(int depth) {
    ++pos_;
    Node inner = union_list(depth + 1);
    std::vector<Spacing> close = blanks(Spacing::BeforeClose, Spacing::BreakBeforeClose);
    if (!eat(u')')) fail("missing )");
    Node n = make(Kind::Paren);
    n.spaces = close;
    n.children.push_back(std::move(inner));
    return n;
  }

  Node union_list(int depth) {
    Node left = expression(depth + 1);
    while (true) {
      size_t mark = pos_;
      blanks();
      if (!eat(u',')) {
        pos_ = mark;
        return left;
      }
      Node n = make(Kind::Binary);
      n.op = Op::Union;
      n.children.push_back(std::move(left));
      n.children.push_back(expression(depth + 1));
      left = std::move(n);
    }
  }

  Node text() {
    ++pos_;
    Node n = make(Kind::Text);
    for (;;) {
      if (at_end()) fail("unterminated text");
      char16_t c = s_[pos_++];
      if (c == u'"') {
        if (!eat(u'"')) break;
      }
      n.text += c;
    }
    if (n.text.size() > 255) fail("text longer than 255 characters");
    return n;
  }

  std::optional<CellError> error_word() {
    for (CellError e : {CellError::Null, CellError::Div0, CellError::Value, CellError::Ref, CellError::Name,
                        CellError::Num, CellError::NA}) {
      std::u16string t = cell_error_text(e);
      if (s_.substr(pos_).size() >= t.size() && equals_ignore_case(s_.substr(pos_, t.size()), t)) {
        pos_ += t.size();
        return e;
      }
    }
    return std::nullopt;
  }

  Node error_constant() {
    auto e = error_word();
    if (!e) fail("unknown error value");
    Node n = make(Kind::Error);
    n.error = *e;
    return n;
  }

  double number_value() {
    size_t start = pos_;
    while (is_digit(peek())) ++pos_;
    if (eat(u'.'))
      while (is_digit(peek())) ++pos_;
    if ((peek() == u'E' || peek() == u'e') && (is_digit(peek(1)) || ((peek(1) == u'+' || peek(1) == u'-') && is_digit(peek(2))))) {
      pos_ += 2;
      while (is_digit(peek())) ++pos_;
    }
    std::string digits;
    for (size_t i = start; i < pos_; ++i) digits += static_cast<char>(s_[i]);
    if (digits == ".") fail("malformed number");
    double d = std::strtod(digits.c_str(), nullptr);
    if (!std::isfinite(d)) fail("number out of range");
    return d;
  }

  Node number() {
    Node n = make(Kind::Number);
    n.number = number_value();
    return n;
  }

  Node array() {
    ++pos_;
    auto a = std::make_shared<ArrayConstant>();
    int cols_in_row = 0;
    a->rows = 1;
    for (;;) {
      blanks();
      bool negative = false;
      if (eat(u'-')) negative = true;
      char16_t c = peek();
      if (c == u'"') a->items.emplace_back(text().text);
      else if (is_digit(c) || c == u'.') a->items.emplace_back((negative ? -1 : 1) * number_value());
      else if (c == u'#') a->items.emplace_back(error_constant().error);
      else {
        size_t start = pos_;
        while (is_letter(peek())) ++pos_;
        std::u16string_view w = s_.substr(start, pos_ - start);
        if (equals_ignore_case(w, u"TRUE")) a->items.emplace_back(true);
        else if (equals_ignore_case(w, u"FALSE")) a->items.emplace_back(false);
        else fail("malformed array constant");
      }
      ++cols_in_row;
      blanks();
      if (eat(u',')) continue;
      if (a->rows == 1) a->cols = cols_in_row;
      else if (cols_in_row != a->cols) fail("array rows of different lengths");
      if (eat(u';')) {
        ++a->rows;
        cols_in_row = 0;
        continue;
      }
      if (eat(u'}')) break;
      fail("malformed array constant");
    }
    if (a->cols > 256 || a->rows > 65536) fail("array constant too large");
    Node n = make(Kind::Array);
    n.array = a;
    return n;
  }

  // "Sheet1!", "'My Sheet'!", "Sheet1:Sheet3!": the link index, or nullopt (position kept).
  std::optional<uint16_t> sheet_prefix() {
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
  std::optional<uint16_t> external_link(const std::u16string& qualifier) {
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
  std::optional<Node> sheet_name_reference(uint16_t ixti) {
    auto span = local_sheets(wb_, ixti);
    if (!span || span->first != span->last) return std::nullopt;
    size_t start = pos_;
    while (is_word(peek())) ++pos_;
    std::u16string_view w = s_.substr(start, pos_ - start);
    for (size_t i = 0; i < wb_.names.size(); ++i)
      if (wb_.names[i].sheet_scope == span->first + 1 && equals_ignore_case(wb_.names[i].name, w)) {
        Node n = make(Kind::ExternName);
        n.ixti = ixti;
        n.name_index = static_cast<uint16_t>(i + 1);
        return n;
      }
    pos_ = start;
    return std::nullopt;
  }

  // A defined name of another workbook: Book.xls!Name.
  std::optional<Node> external_name(uint16_t ixti) {
    size_t start = pos_;
    while (is_word(peek())) ++pos_;
    std::u16string_view w = s_.substr(start, pos_ - start);
    const auto& links = wb_.externals;
    const auto& names = links.books[links.sheets[ixti].book].names;
    for (size_t i = 0; i < names.size(); ++i)
      if (equals_ignore_case(names[i].name, w)) {
        Node n = make(Kind::ExternName);
        n.ixti = ixti;
        n.name_index = static_cast<uint16_t>(i + 1);
        return n;
      }
    pos_ = start;
    return std::nullopt;
  }

  struct Part {
    int value = 0;
    bool relative = false;
  };

  // A1: "[$]letters" (column) or "[$]digits" (row).
  std::optional<Part> a1_column() {
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
  std::optional<Part> a1_row() {
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
  std::optional<Part> r1c1_part(char16_t letter, int base, int limit) {
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

  bool ends_reference() const { return !is_word(peek()) && peek() != u'(' && peek() != u'!'; }

  Node ref_node(Address a, std::optional<uint16_t> ixti) {
    Node n = make(Kind::Ref);
    n.first = n.last = a;
    n.ixti = ixti;
    return n;
  }
  Node area_node(Address a, Address b, std::optional<uint16_t> ixti) {
    Node n = make(Kind::Area);
    n.first = a;
    n.last = b;
    n.ixti = ixti;
    return n;
  }

  std::optional<Node> reference() {
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
        Node e = make(Kind::RefError);
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

  std::optional<Node> a1_reference(std::optional<uint16_t> ixti) {
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

  std::optional<Node> r1c1_reference(std::optional<uint16_t> ixti) {
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

  bool ends_reference_or_colon() const { return peek() == u':' || ends_reference(); }

  Node word(int depth) {
    size_t start = pos_;
    while (is_word(peek())) ++pos_;
    std::u16string_view w = s_.substr(start, pos_ - start);
    size_t after = pos_;
    std::vector<Spacing> sp = blanks();
    if (eat(u'(')) return call(w, start, depth);
    pos_ = after;
    if (equals_ignore_case(w, u"TRUE") || equals_ignore_case(w, u"FALSE")) {
      Node n = make(Kind::Bool);
      n.boolean = equals_ignore_case(w, u"TRUE");
      return n;
    }
    Node n = make(Kind::Name);
    for (size_t i = 0; i < wb_.names.size(); ++i)
      if (equals_ignore_case(wb_.names[i].name, w)) n.name_index = static_cast<uint16_t>(i + 1);
    if (n.name_index == 0) n.text = std::u16string(w);
    return n;
  }

  Node call(std::u16string_view name, size_t start, int depth) {
    Node n = make(Kind::Function);
    if (const FunctionInfo* f = function_by_name(name)) {
      n.function = f->index;
    } else {
      // Newer functions are stored as "_xlfn." add-in names; any other name is a user-defined
      // function, kept as typed (it evaluates to #NAME? unless the engine knows it).
      n.function = ptg::kUserFunction;
      std::u16string_view bare = name.starts_with(kFuturePrefix) ? name.substr(kFuturePrefix.size()) : name;
      bool future = is_future_function(bare);
      n.children.push_back(addin_name(future ? std::u16string(kFuturePrefix) + upper(bare) : std::u16string(name)));
    }
    std::vector<Spacing> close;
    size_t mark = pos_;
    close = blanks(Spacing::BeforeClose, Spacing::BreakBeforeClose);
    if (!eat(u')')) {
      pos_ = mark;
      for (;;) {
        size_t arg_mark = pos_;
        blanks();
        if (peek() == u',' || peek() == u')') {
          pos_ = arg_mark;
          Node missing = make(Kind::Missing);
          missing.spaces = blanks();
          n.children.push_back(std::move(missing));
        } else {
          pos_ = arg_mark;
          n.children.push_back(expression(depth + 1));
        }
        close = blanks(Spacing::BeforeClose, Spacing::BreakBeforeClose);
        if (eat(u',')) continue;
        if (eat(u')')) break;
        fail("missing ) after the arguments");
      }
    }
    n.spaces = close;
    size_t args = n.children.size() - (n.function == ptg::kUserFunction ? 1 : 0);
    if (const FunctionInfo* f = function_by_index(n.function); f && (args < f->min_args || args > f->max_args)) {
      pos_ = start;
      fail("wrong number of arguments");
    }
    return n;
  }

  // An add-in name (a function the built-in table lacks), added to the links when new.
  Node addin_name(const std::u16string& stored) {
    auto& links = wb_.externals;
    size_t book = links.books.size();
    for (size_t i = 0; i < links.books.size(); ++i)
      if (links.books[i].kind == model::SupportingBook::Kind::AddIn) book = i;
    if (book == links.books.size()) {
      model::SupportingBook b;
      b.kind = model::SupportingBook::Kind::AddIn;
      b.sheet_count = 1;
      links.books.push_back(b);
    }
    auto& names = links.books[book].names;
    size_t index = names.size();
    for (size_t i = 0; i < names.size(); ++i)
      if (equals_ignore_case(names[i].name, stored)) index = i;
    if (index == names.size()) names.push_back(model::ExternalName{stored, 0, {}});
    size_t ixti = links.sheets.size();
    for (size_t i = 0; i < links.sheets.size(); ++i)
      if (links.sheets[i].book == book) ixti = i;
    if (ixti == links.sheets.size()) links.sheets.push_back(model::ExternSheet{static_cast<uint16_t>(book), -2, -2});
    Node n = make(Kind::ExternName);
    n.ixti = static_cast<uint16_t>(ixti);
    n.name_index = static_cast<uint16_t>(index + 1);
    return n;
  }

  std::u16string_view s_;
  size_t pos_ = 0;
  model::Workbook& wb_;
  model::CellRef base_;
  bool r1c1_;
  bool book_level_ = false;
};

}  // namespace

Node parse(std::u16string_view text, model::Workbook& workbook, model::CellRef base, Notation notation) {
  return Parser(text, workbook, base, notation).run();
}

}  // namespace tabrel::formula
