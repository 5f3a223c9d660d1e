#include "spreadsheet/formula/evaluator.h"

#include <algorithm>
#include <cmath>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/decimal_round.h"
#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/function_table.h"
#include "spreadsheet/formula/functions.h"
#include "spreadsheet/formula/print.h"
#include "spreadsheet/formula/sheet_names.h"

namespace tabrel::formula {
namespace {

using Kind = Node::Kind;

// Largest array an operator or function builds item by item (four whole columns); beyond it
// the result is #NUM!, so that a formula over whole sheets cannot exhaust memory or time.
constexpr long long kMaxArrayItems = 4LL * model::kMaxRows;

bool too_large(int rows, int cols) { return static_cast<long long>(rows) * cols > kMaxArrayItems; }

int type_rank(const Scalar& s) {
  if (is_number(s)) return 0;
  if (is_text(s)) return 1;
  return 2;
}

Scalar array_item(const ArrayItem& i) {
  if (auto d = std::get_if<double>(&i)) return *d;
  if (auto s = std::get_if<std::u16string>(&i)) return *s;
  if (auto b = std::get_if<bool>(&i)) return *b;
  if (auto e = std::get_if<CellError>(&i)) return *e;
  return std::monostate{};
}

}  // namespace

int compare_scalars(const Scalar& a, const Scalar& b) {
  int ra = type_rank(a), rb = type_rank(b);
  if (ra != rb) return ra < rb ? -1 : 1;
  if (is_number(a)) {
    if (std::get<double>(a) == std::get<double>(b)) return 0;
    double x = to_15_digits(std::get<double>(a)), y = to_15_digits(std::get<double>(b));
    return x < y ? -1 : x > y ? 1 : 0;
  }
  if (is_text(a)) {
    std::u16string x = upper(std::get<std::u16string>(a)), y = upper(std::get<std::u16string>(b));
    return x < y ? -1 : x > y ? 1 : 0;
  }
  bool x = std::get<bool>(a), y = std::get<bool>(b);
  return x == y ? 0 : (x ? 1 : -1);
}

Evaluator::Evaluator(CellSource& source, int sheet, model::CellRef cell, bool array_formula)
    : source_(source), sheet_(sheet), cell_(cell), array_mode_(array_formula) {}

Scalar Evaluator::evaluate(const Node& root) {
  Value v = evaluate_value(root);
  if (array_mode_ && (v.is_array() || (v.is_reference() && shape(v) != std::pair{1, 1}))) {
    // A cell of an array formula shows its own element; a row or column repeats across.
    auto [rows, cols] = shape(v);
    int r = rows == 1 ? 0 : array_offset_.row, c = cols == 1 ? 0 : array_offset_.col;
    if (r >= rows || c >= cols) return CellError::NA;
    Scalar s = item(v, r, c);
    return is_blank(s) ? Scalar(0.0) : s;
  }
  Scalar s = scalar_of(v);
  if (is_blank(s) && v.is_reference()) return 0.0;  // a formula pointing at a blank cell shows 0
  return s;
}

Value Evaluator::evaluate_value(const Node& root) {
  try {
    return eval(root);
  } catch (const ErrorSignal& e) {
    return e.error;
  }
}

Value Evaluator::eval(const Node& n) {
  if (++depth_ > kMaxDepth) {
    --depth_;
    return CellError::Value;
  }
  source_.step(depth_);
  struct Leave {
    int& d;
    ~Leave() { --d; }
  } leave{depth_};
  switch (n.kind) {
    case Kind::Number: return n.number;
    case Kind::Text: return n.text;
    case Kind::Bool: return n.boolean;
    case Kind::Error: return n.error;
    case Kind::Missing: return Scalar{};
    case Kind::Array: {
      Matrix m;
      m.rows = n.array->rows;
      m.cols = n.array->cols;
      for (const ArrayItem& i : n.array->items) m.items.push_back(array_item(i));
      if (m.items.size() != static_cast<size_t>(m.rows) * static_cast<size_t>(m.cols)) return CellError::Value;
      return Value::array(std::move(m));
    }
    case Kind::Ref:
    case Kind::Area: return reference(n);
    case Kind::RefError:
    case Kind::AreaError:
    case Kind::SharedRef:
    case Kind::TableRef: return CellError::Ref;
    case Kind::Name:
    case Kind::ExternName: return name(n);
    case Kind::Unary: return unary(n);
    case Kind::Binary: return binary(n);
    case Kind::Paren: return n.children.empty() ? Value(CellError::Value) : eval(n.children[0]);
    case Kind::Function: return call(n);
  }
  return CellError::Value;
}

Value Evaluator::reference(const Node& n) {
  int first = sheet_, last = sheet_;
  if (n.ixti) {
    auto span = local_sheets(source_.workbook(), *n.ixti);
    if (!span && refers_to_other_book(*n.ixti)) throw NotComputable{"reference to another workbook"};
    if (!span) return CellError::Ref;
    first = span->first;
    last = span->last;
  }
  Address a = moved(n.first, n.offsets), b = n.kind == Kind::Area ? moved(n.last, n.offsets) : a;
  model::RangeRef r{{std::min(a.row, b.row), std::min(a.col, b.col)}, {std::max(a.row, b.row), std::max(a.col, b.col)}};
  std::vector<Area> areas;
  for (int s = first; s <= last; ++s) areas.push_back(Area{s, r});
  return Value::reference(std::move(areas));
}

Value Evaluator::name(const Node& n) {
  const model::Workbook& wb = source_.workbook();
  uint16_t index = n.name_index;
  if (n.kind == Kind::ExternName) {
    if (!n.ixti || *n.ixti >= wb.externals.sheets.size()) return CellError::Name;
    if (refers_to_other_book(*n.ixti)) throw NotComputable{"name in another workbook"};
    const auto& x = wb.externals.sheets[*n.ixti];
    if (x.book >= wb.externals.books.size() || wb.externals.books[x.book].kind != model::SupportingBook::Kind::Self)
      return CellError::Name;
  }
  if (index == 0 || index > wb.names.size()) return CellError::Name;
  if (const Value* v = source_.remembered_name(index, array_mode_)) return *v;
  if (auto it = cell_names_.find({index, array_mode_}); it != cell_names_.end()) return it->second;
  const Node* tree = source_.name_tree(index);
  if (!tree) return CellError::Name;
  if (std::find(open_names_.begin(), open_names_.end(), index) != open_names_.end()) throw CircularName{};
  // The name's relative parts are offsets from the cell that uses it.
  open_names_.push_back(index);
  const model::CellRef outer_shift = shift_;
  const bool outer_position = position_used_;
  const uint64_t unsettled = source_.unsettled_reads();
  shift_ = cell_;
  position_used_ = false;
  Value v;
  try {
    v = eval(*tree);
  } catch (...) {
    shift_ = outer_shift;
    open_names_.pop_back();
    throw;
  }
  shift_ = outer_shift;
  open_names_.pop_back();
  const bool by_position = position_used_;
  position_used_ = outer_position || by_position;
  if (source_.unsettled_reads() == unsettled) {
    if (by_position) cell_names_[{index, array_mode_}] = v;
    else source_.remember_name(index, array_mode_, v);
  }
  return v;
}

Address Evaluator::moved(const Address& a, bool offsets) {
  if (!offsets || (!a.row_relative && !a.col_relative)) return a;
  position_used_ = true;
  return shifted(a, offsets, shift_.row, shift_.col);
}

bool Evaluator::refers_to_other_book(uint16_t ixti) const {
  const auto& links = source_.workbook().externals;
  if (ixti >= links.sheets.size() || links.sheets[ixti].book >= links.books.size()) return false;
  return links.books[links.sheets[ixti].book].kind == model::SupportingBook::Kind::External;
}

Scalar Evaluator::scalar_of(const Value& v) {
  if (v.is_array()) return v.matrix->items.empty() ? Scalar(CellError::Value) : v.matrix->at(0, 0);
  if (!v.is_reference()) return v.scalar;
  if (v.areas.size() != 1) return CellError::Value;
  const Area& a = v.areas[0];
  const model::RangeRef& r = a.range;
  if (r.rows() == 1 && r.cols() == 1) return source_.cell(a.sheet, r.first);
  position_used_ = true;  // implicit intersection with this cell's row or column
  if (r.cols() == 1) {
    if (cell_.row >= r.first.row && cell_.row <= r.last.row) return source_.cell(a.sheet, {cell_.row, r.first.col});
    return CellError::Value;
  }
  if (r.rows() == 1) {
    if (cell_.col >= r.first.col && cell_.col <= r.last.col) return source_.cell(a.sheet, {r.first.row, cell_.col});
    return CellError::Value;
  }
  if (r.contains(cell_)) return source_.cell(a.sheet, cell_);
  return CellError::Value;
}

Scalar Evaluator::scalar(const Node& n) { return scalar_of(eval(n)); }

double Evaluator::to_number(const Scalar& s) {
  if (auto d = std::get_if<double>(&s)) return *d;
  if (auto b = std::get_if<bool>(&s)) return *b ? 1 : 0;
  if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
  if (auto t = std::get_if<std::u16string>(&s)) {
    if (auto v = text_to_number(*t, date_system())) return *v;
    throw ErrorSignal{CellError::Value};
  }
  return 0;
}

double Evaluator::number(const Node& n) { return to_number(scalar(n)); }

std::u16string Evaluator::to_text(const Scalar& s) {
  if (auto d = std::get_if<double>(&s)) return number_text(*d);
  if (auto b = std::get_if<bool>(&s)) return *b ? u"TRUE" : u"FALSE";
  if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
  if (auto t = std::get_if<std::u16string>(&s)) return *t;
  return u"";
}

std::u16string Evaluator::text(const Node& n) { return to_text(scalar(n)); }

bool Evaluator::to_boolean(const Scalar& s) {
  if (auto d = std::get_if<double>(&s)) return *d != 0;
  if (auto b = std::get_if<bool>(&s)) return *b;
  if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
  if (auto t = std::get_if<std::u16string>(&s)) {
    if (equals_ignore_case(*t, u"TRUE")) return true;
    if (equals_ignore_case(*t, u"FALSE")) return false;
    throw ErrorSignal{CellError::Value};
  }
  return false;
}

bool Evaluator::boolean(const Node& n) { return to_boolean(scalar(n)); }

void Evaluator::each_cell(const Area& a, const std::function<void(model::CellRef, const Scalar&)>& f) {
  const model::Workbook& wb = source_.workbook();
  if (a.sheet < 0 || static_cast<size_t>(a.sheet) >= wb.sheets.size()) return;
  const model::CellStore& cells = wb.sheets[static_cast<size_t>(a.sheet)]->cells;
  // Positions first: evaluating a cell may not touch the store's shape, but stay safe.
  std::vector<model::CellRef> positions;
  uint32_t last = model::CellStore::key(a.range.last);
  for (auto it = cells.lower_bound(a.range.first); it != cells.end() && it->first <= last; ++it) {
    model::CellRef p = model::CellStore::position(it->first);
    if (p.col >= a.range.first.col && p.col <= a.range.last.col) positions.push_back(p);
  }
  for (model::CellRef p : positions) {
    Scalar s = source_.cell(a.sheet, p);
    if (!is_blank(s)) f(p, s);
  }
}

void Evaluator::each_value(const Value& v, const std::function<void(const Scalar&, bool)>& f) {
  if (v.is_reference()) {
    for (const Area& a : v.areas) each_cell(a, [&](model::CellRef, const Scalar& s) { f(s, false); });
  } else if (v.is_array()) {
    for (const Scalar& s : v.matrix->items) f(s, false);
  } else {
    f(v.scalar, true);
  }
}

void Evaluator::each_value(const Node& n, const std::function<void(const Scalar&, bool)>& f) {
  if (n.kind == Kind::Missing) return;
  each_value(eval(n), f);
}

std::pair<int, int> Evaluator::shape(const Value& v) const {
  if (v.is_reference() && !v.areas.empty()) return {v.areas[0].range.rows(), v.areas[0].range.cols()};
  if (v.is_array()) return {v.matrix->rows, v.matrix->cols};
  return {1, 1};
}

int Evaluator::used_rows(const Value& v) const {
  auto [rows, cols] = shape(v);
  if (!v.is_reference() || v.areas.empty()) return rows;
  const model::Workbook& wb = source_.workbook();
  const Area& a = v.areas[0];
  if (a.sheet < 0 || static_cast<size_t>(a.sheet) >= wb.sheets.size()) return 0;
  const model::CellStore& cells = wb.sheets[static_cast<size_t>(a.sheet)]->cells;
  const std::optional<int> last_row = cells.last_row();
  if (!last_row) return 0;
  return std::clamp(*last_row - a.range.first.row + 1, 0, rows);
}

Scalar Evaluator::item(const Value& v, int row, int col) {
  if (v.is_reference()) {
    if (v.areas.empty()) return CellError::Ref;
    const Area& a = v.areas[0];
    return source_.cell(a.sheet, {a.range.first.row + row, a.range.first.col + col});
  }
  if (v.is_array()) {
    if (row >= v.matrix->rows || col >= v.matrix->cols) return CellError::NA;
    return v.matrix->at(row, col);
  }
  return v.scalar;
}

Value Evaluator::unary(const Node& n) {
  if (n.children.size() != 1) return CellError::Value;
  Value v = eval(n.children[0]);
  auto one = [&](const Scalar& s) -> Scalar {
    if (is_error(s)) return s;
    if (n.op == Op::Plus) return is_blank(s) ? Scalar(0.0) : s;  // unary plus leaves even text alone
    try {
      double d = to_number(s);
      return n.op == Op::Minus ? -d : d / 100;
    } catch (const ErrorSignal& e) {
      return e.error;
    }
  };
  if (array_mode_ && (v.is_array() || (v.is_reference() && shape(v) != std::pair{1, 1}))) {
    auto [rows, cols] = shape(v);
    if (too_large(rows, cols)) return CellError::Num;
    Matrix m{rows, cols, {}};
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) m.items.push_back(one(item(v, r, c)));
    return Value::array(std::move(m));
  }
  return one(scalar_of(v));
}

