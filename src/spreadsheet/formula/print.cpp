#include "spreadsheet/formula/print.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "spreadsheet/formula/decode.h"
#include "spreadsheet/formula/function_table.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

using Kind = Node::Kind;

std::u16string ascii(const char* s) {
  std::u16string out;
  while (*s) out += static_cast<char16_t>(*s++);
  return out;
}

std::u16string quote_text(std::u16string_view s) {
  std::u16string out = u"\"";
  for (char16_t c : s) {
    out += c;
    if (c == u'"') out += c;
  }
  return out + u"\"";
}

std::u16string spaces_for(const Node& n, uint8_t blank, uint8_t line_break) {
  std::u16string out;
  for (const Spacing& s : n.spaces) {
    if (s.where == blank) out.append(s.count, u' ');
    if (s.where == line_break) out.append(s.count, u'\n');
  }
  return out;
}

std::u16string op_text(Op op) {
  switch (op) {
    case Op::Add: case Op::Plus: return u"+";
    case Op::Sub: case Op::Minus: return u"-";
    case Op::Mul: return u"*";
    case Op::Div: return u"/";
    case Op::Power: return u"^";
    case Op::Concat: return u"&";
    case Op::Lt: return u"<";
    case Op::Le: return u"<=";
    case Op::Eq: return u"=";
    case Op::Ge: return u">=";
    case Op::Gt: return u">";
    case Op::Ne: return u"<>";
    case Op::Isect: return u" ";
    case Op::Union: return u",";
    case Op::Range: return u":";
    case Op::Percent: return u"%";
  }
  return u"";
}

std::u16string array_item_text(const ArrayItem& item) {
  if (auto d = std::get_if<double>(&item)) return number_text(*d);
  if (auto s = std::get_if<std::u16string>(&item)) return quote_text(*s);
  if (auto b = std::get_if<bool>(&item)) return *b ? u"TRUE" : u"FALSE";
  if (auto e = std::get_if<CellError>(&item)) return cell_error_text(*e);
  return u"";
}

class Printer {
 public:
  Printer(const model::Workbook& wb, model::CellRef base, Notation notation) : wb_(wb), base_(base), notation_(notation) {}

  std::u16string expression(const Node& n) {
    std::u16string before = spaces_for(n, Spacing::BeforeToken, Spacing::BreakBeforeToken);
    switch (n.kind) {
      case Kind::Number: return before + number_text(n.number);
      case Kind::Text: return before + quote_text(n.text);
      case Kind::Bool: return before + (n.boolean ? u"TRUE" : u"FALSE");
      case Kind::Error: return before + cell_error_text(n.error);
      case Kind::Missing: return before;
      case Kind::Array: return before + array(*n.array);
      case Kind::Ref: return before + qualifier(n) + cell(n.first, n.offsets);
      case Kind::Area: return before + qualifier(n) + area(n.first, n.last, n.offsets);
      case Kind::RefError:
      case Kind::AreaError: return before + qualifier(n) + u"#REF!";
      case Kind::Name: return before + (n.name_index == 0 && !n.text.empty() ? n.text : name(n.name_index));
      case Kind::ExternName: return before + extern_name(n);
      case Kind::Unary: {
        if (n.children.empty()) return before;
        std::u16string operand = expression(n.children[0]);
        if (n.op == Op::Percent) return operand + before + u"%";
        return before + op_text(n.op) + operand;
      }
      case Kind::Binary: {
        if (n.children.size() != 2) return before;
        return expression(n.children[0]) + before + op_text(n.op) + expression(n.children[1]);
      }
      case Kind::Paren: {
        std::u16string open = spaces_for(n, Spacing::BeforeOpen, Spacing::BreakBeforeOpen);
        std::u16string close = spaces_for(n, Spacing::BeforeClose, Spacing::BreakBeforeClose);
        std::u16string inner = n.children.empty() ? u"" : expression(n.children[0]);
        return before + open + u"(" + inner + close + u")";
      }
      case Kind::Function: return before + function(n);
      case Kind::SharedRef:
      case Kind::TableRef: return before + cell(Address{n.first.row, n.first.col, false, false});
    }
    return before;
  }

