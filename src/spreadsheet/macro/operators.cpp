#include "spreadsheet/macro/operators.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

[[noreturn]] void fail(int32_t number, const char16_t* description) { throw AutomationError(number, description); }

bool integral(VarType t) {
  return t == VarType::Integer || t == VarType::Long || t == VarType::Boolean || t == VarType::Empty;
}
bool small(VarType t) { return t == VarType::Integer || t == VarType::Boolean || t == VarType::Empty; }

// A string operand of arithmetic reads as a number or raises.
double number_of(const Variant& v) {
  if (v.is_object() || v.is_array() || v.is_error()) type_mismatch();
  return v.to_double();
}

Variant integer_result(int64_t r, bool both_small) {
  if (both_small && r >= INT16_MIN && r <= INT16_MAX) return Variant::integer(static_cast<int16_t>(r));
  if (r >= INT32_MIN && r <= INT32_MAX) return Variant::long_(static_cast<int32_t>(r));
  return Variant(static_cast<double>(r));
}

Variant float_result(double r, bool single) {
  if (!std::isfinite(r)) overflow();
  if (single && std::fabs(r) <= std::numeric_limits<float>::max()) return Variant::single(static_cast<float>(r));
  return Variant(r);
}

// Banker's rounding to a 32-bit integer, as \ and Mod take their operands.
int64_t rounded(const Variant& v) {
  const double d = number_of(v);
  const double r = std::nearbyint(d);
  if (r < INT32_MIN || r > INT32_MAX) overflow();
  return static_cast<int64_t>(r);
}

Variant arithmetic(BinOp op, const Variant& a, const Variant& b) {
  const VarType ta = a.type(), tb = b.type();
  if (integral(ta) && integral(tb) && op != BinOp::Div && op != BinOp::Pow) {
    const int64_t x = static_cast<int64_t>(a.to_double()), y = static_cast<int64_t>(b.to_double());
    const bool both_small = small(ta) && small(tb);
    switch (op) {
      case BinOp::Add: return integer_result(x + y, both_small);
      case BinOp::Sub: return integer_result(x - y, both_small);
      case BinOp::Mul: return integer_result(x * y, both_small);
      default: break;
    }
  }
  if (op == BinOp::IntDiv || op == BinOp::Mod) {
    const int64_t x = rounded(a), y = rounded(b);
    if (y == 0) fail(err::kDivisionByZero, u"Division by zero");
    const bool both_small = small(ta) && small(tb);
    return integer_result(op == BinOp::IntDiv ? x / y : x % y, both_small);
  }
  const double x = number_of(a), y = number_of(b);
  const bool single = (ta == VarType::Single || small(ta)) && (tb == VarType::Single || small(tb)) &&
                      (ta == VarType::Single || tb == VarType::Single);
  switch (op) {
    case BinOp::Add:
    case BinOp::Sub: {
      const double r = op == BinOp::Add ? x + y : x - y;
      if (ta == VarType::Date && tb == VarType::Date) return float_result(r, false);
      if (ta == VarType::Date || tb == VarType::Date) return Variant::date(r);
      if (ta == VarType::Currency || tb == VarType::Currency) return Variant::currency(std::llround(r * 10000));
      return float_result(r, single);
    }
    case BinOp::Mul: return float_result(x * y, single);
    case BinOp::Div:
      if (y == 0) {
        if (x == 0) overflow();
        fail(err::kDivisionByZero, u"Division by zero");
      }
      return float_result(x / y, single && ta == VarType::Single && tb == VarType::Single);
    case BinOp::Pow: {
      if (x < 0 && y != std::floor(y)) fail(err::kInvalidProcedureCall, u"Invalid procedure call or argument");
      return float_result(std::pow(x, y), false);
    }
    default: type_mismatch();
  }
}

int64_t bits(const Variant& v) {
  if (v.is_bool()) return v.boolean() ? -1 : 0;
  return rounded(v);
}

Variant logic(BinOp op, const Variant& a, const Variant& b) {
  if (a.is_null() || b.is_null()) {
    // Null is "unknown": False And Null is False, True Or Null is True, otherwise Null.
    const Variant& known = a.is_null() ? b : a;
    if (!known.is_null()) {
      const int64_t k = bits(known);
      if (op == BinOp::And && k == 0) return known.is_bool() ? Variant(false) : Variant::integer(0);
      if (op == BinOp::Or && k == -1) return known;
      if (op == BinOp::Imp && a.is_null() && k == -1) return known;
    }
    return Variant::null();
  }
  const int64_t x = bits(a), y = bits(b);
  int64_t r = 0;
  switch (op) {
    case BinOp::And: r = x & y; break;
    case BinOp::Or: r = x | y; break;
    case BinOp::Xor: r = x ^ y; break;
    case BinOp::Eqv: r = ~(x ^ y); break;
    case BinOp::Imp: r = ~x | y; break;
    default: break;
  }
  if (a.is_bool() && b.is_bool()) return Variant(r != 0);
  return integer_result(r, small(a.type()) && small(b.type()));
}