Scalar Evaluator::apply(Op op, const Scalar& a, const Scalar& b) {
  if (is_error(a)) return a;
  if (is_error(b)) return b;
  try {
    switch (op) {
      case Op::Add:
      case Op::Sub: {
        double x = to_number(a), y = to_number(b);
        double r = op == Op::Add ? x + y : x - y;
        if (r != 0 && std::fabs(r) < std::max(std::fabs(x), std::fabs(y)) * 1e-15) r = 0;
        return r;
      }
      case Op::Mul: return to_number(a) * to_number(b);
      case Op::Div: {
        double x = to_number(a), y = to_number(b);
        if (y == 0) return CellError::Div0;
        return x / y;
      }
      case Op::Power: {
        double x = to_number(a), y = to_number(b);
        if (x == 0 && y == 0) return CellError::Num;
        if (x == 0 && y < 0) return CellError::Div0;
        double r = std::pow(x, y);
        if (!std::isfinite(r)) return CellError::Num;
        return r;
      }
      case Op::Concat: return to_text(a) + to_text(b);
      default: break;
    }
  } catch (const ErrorSignal& e) {
    return e.error;
  }
  // Comparisons: a blank takes the other side's type.
  Scalar x = a, y = b;
  auto blank_as = [](const Scalar& other) -> Scalar {
    if (is_text(other)) return std::u16string();
    if (is_bool(other)) return false;
    return 0.0;
  };
  if (is_blank(x)) x = blank_as(y);
  if (is_blank(y)) y = blank_as(x);
  int c = compare_scalars(x, y);
  switch (op) {
    case Op::Lt: return c < 0;
    case Op::Le: return c <= 0;
    case Op::Eq: return c == 0;
    case Op::Ge: return c >= 0;
    case Op::Gt: return c > 0;
    case Op::Ne: return c != 0;
    default: return CellError::Value;
  }
}

