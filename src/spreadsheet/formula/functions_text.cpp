// Text functions: LEFT RIGHT MID LEN LOWER UPPER PROPER TRIM CONCATENATE REPT EXACT FIND SEARCH
// SUBSTITUTE REPLACE CLEAN TEXT VALUE.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "spreadsheet/core/text.h"
#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/decimal_round.h"
#include "spreadsheet/formula/function_helpers.h"
#include "spreadsheet/formula/functions.h"
#include "spreadsheet/formula/print.h"

namespace tabrel::formula {
namespace {

constexpr size_t kMaxText = 32767;

size_t count_arg(Evaluator& ev, std::span<const Node> a, size_t i, double fallback) {
  double n = a.size() > i && !ev.is_missing(a[i]) ? std::trunc(ev.number(a[i])) : fallback;
  if (n < 0) throw ErrorSignal{CellError::Value};
  return static_cast<size_t>(std::min(n, static_cast<double>(kMaxText)));
}

Value left_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  return s.substr(0, count_arg(ev, a, 1, 1));
}
Value right_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  size_t n = std::min(count_arg(ev, a, 1, 1), s.size());
  return s.substr(s.size() - n);
}
Value mid_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  double start = std::trunc(ev.number(a[1]));
  if (start < 1) return CellError::Value;
  size_t n = count_arg(ev, a, 2, 0);
  if (start > static_cast<double>(s.size())) return std::u16string();
  return s.substr(static_cast<size_t>(start) - 1, n);
}
Value len_(Evaluator& ev, std::span<const Node> a) { return static_cast<double>(ev.text(a[0]).size()); }
Value lower_(Evaluator& ev, std::span<const Node> a) { return lower(ev.text(a[0])); }
Value upper_(Evaluator& ev, std::span<const Node> a) { return upper(ev.text(a[0])); }

bool is_cased_letter(char16_t c) { return upper(std::u16string_view(&c, 1)) != lower(std::u16string_view(&c, 1)); }

Value proper_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  bool after_letter = false;
  for (char16_t& c : s) {
    std::u16string_view one(&c, 1);
    c = after_letter ? lower(one)[0] : upper(one)[0];
    after_letter = is_cased_letter(c);
  }
  return s;
}

Value trim_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]), out;
  for (char16_t c : s) {
    if (c == u' ' && (out.empty() || out.back() == u' ')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == u' ') out.pop_back();
  return out;
}

Value concatenate_(Evaluator& ev, std::span<const Node> a) {
  std::u16string out;
  for (const Node& n : a) out += ev.text(n);
  if (out.size() > kMaxText) return CellError::Value;
  return out;
}

Value rept_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  double n = std::trunc(ev.number(a[1]));
  if (n < 0 || static_cast<double>(s.size()) * n > kMaxText) return CellError::Value;
  std::u16string out;
  for (int i = 0; i < static_cast<int>(n); ++i) out += s;
  return out;
}

Value exact_(Evaluator& ev, std::span<const Node> a) { return ev.text(a[0]) == ev.text(a[1]); }

Value replace_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  double start = std::trunc(ev.number(a[1]));
  if (start < 1) return CellError::Value;
  size_t count = count_arg(ev, a, 2, 0);
  std::u16string with = ev.text(a[3]);
  size_t from = std::min(static_cast<size_t>(std::min(start, static_cast<double>(kMaxText))) - 1, s.size());
  s.replace(from, std::min(count, s.size() - from), with);
  if (s.size() > kMaxText) return CellError::Value;
  return s;
}

// CLEAN drops the control characters 0-31.
Value clean_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  std::erase_if(s, [](char16_t c) { return c < 32; });
  return s;
}

Value find_in(Evaluator& ev, std::span<const Node> a, bool ignore_case) {
  std::u16string needle = ev.text(a[0]), hay = ev.text(a[1]);
  double start = a.size() > 2 && !ev.is_missing(a[2]) ? std::trunc(ev.number(a[2])) : 1;
  if (start < 1 || start > static_cast<double>(hay.size()) + 1) return CellError::Value;
  auto from = static_cast<size_t>(start) - 1;
  if (!ignore_case) {
    size_t p = hay.find(needle, from);
    if (p == std::u16string::npos) return CellError::Value;
    return static_cast<double>(p + 1);
  }
  // SEARCH: any case, with wildcards: the first position from which the pattern matches.
  if (needle.find_first_of(u"*?~") == std::u16string::npos) {
    size_t p = upper(hay).find(upper(needle), from);
    if (p == std::u16string::npos) return CellError::Value;
    return static_cast<double>(p + 1);
  }
  std::u16string pattern = needle + u"*";
  for (size_t p = from; p <= hay.size(); ++p)
    if (wildcard_match(pattern, std::u16string_view(hay).substr(p))) return static_cast<double>(p + 1);
  return CellError::Value;
}
Value find_(Evaluator& ev, std::span<const Node> a) { return find_in(ev, a, false); }
Value search_(Evaluator& ev, std::span<const Node> a) { return find_in(ev, a, true); }