Variant comparison(BinOp op, const Variant& a, const Variant& b, bool text_compare) {
  const auto c = compare(a, b, text_compare);
  if (!c) return Variant::null();
  switch (op) {
    case BinOp::Eq: return Variant(*c == 0);
    case BinOp::Ne: return Variant(*c != 0);
    case BinOp::Lt: return Variant(*c < 0);
    case BinOp::Gt: return Variant(*c > 0);
    case BinOp::Le: return Variant(*c <= 0);
    default: return Variant(*c >= 0);
  }
}

char16_t fold(char16_t c, bool text_compare) {
  if (!text_compare) return c;
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

// Matches a [class] at pattern position p (just after "["); advances p past "]".
bool class_matches(std::u16string_view pat, size_t& p, char16_t c, bool text_compare) {
  bool negate = false;
  if (p < pat.size() && pat[p] == u'!') {
    negate = true;
    ++p;
  }
  bool hit = false;
  bool first = true;
  while (p < pat.size() && (pat[p] != u']' || first)) {
    first = false;
    char16_t lo = fold(pat[p], text_compare);
    char16_t hi = lo;
    if (p + 2 < pat.size() && pat[p + 1] == u'-' && pat[p + 2] != u']') {
      hi = fold(pat[p + 2], text_compare);
      p += 2;
    }
    if (c >= lo && c <= hi) hit = true;
    ++p;
  }
  if (p < pat.size()) ++p;  // "]"
  return hit != negate;
}

}  // namespace

void overflow() { fail(err::kOverflow, u"Overflow"); }
void type_mismatch() { fail(err::kTypeMismatch, u"Type mismatch"); }

bool like(std::u16string_view text, std::u16string_view pat, bool text_compare) {
  // Iterative matching with one backtrack point for the last "*".
  size_t t = 0, p = 0, star_p = std::u16string_view::npos, star_t = 0;
  while (t < text.size()) {
    if (p < pat.size()) {
      const char16_t pc = pat[p];
      const char16_t c = fold(text[t], text_compare);
      if (pc == u'*') {
        star_p = ++p;
        star_t = t;
        continue;
      }
      size_t next_p = p + 1;
      bool ok;
      if (pc == u'?') ok = true;
      else if (pc == u'#') ok = c >= u'0' && c <= u'9';
      else if (pc == u'[') ok = class_matches(pat, next_p, c, text_compare);
      else ok = fold(pc, text_compare) == c;
      if (ok) {
        p = next_p;
        ++t;
        continue;
      }
    }
    if (star_p == std::u16string_view::npos) return false;
    p = star_p;
    t = ++star_t;
  }
  while (p < pat.size() && pat[p] == u'*') ++p;
  return p == pat.size();
}

bool truth(const Variant& v) {
  if (v.is_null()) return false;
  if (v.is_bool()) return v.boolean();
  if (v.is_object() || v.is_array()) type_mismatch();
  return v.to_bool();
}

Variant unary(UnOp op, const Variant& v) {
  if (v.is_null()) return v;
  switch (op) {
    case UnOp::Plus: return v;
    case UnOp::Not:
      if (v.is_bool()) return Variant(!v.boolean());
      return integer_result(~bits(v), small(v.type()));
    case UnOp::Neg:
      switch (v.type()) {
        case VarType::Empty: return Variant::integer(0);
        case VarType::Integer: case VarType::Boolean:
          return integer_result(-static_cast<int64_t>(v.to_double()), true);
        case VarType::Long: return integer_result(-static_cast<int64_t>(v.to_double()), false);
        case VarType::Single: return Variant::single(-static_cast<float>(v.to_double()));
        case VarType::Date: return Variant::date(-v.to_double());
        default: return Variant(-number_of(v));
      }
  }
  return v;
}

Variant binary(BinOp op, const Variant& a, const Variant& b, bool text_compare, size_t max_units) {
  switch (op) {
    case BinOp::Concat: {
      if (a.is_null() && b.is_null()) return Variant::null();
      std::u16string s = a.is_null() ? u"" : a.to_string();
      const std::u16string t = b.is_null() ? u"" : b.to_string();
      if (s.size() + t.size() > max_units) fail(14, u"Out of string space");
      s += t;
      return Variant(std::move(s));
    }
    case BinOp::Eq: case BinOp::Ne: case BinOp::Lt: case BinOp::Gt: case BinOp::Le: case BinOp::Ge:
      return comparison(op, a, b, text_compare);
    case BinOp::And: case BinOp::Or: case BinOp::Xor: case BinOp::Eqv: case BinOp::Imp:
      return logic(op, a, b);
    case BinOp::Like:
      if (a.is_null() || b.is_null()) return Variant::null();
      return Variant(like(a.to_string(), b.to_string(), text_compare));
    case BinOp::Is:
      if (!a.is_object() || !b.is_object()) fail(err::kObjectRequired, u"Object required");
      return Variant(a.object() == b.object());
    case BinOp::Add:
      if (a.is_string() && b.is_string()) {
        if (a.str().size() + b.str().size() > max_units) fail(14, u"Out of string space");
        return Variant(a.str() + b.str());
      }
      [[fallthrough]];
    default:
      if (a.is_null() || b.is_null()) return Variant::null();
      return arithmetic(op, a, b);
  }
}

}  // namespace tabrel::macro