Value Evaluator::elementwise(Op op, const Value& a, const Value& b) {
  auto [ar, ac] = shape(a);
  auto [br, bc] = shape(b);
  int rows = std::max(ar, br), cols = std::max(ac, bc);
  if (too_large(rows, cols)) return CellError::Num;
  auto pick = [&](const Value& v, int vr, int vc, int r, int c) -> Scalar {
    int rr = vr == 1 ? 0 : r, cc = vc == 1 ? 0 : c;
    if (rr >= vr || cc >= vc) return CellError::NA;
    return item(v, rr, cc);
  };
  Matrix m{rows, cols, {}};
  m.items.reserve(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) m.items.push_back(apply(op, pick(a, ar, ac, r, c), pick(b, br, bc, r, c)));
  return Value::array(std::move(m));
}

Value Evaluator::binary(const Node& n) {
  if (n.children.size() != 2) return CellError::Value;
  Value a = eval(n.children[0]);
  Value b = eval(n.children[1]);
  if (n.op == Op::Range || n.op == Op::Union || n.op == Op::Isect) {
    if (!a.is_reference()) return a.is_array() ? Value(CellError::Value) : Value(scalar_of(a));
    if (!b.is_reference()) return b.is_array() ? Value(CellError::Value) : Value(scalar_of(b));
    if (n.op == Op::Union) {
      std::vector<Area> all = a.areas;
      all.insert(all.end(), b.areas.begin(), b.areas.end());
      return Value::reference(std::move(all));
    }
    if (a.areas.size() != 1 || b.areas.size() != 1 || a.areas[0].sheet != b.areas[0].sheet) return CellError::Value;
    const model::RangeRef &x = a.areas[0].range, &y = b.areas[0].range;
    model::RangeRef r;
    if (n.op == Op::Range) {
      r = {{std::min(x.first.row, y.first.row), std::min(x.first.col, y.first.col)},
           {std::max(x.last.row, y.last.row), std::max(x.last.col, y.last.col)}};
    } else {
      r = {{std::max(x.first.row, y.first.row), std::max(x.first.col, y.first.col)},
           {std::min(x.last.row, y.last.row), std::min(x.last.col, y.last.col)}};
      if (r.first.row > r.last.row || r.first.col > r.last.col) return CellError::Null;
    }
    return Value::reference({Area{a.areas[0].sheet, r}});
  }
  auto multi = [&](const Value& v) { return v.is_array() || (v.is_reference() && shape(v) != std::pair{1, 1}); };
  if (array_mode_ && (multi(a) || multi(b))) return elementwise(n.op, a, b);
  if (a.is_array() || b.is_array()) return elementwise(n.op, a, b);
  return apply(n.op, scalar_of(a), scalar_of(b));
}

