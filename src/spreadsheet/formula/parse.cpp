#include "spreadsheet/formula/parse.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/function_table.h"
#include "spreadsheet/formula/reference_reader.h"

namespace tabrel::formula {
namespace {

using Kind = Node::Kind;

class Parser : private ReferenceReader {
 public:
  Parser(std::u16string_view text, model::Workbook& wb, model::CellRef base, Notation notation)
      : ReferenceReader(text, wb, base, notation == Notation::R1C1) {}

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
      Node n = node_of(Kind::Binary);
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
      Node n = node_of(Kind::Unary);
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
      Node p = node_of(Kind::Unary);
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
      Node n = node_of(Kind::Binary);
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
      Node n = node_of(Kind::Binary);
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
    Node n = node_of(Kind::Paren);
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
      Node n = node_of(Kind::Binary);
      n.op = Op::Union;
      n.children.push_back(std::move(left));
      n.children.push_back(expression(depth + 1));
      left = std::move(n);
    }
  }

  Node text() {
    ++pos_;
    Node n = node_of(Kind::Text);
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

  Node error_constant() {
    auto e = error_word();
    if (!e) fail("unknown error value");
    Node n = node_of(Kind::Error);
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
    Node n = node_of(Kind::Number);
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
    Node n = node_of(Kind::Array);
    n.array = a;
    return n;
  }

  Node word(int depth) {
    size_t start = pos_;
    while (is_word(peek())) ++pos_;
    std::u16string_view w = s_.substr(start, pos_ - start);
    size_t after = pos_;
    std::vector<Spacing> sp = blanks();
    if (eat(u'(')) return call(w, start, depth);
    pos_ = after;
    if (equals_ignore_case(w, u"TRUE") || equals_ignore_case(w, u"FALSE")) {
      Node n = node_of(Kind::Bool);
      n.boolean = equals_ignore_case(w, u"TRUE");
      return n;
    }
    Node n = node_of(Kind::Name);
    for (size_t i = 0; i < wb_.names.size(); ++i)
      if (equals_ignore_case(wb_.names[i].name, w)) n.name_index = static_cast<uint16_t>(i + 1);
    if (n.name_index == 0) n.text = std::u16string(w);
    return n;
  }

  Node call(std::u16string_view name, size_t start, int depth) {
    Node n = node_of(Kind::Function);
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
          Node missing = node_of(Kind::Missing);
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
    Node n = node_of(Kind::ExternName);
    n.ixti = static_cast<uint16_t>(ixti);
    n.name_index = static_cast<uint16_t>(index + 1);
    return n;
  }

};

}  // namespace

Node parse(std::u16string_view text, model::Workbook& workbook, model::CellRef base, Notation notation) {
  return Parser(text, workbook, base, notation).run();
}

}  // namespace tabrel::formula