 private:
  std::u16string array(const ArrayConstant& a) {
    std::u16string out = u"{";
    for (int r = 0; r < a.rows; ++r) {
      if (r) out += u';';
      for (int c = 0; c < a.cols; ++c) {
        if (c) out += u',';
        size_t i = static_cast<size_t>(r) * static_cast<size_t>(a.cols) + static_cast<size_t>(c);
        if (i < a.items.size()) out += array_item_text(a.items[i]);
      }
    }
    return out + u"}";
  }

  std::u16string qualifier(const Node& n) { return n.ixti ? sheet_qualifier(wb_, *n.ixti) : u""; }

  // The distance of a relative part in R1C1. Distances stored as offsets wrap round the sheet
  // (65536 rows, 256 columns), so the shorter way round is shown: R[-1] rather than R[65535].
  static int distance(int to, int from, int size, bool wraps) {
    int off = to - from;
    if (!wraps) return off;
    off = ((off % size) + size) % size;
    return off >= size / 2 ? off - size : off;
  }

  std::u16string row_part(int row, bool relative, bool wraps) {
    if (notation_ == Notation::A1) return (relative ? u"" : u"$") + ascii(std::to_string(row + 1).c_str());
    if (!relative) return u"R" + ascii(std::to_string(row + 1).c_str());
    int off = distance(row, base_.row, model::kMaxRows, wraps);
    return off == 0 ? u"R" : u"R[" + ascii(std::to_string(off).c_str()) + u"]";
  }

  std::u16string col_part(int col, bool relative, bool wraps) {
    if (notation_ == Notation::A1) return (relative ? u"" : u"$") + model::column_letters(col);
    if (!relative) return u"C" + ascii(std::to_string(col + 1).c_str());
    int off = distance(col, base_.col, model::kMaxColumns, wraps);
    return off == 0 ? u"C" : u"C[" + ascii(std::to_string(off).c_str()) + u"]";
  }

  std::u16string cell(const Address& a, bool wraps = false) {
    if (notation_ == Notation::A1) return col_part(a.col, a.col_relative, wraps) + row_part(a.row, a.row_relative, wraps);
    return row_part(a.row, a.row_relative, wraps) + col_part(a.col, a.col_relative, wraps);
  }

  std::u16string area(const Address& a, const Address& b, bool wraps) {
    bool whole_cols = a.row == 0 && b.row == model::kMaxRows - 1 && !a.row_relative && !b.row_relative;
    bool whole_rows = a.col == 0 && b.col == model::kMaxColumns - 1 && !a.col_relative && !b.col_relative;
    if (whole_cols && !whole_rows) {
      std::u16string x = col_part(a.col, a.col_relative, wraps), y = col_part(b.col, b.col_relative, wraps);
      if (notation_ == Notation::R1C1 && x == y) return x;
      return x + u":" + y;
    }
    if (whole_rows && !whole_cols) {
      std::u16string x = row_part(a.row, a.row_relative, wraps), y = row_part(b.row, b.row_relative, wraps);
      if (notation_ == Notation::R1C1 && x == y) return x;
      return x + u":" + y;
    }
    return cell(a, wraps) + u":" + cell(b, wraps);
  }

  std::u16string name(uint16_t index) {
    if (index == 0 || index > wb_.names.size()) return u"#NAME?";
    return wb_.names[index - 1].name;
  }