Value substitute_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]), from = ev.text(a[1]), to = ev.text(a[2]);
  int which = a.size() > 3 && !ev.is_missing(a[3]) ? integer_arg(ev, a[3]) : 0;
  if (a.size() > 3 && which < 1) return CellError::Value;
  if (from.empty()) return s;
  std::u16string out;
  size_t pos = 0;
  int seen = 0;
  for (size_t hit; (hit = s.find(from, pos)) != std::u16string::npos; pos = hit + from.size()) {
    ++seen;
    out.append(s, pos, hit - pos);
    out += which == 0 || which == seen ? to : from;
  }
  out.append(s, pos);
  if (out.size() > kMaxText) return CellError::Value;
  return out;
}

Value text_(Evaluator& ev, std::span<const Node> a) {
  Scalar v = ev.scalar(a[0]);
  std::u16string code = ev.text(a[1]);
  if (auto e = std::get_if<CellError>(&v)) return *e;
  double number;
  if (auto t = std::get_if<std::u16string>(&v)) {
    auto n = text_to_number(*t, ev.date_system());
    if (!n) return *t;
    number = *n;
  } else {
    number = ev.to_number(v);
  }
  if (auto shown = ev.source().format_number(number, code)) return *shown;
  return number_text(number);
}

Value value_(Evaluator& ev, std::span<const Node> a) {
  Scalar v = ev.scalar(a[0]);
  if (auto e = std::get_if<CellError>(&v)) return *e;
  if (is_number(v) || is_blank(v)) return ev.to_number(v);
  if (auto t = std::get_if<std::u16string>(&v)) {
    if (auto n = text_to_number(*t, ev.date_system())) return *n;
  }
  return CellError::Value;
}

Value char_(Evaluator& ev, std::span<const Node> a) {
  double n = std::trunc(ev.number(a[0]));
  if (n < 1 || n > 255) return CellError::Value;
  auto c = static_cast<char>(static_cast<unsigned char>(n));
  return from_latin1(std::string_view(&c, 1));
}

Value code_(Evaluator& ev, std::span<const Node> a) {
  std::u16string s = ev.text(a[0]);
  if (s.empty()) return CellError::Value;
  return static_cast<double>(s[0]);
}

// FIXED(number[, decimals[, no_commas]]): rounded, with thousands separators unless told not.
Value fixed_(Evaluator& ev, std::span<const Node> a) {
  double x = ev.number(a[0]);
  double d = a.size() > 1 && !ev.is_missing(a[1]) ? std::trunc(ev.number(a[1])) : 2;
  bool no_commas = a.size() > 2 && !ev.is_missing(a[2]) && ev.boolean(a[2]);
  if (d > 127) return CellError::Value;
  int decimals = static_cast<int>(std::clamp(d, -15.0, 127.0));
  double r = round_decimal(x, decimals, RoundMode::HalfAwayFromZero);
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*f", std::max(0, decimals), std::fabs(r));
  std::string digits = buf;
  size_t point = digits.find('.');
  size_t whole = point == std::string::npos ? digits.size() : point;
  std::u16string out = r < 0 ? u"-" : u"";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (!no_commas && i > 0 && i < whole && (whole - i) % 3 == 0) out += u',';
    out += static_cast<char16_t>(digits[i]);
  }
  return out;
}

}  // namespace

void add_text_functions(FunctionMap& m) {
  m[u"FIXED"] = fixed_;
  m[u"CHAR"] = char_;
  m[u"CODE"] = code_;
  m[u"LEFT"] = left_;
  m[u"RIGHT"] = right_;
  m[u"MID"] = mid_;
  m[u"LEN"] = len_;
  m[u"LOWER"] = lower_;
  m[u"UPPER"] = upper_;
  m[u"PROPER"] = proper_;
  m[u"TRIM"] = trim_;
  m[u"CONCATENATE"] = concatenate_;
  m[u"REPT"] = rept_;
  m[u"EXACT"] = exact_;
  m[u"REPLACE"] = replace_;
  m[u"CLEAN"] = clean_;
  m[u"FIND"] = find_;
  m[u"SEARCH"] = search_;
  m[u"SUBSTITUTE"] = substitute_;
  m[u"TEXT"] = text_;
  m[u"VALUE"] = value_;
}

}  // namespace tabrel::formula