Value Evaluator::call(const Node& n) {
  std::span<const Node> args(n.children);
  std::u16string fname;
  if (n.function == ptg::kUserFunction) {
    if (n.children.empty()) return CellError::Name;
    const Node& callee = n.children[0];
    const model::Workbook& wb = source_.workbook();
    if (callee.kind == Kind::ExternName && callee.ixti && *callee.ixti < wb.externals.sheets.size()) {
      // Newer functions are add-in names, or hidden names of the workbook itself.
      const auto& x = wb.externals.sheets[*callee.ixti];
      if (x.book < wb.externals.books.size()) {
        const model::SupportingBook& book = wb.externals.books[x.book];
        bool own = book.kind == model::SupportingBook::Kind::Self;
        size_t count = own ? wb.names.size() : book.names.size();
        if (callee.name_index >= 1 && callee.name_index <= count)
          fname = own ? wb.names[callee.name_index - 1].name : book.names[callee.name_index - 1].name;
      }
    } else if (callee.kind == Kind::Name && callee.name_index >= 1 && callee.name_index <= wb.names.size()) {
      fname = wb.names[callee.name_index - 1].name;
    }
    if (fname.starts_with(kFuturePrefix)) fname.erase(0, kFuturePrefix.size());
    args = args.subspan(1);
  } else if (const FunctionInfo* f = function_by_index(n.function)) {
    fname = std::u16string(f->name);
    if (args.size() < f->min_args || args.size() > f->max_args) return CellError::Value;
  }
  FunctionImpl impl = find_function(upper(fname));
  if (!impl) throw NotComputable{"function not implemented: " + to_utf8(fname)};
  if (const FunctionInfo* f = function_by_index(n.function); f && array_mode_) {
    bool done = false;
    Value v = call_elementwise(impl, *f, args, done);
    if (done) return v;
  }
  try {
    return impl(*this, args);
  } catch (const ErrorSignal& e) {
    return e.error;
  }
}