  std::u16string extern_name(const Node& n) {
    const auto& links = wb_.externals;
    if (!n.ixti || *n.ixti >= links.sheets.size()) return u"#NAME?";
    const model::ExternSheet& x = links.sheets[*n.ixti];
    if (x.book >= links.books.size()) return u"#NAME?";
    const model::SupportingBook& book = links.books[x.book];
    if (book.kind == model::SupportingBook::Kind::Self) {
      // A name that belongs to a sheet, used from another sheet: Sheet2!Name.
      bool scoped = n.name_index >= 1 && n.name_index <= wb_.names.size() && wb_.names[n.name_index - 1].sheet_scope != 0;
      return (scoped && local_sheets(wb_, *n.ixti) ? sheet_qualifier(wb_, *n.ixti) : u"") + name(n.name_index);
    }
    if (n.name_index == 0 || n.name_index > book.names.size()) return u"#NAME?";
    std::u16string text = book.names[n.name_index - 1].name;
    if (book.kind == model::SupportingBook::Kind::AddIn) {
      if (text.starts_with(kFuturePrefix)) text.erase(0, kFuturePrefix.size());
      return text;
    }
    // A workbook-level name of another book: Book.xls!Name, with the folder when it has one.
    std::u16string where = book_display(book.url);
    size_t open = where.rfind(u'['), close = where.rfind(u']');
    if (open != std::u16string::npos && close != std::u16string::npos && close > open)
      where = where.substr(0, open) + where.substr(open + 1, close - open - 1);
    bool quote = where.find_first_of(u" -'") != std::u16string::npos;
    if (quote) {
      std::u16string q = u"'";
      for (char16_t c : where) q += c == u'\'' ? std::u16string(u"''") : std::u16string(1, c);
      where = q + u"'";
    }
    return where + u"!" + text;
  }

  std::u16string function(const Node& n) {
    std::u16string close = spaces_for(n, Spacing::BeforeClose, Spacing::BreakBeforeClose);
    size_t first_arg = 0;
    std::u16string fname;
    if (n.function == ptg::kUserFunction) {
      if (n.children.empty()) return u"#NAME?";
      fname = expression(n.children[0]);
      if (fname.starts_with(kFuturePrefix)) fname.erase(0, kFuturePrefix.size());
      first_arg = 1;
    } else if (const FunctionInfo* f = function_by_index(n.function)) {
      fname = std::u16string(f->name);
    } else {
      fname = u"_UNKNOWN" + ascii(std::to_string(n.function).c_str());
    }
    std::u16string out = fname + u"(";
    for (size_t i = first_arg; i < n.children.size(); ++i) {
      if (i > first_arg) out += u',';
      out += expression(n.children[i]);
    }
    return out + close + u")";
  }

  const model::Workbook& wb_;
  model::CellRef base_;
  Notation notation_;
};

}  // namespace

std::u16string number_text(double value) {
  if (std::isnan(value) || std::isinf(value)) return u"#NUM!";
  if (value == 0) return u"0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14E", value);
  int exponent = std::atoi(std::strchr(buf, 'E') + 1);
  std::string s;
  if (exponent >= -9 && exponent <= 14) {
    // Plain decimals up to 15 significant digits, trailing zeros dropped.
    std::snprintf(buf, sizeof buf, "%.*f", std::max(0, 14 - exponent), value);
    s = buf;
    if (s.find('.') != std::string::npos) {
      while (s.back() == '0') s.pop_back();
      if (s.back() == '.') s.pop_back();
    }
  } else {
    std::string mantissa(buf, std::strchr(buf, 'E'));
    while (mantissa.back() == '0') mantissa.pop_back();
    if (mantissa.back() == '.') mantissa.pop_back();
    char exp_text[16];
    std::snprintf(exp_text, sizeof exp_text, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    s = mantissa + exp_text;
  }
  return ascii(s.c_str());
}

std::u16string print_expression(const model::Workbook& workbook, model::CellRef base, const Node& root,
                                Notation notation) {
  return Printer(workbook, base, notation).expression(root);
}

std::u16string print(const model::Workbook& workbook, model::CellRef base, const Node& root, Notation notation) {
  return u"=" + spaces_for(root, Spacing::BeforeFormula, 0xFF) +
         print_expression(workbook, base, root, notation);
}

std::u16string print(const model::Workbook& workbook, model::CellRef base, std::span<const uint8_t> tokens,
                     std::span<const uint8_t> extra, Notation notation, bool relative) {
  return print(workbook, base, decode(tokens, extra, base, relative), notation);
}

}  // namespace tabrel::formula
