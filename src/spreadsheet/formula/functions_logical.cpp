// Logical and information functions: IF AND OR NOT IFERROR TRUE FALSE NA ISBLANK ISERROR ISERR
// ISNA ISNUMBER ISTEXT ISLOGICAL.

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/functions.h"

namespace tabrel::formula {
namespace {

// An argument left out inside the list (IF(c,,x)) counts as 0.
Value branch(Evaluator& ev, const Node& n) { return ev.is_missing(n) ? Value(0.0) : ev.eval(n); }

Value if_(Evaluator& ev, std::span<const Node> a) {
  if (ev.boolean(a[0])) return branch(ev, a[1]);
  if (a.size() < 3) return false;
  return branch(ev, a[2]);
}

Value logical(Evaluator& ev, std::span<const Node> a, bool all) {
  bool any_value = false;
  bool result = all;
  for (const Node& arg : a)
    ev.each_value(arg, [&](const Scalar& s, bool direct) {
      if (auto e = std::get_if<CellError>(&s)) throw ErrorSignal{*e};
      if (is_blank(s)) return;
      if (auto t = std::get_if<std::u16string>(&s)) {
        // Text counts only when it spells a boolean; other text is passed over.
        if (!direct || (!equals_ignore_case(*t, u"TRUE") && !equals_ignore_case(*t, u"FALSE"))) return;
      }
      bool b = ev.to_boolean(s);
      any_value = true;
      result = all ? (result && b) : (result || b);
    });
  if (!any_value) return CellError::Value;
  return result;
}
Value and_(Evaluator& ev, std::span<const Node> a) { return logical(ev, a, true); }
Value or_(Evaluator& ev, std::span<const Node> a) { return logical(ev, a, false); }
Value not_(Evaluator& ev, std::span<const Node> a) { return !ev.boolean(a[0]); }
Value true_(Evaluator&, std::span<const Node>) { return true; }
Value false_(Evaluator&, std::span<const Node>) { return false; }
Value na_(Evaluator&, std::span<const Node>) { return CellError::NA; }

Value iferror_(Evaluator& ev, std::span<const Node> a) {
  if (a.size() != 2) return CellError::Value;
  Value v = ev.eval(a[0]);
  Scalar s = ev.scalar_of(v);
  if (is_error(s)) return branch(ev, a[1]);
  return v.is_reference() || v.is_array() ? v : Value(s);
}

template <bool (*Test)(const Scalar&)>
Value is_(Evaluator& ev, std::span<const Node> a) {
  return Test(ev.scalar(a[0]));
}
bool blank_test(const Scalar& s) { return is_blank(s); }
bool error_test(const Scalar& s) { return is_error(s); }
bool err_test(const Scalar& s) { return is_error(s) && std::get<CellError>(s) != CellError::NA; }
bool na_test(const Scalar& s) { return is_error(s) && std::get<CellError>(s) == CellError::NA; }
bool number_test(const Scalar& s) { return is_number(s); }
bool text_test(const Scalar& s) { return is_text(s); }
bool logical_test(const Scalar& s) { return is_bool(s); }

bool nontext_test(const Scalar& s) { return !is_text(s); }

// N and T read the first cell of a range.
Scalar first_item(Evaluator& ev, const Node& n) {
  Value v = ev.eval(n);
  return v.is_reference() || v.is_array() ? ev.item(v, 0, 0) : v.scalar;
}

Value n_(Evaluator& ev, std::span<const Node> a) {
  Scalar s = first_item(ev, a[0]);
  if (auto d = std::get_if<double>(&s)) return *d;
  if (auto b = std::get_if<bool>(&s)) return *b ? 1.0 : 0.0;
  if (auto e = std::get_if<CellError>(&s)) return *e;
  return 0.0;
}

Value t_(Evaluator& ev, std::span<const Node> a) {
  Scalar s = first_item(ev, a[0]);
  if (is_text(s) || is_error(s)) return s;
  return std::u16string();
}

Value type_(Evaluator& ev, std::span<const Node> a) {
  Value v = ev.eval(a[0]);
  if (v.is_array() || (v.is_reference() && ev.shape(v) != std::pair{1, 1})) return 64.0;
  Scalar s = ev.scalar_of(v);
  if (is_text(s)) return 2.0;
  if (is_bool(s)) return 4.0;
  if (is_error(s)) return 16.0;
  return 1.0;
}

Value error_type_(Evaluator& ev, std::span<const Node> a) {
  Scalar s = ev.scalar(a[0]);
  auto e = std::get_if<CellError>(&s);
  if (!e) return CellError::NA;
  switch (*e) {
    case CellError::Null: return 1.0;
    case CellError::Div0: return 2.0;
    case CellError::Value: return 3.0;
    case CellError::Ref: return 4.0;
    case CellError::Name: return 5.0;
    case CellError::Num: return 6.0;
    case CellError::NA: return 7.0;
  }
  return CellError::NA;
}

}  // namespace

void add_logical_functions(FunctionMap& m) {
  m[u"TYPE"] = type_;
  m[u"ERROR.TYPE"] = error_type_;
  m[u"ISNONTEXT"] = is_<nontext_test>;
  m[u"N"] = n_;
  m[u"T"] = t_;
  m[u"IF"] = if_;
  m[u"AND"] = and_;
  m[u"OR"] = or_;
  m[u"NOT"] = not_;
  m[u"TRUE"] = true_;
  m[u"FALSE"] = false_;
  m[u"NA"] = na_;
  m[u"IFERROR"] = iferror_;
  m[u"ISBLANK"] = is_<blank_test>;
  m[u"ISERROR"] = is_<error_test>;
  m[u"ISERR"] = is_<err_test>;
  m[u"ISNA"] = is_<na_test>;
  m[u"ISNUMBER"] = is_<number_test>;
  m[u"ISTEXT"] = is_<text_test>;
  m[u"ISLOGICAL"] = is_<logical_test>;
}

}  // namespace tabrel::formula