namespace {

Node literal(const Scalar& s) {
  Node n;
  if (auto d = std::get_if<double>(&s)) n.kind = Kind::Number, n.number = *d;
  else if (auto t = std::get_if<std::u16string>(&s)) n.kind = Kind::Text, n.text = *t;
  else if (auto b = std::get_if<bool>(&s)) n.kind = Kind::Bool, n.boolean = *b;
  else if (auto e = std::get_if<CellError>(&s)) n.kind = Kind::Error, n.error = *e;
  else n.kind = Kind::Missing;
  return n;
}

}  // namespace

// In an array formula a function whose value argument receives an array or a range is applied
// to each item in turn (IF and CHOOSE to their branches as well), giving an array.
Value Evaluator::call_elementwise(FunctionImpl impl, const FunctionInfo& f, std::span<const Node> args, bool& done) {
  bool branches = f.index == 1 || f.index == 100;
  std::vector<std::optional<Value>> lifted(args.size());
  int rows = 0, cols = 0;
  for (size_t i = 0; i < args.size(); ++i) {
    char cls = f.arg_class(i);
    if (args[i].kind == Kind::Missing || !(cls == 'V' || (branches && cls == 'R'))) continue;
    Value v = eval(args[i]);
    if (!v.is_array() && !(v.is_reference() && shape(v) != std::pair{1, 1})) continue;
    auto [r, c] = shape(v);
    rows = std::max(rows, r);
    cols = std::max(cols, c);
    lifted[i] = std::move(v);
  }
  if (rows == 0) return Value();
  done = true;
  if (too_large(rows, cols)) return CellError::Num;
  Matrix m{rows, cols, {}};
  std::vector<Node> copy(args.begin(), args.end());
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      for (size_t i = 0; i < args.size(); ++i) {
        if (!lifted[i]) continue;
        auto [vr, vc] = shape(*lifted[i]);
        int rr = vr == 1 ? 0 : r, cc = vc == 1 ? 0 : c;
        copy[i] = rr < vr && cc < vc ? literal(item(*lifted[i], rr, cc)) : literal(CellError::NA);
      }
      Value v;
      try {
        v = impl(*this, copy);
      } catch (const ErrorSignal& e) {
        v = Value(e.error);
      }
      m.items.push_back(v.is_array() || v.is_reference() ? scalar_of(v) : std::move(v.scalar));
    }
  return Value::array(std::move(m));
}

}  // namespace tabrel::formula
