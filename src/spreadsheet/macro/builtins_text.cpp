// Text functions of the run-time library.

#include <algorithm>
#include <cmath>

#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/builtins.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/format_error.h"
#include "spreadsheet/numfmt/render.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

namespace tabrel::macro::fn {
namespace {

[[noreturn]] void bad_call() { throw AutomationError(err::kInvalidProcedureCall, u"Invalid procedure call or argument"); }

bool given(const Args& a, size_t i) { return a.size() > i && !a[i].is_empty() && !is_missing(a[i]); }

long count_arg(const Variant& v) {
  const double d = v.to_double();
  if (d < 0 || d > 2147483647.0) bad_call();
  return static_cast<long>(d);
}

std::u16string bounded(std::u16string s, const BuiltinContext& ctx) {
  if (s.size() > ctx.limits.string_units) throw AutomationError(14, u"Out of string space");
  return s;
}

// Functions of one text argument give Null for Null.
template <class F>
Variant on_text(const Args& a, F f) {
  if (a[0].is_null()) return Variant::null();
  return Variant(f(a[0].to_string()));
}

bool text_mode(const Args& a, size_t i, const BuiltinContext& ctx) {
  return given(a, i) ? a[i].to_long() == 1 : ctx.text_compare;
}

std::u16string folded(std::u16string_view s, bool text) { return text ? upper(s) : std::u16string(s); }

}  // namespace

Variant Len(const Args& a, BuiltinContext&) {
  if (a[0].is_null()) return Variant::null();
  return Variant::long_(static_cast<int32_t>(a[0].to_string().size()));
}

Variant Left(const Args& a, BuiltinContext&) {
  const long n = count_arg(a[1]);
  return on_text(a, [&](const std::u16string& s) { return rt::Left(s, n); });
}

Variant Right(const Args& a, BuiltinContext&) {
  const long n = count_arg(a[1]);
  return on_text(a, [&](const std::u16string& s) { return rt::Right(s, n); });
}

Variant Mid(const Args& a, BuiltinContext&) {
  const long start = a[1].to_long();
  if (given(a, 2)) {
    const long n = count_arg(a[2]);
    return on_text(a, [&](const std::u16string& s) { return rt::Mid(s, start, n); });
  }
  return on_text(a, [&](const std::u16string& s) { return rt::Mid(s, start); });
}

Variant Trim(const Args& a, BuiltinContext&) { return on_text(a, [](const std::u16string& s) { return rt::Trim(s); }); }
Variant LTrim(const Args& a, BuiltinContext&) { return on_text(a, [](const std::u16string& s) { return rt::LTrim(s); }); }
Variant RTrim(const Args& a, BuiltinContext&) { return on_text(a, [](const std::u16string& s) { return rt::RTrim(s); }); }
Variant UCase(const Args& a, BuiltinContext&) { return on_text(a, [](const std::u16string& s) { return rt::UCase(s); }); }
Variant LCase(const Args& a, BuiltinContext&) { return on_text(a, [](const std::u16string& s) { return rt::LCase(s); }); }

// InStr([start,] text, find[, compare])
Variant InStr(const Args& a, BuiltinContext& ctx) {
  size_t i = 0;
  long start = 1;
  if (!a[2].is_empty()) {  // InStr(start, text, find)
    if (a[0].is_null()) bad_call();
    start = a[0].to_long();
    i = 1;
  }
  if (start < 1) bad_call();
  if (a.size() < i + 2) bad_call();
  if (a[i].is_null() || a[i + 1].is_null()) return Variant::null();
  const bool text = text_mode(a, i + 2, ctx);
  const std::u16string s = folded(a[i].to_string(), text), f = folded(a[i + 1].to_string(), text);
  return Variant::long_(static_cast<int32_t>(rt::InStr(start, s, f)));
}

// InStrRev(text, find[, start[, compare]])
Variant InStrRev(const Args& a, BuiltinContext& ctx) {
  if (a[0].is_null() || a[1].is_null()) return Variant::null();
  const bool text = text_mode(a, 3, ctx);
  const std::u16string s = folded(a[0].to_string(), text), f = folded(a[1].to_string(), text);
  long start = given(a, 2) ? a[2].to_long() : -1;
  if (start == 0 || start < -1) bad_call();
  if (start == -1 || start > static_cast<long>(s.size())) start = static_cast<long>(s.size());
  if (f.empty()) return Variant::long_(static_cast<int32_t>(start));
  if (f.size() > static_cast<size_t>(start)) return Variant::long_(0);
  const size_t at = s.rfind(f, static_cast<size_t>(start) - f.size());
  return Variant::long_(at == std::u16string::npos ? 0 : static_cast<int32_t>(at + 1));
}

// Replace(text, find, with[, start[, count[, compare]]])
Variant Replace(const Args& a, BuiltinContext& ctx) {
  if (a[0].is_null()) return Variant::null();
  const std::u16string s = a[0].to_string(), find = a[1].to_string(), with = a[2].to_string();
  const long start = given(a, 3) ? a[3].to_long() : 1;
  long count = given(a, 4) ? a[4].to_long() : -1;
  if (start < 1 || count < -1) bad_call();
  const bool text = text_mode(a, 5, ctx);
  if (static_cast<size_t>(start) > s.size()) return Variant(u"");
  const std::u16string rest = s.substr(static_cast<size_t>(start) - 1);
  if (find.empty() || count == 0) return Variant(rest);
  const std::u16string hay = folded(rest, text), needle = folded(find, text);
  std::u16string out;
  size_t pos = 0;
  while (count != 0) {
    const size_t at = hay.find(needle, pos);
    if (at == std::u16string::npos) break;
    out.append(rest, pos, at - pos);
    out += with;
    if (out.size() > ctx.limits.string_units) throw AutomationError(14, u"Out of string space");
    pos = at + needle.size();
    if (count > 0) --count;
  }
  out.append(rest, pos, std::u16string::npos);
  return Variant(bounded(std::move(out), ctx));
}

Variant Space(const Args& a, BuiltinContext& ctx) {
  const long n = count_arg(a[0]);
  if (static_cast<size_t>(n) > ctx.limits.string_units) throw AutomationError(14, u"Out of string space");
  return Variant(std::u16string(static_cast<size_t>(n), u' '));
}

Variant String(const Args& a, BuiltinContext& ctx) {
  const long n = count_arg(a[0]);
  if (static_cast<size_t>(n) > ctx.limits.string_units) throw AutomationError(14, u"Out of string space");
  if (a[1].is_null()) return Variant::null();
  char16_t c;
  if (a[1].is_string()) {
    if (a[1].str().empty()) bad_call();
    c = a[1].str()[0];
  } else {
    c = static_cast<char16_t>(a[1].to_long() & 0xFFFF);
  }
  return Variant(std::u16string(static_cast<size_t>(n), c));
}

Variant StrReverse(const Args& a, BuiltinContext&) {
  return on_text(a, [](std::u16string s) {
    std::reverse(s.begin(), s.end());
    return s;
  });
}

Variant StrComp(const Args& a, BuiltinContext& ctx) {
  if (a[0].is_null() || a[1].is_null()) return Variant::null();
  const bool text = text_mode(a, 2, ctx);
  const std::u16string x = folded(a[0].to_string(), text), y = folded(a[1].to_string(), text);
  return Variant::integer(static_cast<int16_t>(x < y ? -1 : (x == y ? 0 : 1)));
}

// StrConv: upper (1), lower (2) and proper (3) case; other conversions leave the text.
Variant StrConv(const Args& a, BuiltinContext&) {
  const long mode = a[1].to_long();
  return on_text(a, [&](std::u16string s) {
    if (mode & 1 && !(mode & 2)) return upper(s);
    if (mode & 2 && !(mode & 1)) return lower(s);
    if ((mode & 3) == 3) {
      bool start = true;
      for (char16_t& c : s) {
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (letter) c = start ? (c >= u'a' ? c - 32 : c) : (c <= u'Z' ? c + 32 : c);
        start = !letter && !(c >= u'0' && c <= u'9');
      }
    }
    return s;
  });
}

Variant Split(const Args& a, BuiltinContext&) {
  const std::u16string s = a[0].to_string();
  const std::u16string sep = given(a, 1) ? a[1].to_string() : u" ";
  const long limit = given(a, 2) ? a[2].to_long() : -1;
  std::vector<std::u16string> parts;
  if (!s.empty()) {
    if (sep.empty()) {
      parts.push_back(s);
    } else {
      size_t pos = 0;
      for (;;) {
        if (limit > 0 && static_cast<long>(parts.size()) == limit - 1) {
          parts.push_back(s.substr(pos));
          break;
        }
        const size_t at = s.find(sep, pos);
        if (at == std::u16string::npos) {
          parts.push_back(s.substr(pos));
          break;
        }
        parts.push_back(s.substr(pos, at - pos));
        pos = at + sep.size();
      }
    }
  }
  VariantArray out;
  out.lower = {0};
  out.extent = {static_cast<int32_t>(parts.size())};
  for (auto& p : parts) out.items.emplace_back(std::move(p));
  return Variant::array(std::move(out));
}

Variant Join(const Args& a, BuiltinContext& ctx) {
  if (!a[0].is_array()) throw AutomationError(err::kTypeMismatch, u"Type mismatch");
  const std::u16string sep = given(a, 1) ? a[1].to_string() : u" ";
  std::u16string out;
  bool first = true;
  for (const Variant& v : a[0].arr().items) {
    if (!first) out += sep;
    first = false;
    out += v.to_string();
    if (out.size() > ctx.limits.string_units) throw AutomationError(14, u"Out of string space");
  }
  return Variant(std::move(out));
}

namespace {

std::u16string named_format(std::u16string_view name) {
  struct Named {
    std::u16string_view name, code;
  };
  static constexpr Named kNamed[] = {
      {u"general number", u"General"}, {u"currency", u"\"\u20A9\"#,##0;-\"\u20A9\"#,##0"}, {u"fixed", u"0.00"},
      {u"standard", u"#,##0.00"}, {u"percent", u"0.00%"}, {u"scientific", u"0.00E+00"},
      {u"short date", u"yyyy-mm-dd"}, {u"medium date", u"yy-mmm-dd"}, {u"long date", u"yyyy\"년\" m\"월\" d\"일\" dddd"},
      {u"short time", u"hh:mm"}, {u"medium time", u"AM/PM h:mm"}, {u"long time", u"AM/PM h:mm:ss"},
  };
  const std::u16string folded_name = lower(name);
  for (const auto& n : kNamed)
    if (n.name == folded_name) return std::u16string(n.code);
  return std::u16string(name);
}

}  // namespace

// Format(value[, code]): the value rendered with a number-format code, as the spreadsheet's
// cells render it; the language's named formats map to their codes.
Variant Format(const Args& a, BuiltinContext&) {
  const Variant& v = a[0];
  if (v.is_null()) return Variant::null();
  if (!given(a, 1)) return Variant(v.to_string());
  const std::u16string name = a[1].to_string();
  const std::u16string folded_name = lower(name);
  if (folded_name == u"yes/no" || folded_name == u"true/false" || folded_name == u"on/off") {
    const bool t = v.to_bool();
    if (folded_name == u"yes/no") return Variant(t ? u"Yes" : u"No");
    if (folded_name == u"on/off") return Variant(t ? u"On" : u"Off");
    return Variant(t ? u"True" : u"False");
  }
  numfmt::CellValue value;
  if (v.is_string()) {
    if (auto d = parse_number(v.str())) value = numfmt::CellValue(*d);
    else value = numfmt::CellValue(v.str());
  } else if (v.is_bool()) {
    value = numfmt::CellValue(v.boolean() ? -1.0 : 0.0);
  } else if (!v.is_empty()) {
    value = numfmt::CellValue(v.to_double());
  } else {
    value = numfmt::CellValue(0.0);
  }
  try {
    const auto format = numfmt::Format::compile(named_format(name));
    return Variant(numfmt::measured_text(numfmt::render(format, value)));
  } catch (const numfmt::FormatError&) {
    bad_call();
  }
}

Variant Asc(const Args& a, BuiltinContext&) {
  const std::u16string s = a[0].to_string();
  if (s.empty()) bad_call();
  return Variant::long_(s[0]);
}

Variant Chr(const Args& a, BuiltinContext&) {
  const long code = a[0].to_long();
  if (code < -32768 || code > 65535) bad_call();
  return Variant(std::u16string(1, static_cast<char16_t>(code & 0xFFFF)));
}

namespace {

Variant radix(const Variant& v, int base) {
  if (v.is_null()) return Variant::null();
  const int64_t n = static_cast<int64_t>(std::nearbyint(v.to_double()));
  if (n < INT32_MIN || n > INT32_MAX) throw AutomationError(err::kOverflow, u"Overflow");
  uint32_t u = static_cast<uint32_t>(static_cast<int32_t>(n));
  if (v.type() == VarType::Integer && n < 0) u &= 0xFFFF;
  std::u16string out;
  do {
    const uint32_t d = u % static_cast<uint32_t>(base);
    out.insert(out.begin(), static_cast<char16_t>(d < 10 ? u'0' + d : u'A' + d - 10));
    u /= static_cast<uint32_t>(base);
  } while (u);
  return Variant(std::move(out));
}

}  // namespace

Variant Hex(const Args& a, BuiltinContext&) { return radix(a[0], 16); }
Variant Oct(const Args& a, BuiltinContext&) { return radix(a[0], 8); }

// Str: a leading blank for positive numbers.
Variant Str(const Args& a, BuiltinContext&) {
  if (a[0].is_null()) return Variant::null();
  const std::u16string s = a[0].to_string();
  const double d = a[0].to_double();
  return Variant(d >= 0 ? u" " + s : s);
}

Variant Val(const Args& a, BuiltinContext&) { return Variant(rt::Val(a[0].to_string())); }

}  // namespace tabrel::macro::fn
