#include "spreadsheet/macro/builtins.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/operators.h"
#include "runtime/numbers.h"

namespace tabrel::macro {
namespace {

[[noreturn]] void bad_call() { throw AutomationError(err::kInvalidProcedureCall, u"Invalid procedure call or argument"); }

constexpr int32_t kParamNotFound = -2147352572;  // the error value of an omitted Optional argument

bool given(const Args& a, size_t i) { return a.size() > i && !a[i].is_empty() && !is_missing(a[i]); }

// ---- conversions
Variant c_str(const Args& a, BuiltinContext&) { return Variant(a[0].to_string()); }
Variant c_int(const Args& a, BuiltinContext&) { return Variant::integer(a[0].to_integer()); }
Variant c_lng(const Args& a, BuiltinContext&) { return Variant::long_(a[0].to_long()); }
Variant c_dbl(const Args& a, BuiltinContext&) { return Variant(a[0].to_double()); }
Variant c_sng(const Args& a, BuiltinContext&) {
  const double d = a[0].to_double();
  if (std::fabs(d) > 3.402823466e38) overflow();
  return Variant::single(static_cast<float>(d));
}
Variant c_bool(const Args& a, BuiltinContext&) { return Variant(a[0].to_bool()); }
Variant c_date(const Args& a, BuiltinContext&) { return to_date(a[0]); }
Variant c_cur(const Args& a, BuiltinContext&) {
  const double d = a[0].to_double();
  if (std::fabs(d) > 922337203685477.0) overflow();
  return Variant::currency(std::llround(d * 10000));
}
Variant c_byte(const Args& a, BuiltinContext&) {
  const int32_t v = a[0].to_long();
  if (v < 0 || v > 255) overflow();
  return Variant::integer(static_cast<int16_t>(v));
}
Variant c_var(const Args& a, BuiltinContext&) { return a[0]; }

// ---- numbers
Variant keep_type(const Variant& v, double r) {
  switch (v.type()) {
    case VarType::Integer: return Variant::integer(static_cast<int16_t>(r));
    case VarType::Long: return Variant::long_(static_cast<int32_t>(r));
    case VarType::Single: return Variant::single(static_cast<float>(r));
    case VarType::Currency: return Variant::currency(std::llround(r * 10000));
    case VarType::Date: return Variant::date(r);
    default: return Variant(r);
  }
}
Variant m_abs(const Args& a, BuiltinContext&) {
  if (a[0].is_null()) return a[0];
  return keep_type(a[0], std::fabs(a[0].to_double()));
}
Variant m_int(const Args& a, BuiltinContext&) {
  if (a[0].is_null()) return a[0];
  return keep_type(a[0], std::floor(a[0].to_double()));
}
Variant m_fix(const Args& a, BuiltinContext&) {
  if (a[0].is_null()) return a[0];
  return keep_type(a[0], std::trunc(a[0].to_double()));
}
Variant m_sgn(const Args& a, BuiltinContext&) {
  const double d = a[0].to_double();
  return Variant::integer(static_cast<int16_t>(d > 0 ? 1 : (d < 0 ? -1 : 0)));
}
Variant m_sqr(const Args& a, BuiltinContext&) {
  const double d = a[0].to_double();
  if (d < 0) bad_call();
  return Variant(std::sqrt(d));
}
Variant m_exp(const Args& a, BuiltinContext&) {
  const double r = std::exp(a[0].to_double());
  if (!std::isfinite(r)) overflow();
  return Variant(r);
}
Variant m_log(const Args& a, BuiltinContext&) {
  const double d = a[0].to_double();
  if (d <= 0) bad_call();
  return Variant(std::log(d));
}
Variant m_sin(const Args& a, BuiltinContext&) { return Variant(std::sin(a[0].to_double())); }
Variant m_cos(const Args& a, BuiltinContext&) { return Variant(std::cos(a[0].to_double())); }
Variant m_tan(const Args& a, BuiltinContext&) { return Variant(std::tan(a[0].to_double())); }
Variant m_atn(const Args& a, BuiltinContext&) { return Variant(std::atan(a[0].to_double())); }
// Round(x[, digits]) rounds half to even, as the language does.
Variant m_round(const Args& a, BuiltinContext&) {
  if (a[0].is_null()) return a[0];
  const long digits = given(a, 1) ? a[1].to_long() : 0;
  if (digits < 0 || digits > 22) bad_call();
  const double scale = std::pow(10.0, static_cast<double>(digits));
  const double r = std::nearbyint(a[0].to_double() * scale) / scale;
  return digits == 0 ? keep_type(a[0], r) : Variant(r);
}
// Rnd: the language's own generator, so that a macro's numbers repeat from run to run.
Variant m_rnd(const Args& a, BuiltinContext& ctx) {
  uint32_t& x = *ctx.rnd_seed;
  if (given(a, 0) && a[0].to_double() == 0) return Variant::single(static_cast<float>(x) / 16777216.0f);
  if (given(a, 0) && a[0].to_double() < 0) {
    const float f = static_cast<float>(a[0].to_double());
    uint32_t bits;
    static_assert(sizeof bits == sizeof f);
    std::memcpy(&bits, &f, sizeof f);
    x = (bits + (bits >> 24)) & 0xFFFFFF;
  }
  x = (x * 1140671485u + 12820163u) & 0xFFFFFF;
  return Variant::single(static_cast<float>(x) / 16777216.0f);
}
Variant m_randomize(const Args&, BuiltinContext&) { return Variant(); }

// ---- dates
double serial_of(const Variant& v) { return to_date(v).to_double(); }
CivilDate civil(const Variant& v) {
  auto d = date_from_serial(std::floor(serial_of(v)));
  if (!d) bad_call();
  return *d;
}
Variant d_serial(const Args& a, BuiltinContext&) {
  auto s = serial_from_date(a[0].to_long(), a[1].to_long(), a[2].to_long());
  if (!s) bad_call();
  return Variant::date(*s);
}
Variant d_time_serial(const Args& a, BuiltinContext&) {
  const double secs = a[0].to_long() * 3600.0 + a[1].to_long() * 60.0 + a[2].to_long();
  return Variant::date(secs / 86400.0);
}
Variant d_year(const Args& a, BuiltinContext&) { return Variant::integer(static_cast<int16_t>(civil(a[0]).year)); }
Variant d_month(const Args& a, BuiltinContext&) { return Variant::integer(static_cast<int16_t>(civil(a[0]).month)); }
Variant d_day(const Args& a, BuiltinContext&) { return Variant::integer(static_cast<int16_t>(civil(a[0]).day)); }
Variant d_weekday(const Args& a, BuiltinContext&) {
  const int first = given(a, 1) ? a[1].to_long() : 1;
  if (first < 0 || first > 7) bad_call();
  const int w = weekday_from_serial(std::floor(serial_of(a[0])));
  const int base = first == 0 ? 1 : first;
  return Variant::integer(static_cast<int16_t>((w - base + 7) % 7 + 1));
}
CivilTime clock_of(const Variant& v) { return time_from_serial(serial_of(v)); }
Variant d_hour(const Args& a, BuiltinContext&) { return Variant::integer(static_cast<int16_t>(clock_of(a[0]).hour)); }
Variant d_minute(const Args& a, BuiltinContext&) { return Variant::integer(static_cast<int16_t>(clock_of(a[0]).minute)); }
Variant d_second(const Args& a, BuiltinContext&) { return Variant::integer(static_cast<int16_t>(clock_of(a[0]).second)); }
Variant d_now(const Args&, BuiltinContext& ctx) { return Variant::date(ctx.clock()); }
Variant d_date(const Args&, BuiltinContext& ctx) { return Variant::date(std::floor(ctx.clock())); }
Variant d_time(const Args&, BuiltinContext& ctx) {
  const double n = ctx.clock();
  return Variant::date(n - std::floor(n));
}
Variant d_timer(const Args&, BuiltinContext& ctx) {
  const double n = ctx.clock();
  return Variant::single(static_cast<float>((n - std::floor(n)) * 86400.0));
}
Variant d_value(const Args& a, BuiltinContext&) { return Variant::date(std::floor(date_of_text(a[0].to_string()))); }
Variant d_time_value(const Args& a, BuiltinContext&) {
  const double d = date_of_text(a[0].to_string());
  return Variant::date(d - std::floor(d));
}

// ---- information
Variant i_is_numeric(const Args& a, BuiltinContext&) {
  const Variant& v = a[0];
  if (v.is_string()) return Variant(rt::IsNumeric(v.str()));
  return Variant(v.is_numeric() || v.is_empty());
}
Variant i_is_empty(const Args& a, BuiltinContext&) { return Variant(a[0].is_empty()); }
Variant i_is_null(const Args& a, BuiltinContext&) { return Variant(a[0].is_null()); }
Variant i_is_array(const Args& a, BuiltinContext&) { return Variant(a[0].is_array()); }
Variant i_is_object(const Args& a, BuiltinContext&) { return Variant(a[0].is_object()); }
Variant i_is_error(const Args& a, BuiltinContext&) { return Variant(a[0].is_error()); }
Variant i_is_missing(const Args& a, BuiltinContext&) { return Variant(is_missing(a[0])); }
Variant i_is_date(const Args& a, BuiltinContext&) {
  if (a[0].type() == VarType::Date) return Variant(true);
  if (!a[0].is_string()) return Variant(false);
  try {
    date_of_text(a[0].str());
    return Variant(true);
  } catch (const AutomationError&) {
    return Variant(false);
  }
}
Variant i_type_name(const Args& a, BuiltinContext&) { return Variant(a[0].type_name()); }
Variant i_var_type(const Args& a, BuiltinContext&) {
  if (a[0].is_array()) return Variant::integer(8192 + 12);
  return Variant::integer(static_cast<int16_t>(a[0].type()));
}

// ---- arrays
const VariantArray& array_arg(const Variant& v) {
  if (!v.is_array()) type_mismatch();
  return v.arr();
}
size_t dimension_arg(const Args& a, const VariantArray& arr) {
  const long d = given(a, 1) ? a[1].to_long() : 1;
  if (d < 1 || static_cast<size_t>(d) > arr.lower.size())
    throw AutomationError(err::kSubscriptOutOfRange, u"Subscript out of range");
  return static_cast<size_t>(d - 1);
}
Variant a_lbound(const Args& a, BuiltinContext&) {
  const auto& arr = array_arg(a[0]);
  return Variant::long_(arr.lower[dimension_arg(a, arr)]);
}
Variant a_ubound(const Args& a, BuiltinContext&) {
  const auto& arr = array_arg(a[0]);
  const size_t d = dimension_arg(a, arr);
  return Variant::long_(arr.lower[d] + arr.extent[d] - 1);
}
Variant a_array(const Args& a, BuiltinContext&) {
  VariantArray out;
  out.lower = {0};
  out.extent = {static_cast<int32_t>(a.size())};
  out.items = a;
  return Variant::array(std::move(out));
}

// ---- interaction: answered at once, the texts kept for the run's log
Variant x_msgbox(const Args& a, BuiltinContext& ctx) {
  if (ctx.messages) ctx.messages->push_back(u"MsgBox: " + (a[0].is_null() ? u"" : a[0].to_string()));
  const long buttons = given(a, 1) ? a[1].to_long() : 0;
  // The button a person pressing Enter would choose: the default one of the set.
  static constexpr int kFirst[][3] = {{1, 1, 1}, {1, 2, 2}, {3, 4, 5}, {6, 7, 2}, {6, 7, 7}, {4, 2, 2}};
  const long set = buttons & 7;
  const long def = (buttons >> 8) & 3;
  if (set > 5) return Variant::integer(1);
  return Variant::integer(static_cast<int16_t>(kFirst[set][def > 2 ? 0 : def]));
}
Variant x_inputbox(const Args& a, BuiltinContext& ctx) {
  if (ctx.messages) ctx.messages->push_back(u"InputBox: " + a[0].to_string());
  return Variant(given(a, 2) ? a[2].to_string() : std::u16string());
}
Variant x_nothing(const Args&, BuiltinContext&) { return Variant(); }
Variant x_doevents(const Args&, BuiltinContext&) { return Variant::integer(0); }

// ---- choice
Variant c_iif(const Args& a, BuiltinContext&) {
  const bool t = !a[0].is_null() && a[0].to_bool();
  return t ? a[1] : a[2];
}
Variant c_choose(const Args& a, BuiltinContext&) {
  const long i = a[0].is_null() ? 0 : a[0].to_long();
  if (i < 1 || static_cast<size_t>(i) >= a.size()) return Variant::null();
  return a[static_cast<size_t>(i)];
}
Variant c_rgb(const Args& a, BuiltinContext&) {
  auto part = [](const Variant& v) { return std::clamp(v.to_long(), 0, 255); };
  return Variant::long_(part(a[0]) + part(a[1]) * 256 + part(a[2]) * 65536);
}
Variant c_cverr(const Args& a, BuiltinContext&) { return Variant::error(a[0].to_long()); }
Variant c_error(const Args& a, BuiltinContext&) {
  const long n = given(a, 0) ? a[0].to_long() : 0;
  return Variant(n == 0 ? std::u16string() : u"Application-defined or object-defined error " + from_utf8(std::to_string(n)));
}

constexpr uint8_t kMany = 255;

constexpr Builtin kBuiltins[] = {
    {u"CStr", 1, 1, false, c_str}, {u"CInt", 1, 1, false, c_int}, {u"CLng", 1, 1, false, c_lng},
    {u"CLngLng", 1, 1, false, c_lng}, {u"CLngPtr", 1, 1, false, c_lng}, {u"CDbl", 1, 1, false, c_dbl},
    {u"CSng", 1, 1, false, c_sng}, {u"CBool", 1, 1, false, c_bool}, {u"CDate", 1, 1, false, c_date},
    {u"CVDate", 1, 1, false, c_date}, {u"CCur", 1, 1, false, c_cur}, {u"CByte", 1, 1, false, c_byte},
    {u"CVar", 1, 1, true, c_var}, {u"Val", 1, 1, false, fn::Val}, {u"Str", 1, 1, false, fn::Str},
    {u"Abs", 1, 1, false, m_abs}, {u"Int", 1, 1, false, m_int}, {u"Fix", 1, 1, false, m_fix},
    {u"Sgn", 1, 1, false, m_sgn}, {u"Sqr", 1, 1, false, m_sqr}, {u"Exp", 1, 1, false, m_exp},
    {u"Log", 1, 1, false, m_log}, {u"Sin", 1, 1, false, m_sin}, {u"Cos", 1, 1, false, m_cos},
    {u"Tan", 1, 1, false, m_tan}, {u"Atn", 1, 1, false, m_atn}, {u"Round", 1, 2, false, m_round},
    {u"Rnd", 0, 1, false, m_rnd}, {u"Randomize", 0, 1, false, m_randomize},
    {u"Len", 1, 1, false, fn::Len}, {u"Left", 2, 2, false, fn::Left}, {u"Right", 2, 2, false, fn::Right},
    {u"Mid", 2, 3, false, fn::Mid}, {u"Trim", 1, 1, false, fn::Trim}, {u"LTrim", 1, 1, false, fn::LTrim},
    {u"RTrim", 1, 1, false, fn::RTrim}, {u"UCase", 1, 1, false, fn::UCase}, {u"LCase", 1, 1, false, fn::LCase},
    {u"InStr", 2, 4, false, fn::InStr}, {u"InStrRev", 2, 4, false, fn::InStrRev},
    {u"Replace", 3, 6, false, fn::Replace}, {u"Space", 1, 1, false, fn::Space},
    {u"String", 2, 2, false, fn::String}, {u"StrReverse", 1, 1, false, fn::StrReverse},
    {u"StrComp", 2, 3, false, fn::StrComp}, {u"StrConv", 2, 3, false, fn::StrConv},
    {u"Split", 1, 4, false, fn::Split}, {u"Join", 1, 2, false, fn::Join}, {u"Format", 1, 4, false, fn::Format},
    {u"Asc", 1, 1, false, fn::Asc}, {u"AscW", 1, 1, false, fn::Asc}, {u"Chr", 1, 1, false, fn::Chr},
    {u"ChrW", 1, 1, false, fn::Chr}, {u"Hex", 1, 1, false, fn::Hex}, {u"Oct", 1, 1, false, fn::Oct},
    {u"DateSerial", 3, 3, false, d_serial}, {u"TimeSerial", 3, 3, false, d_time_serial},
    {u"Year", 1, 1, false, d_year}, {u"Month", 1, 1, false, d_month}, {u"Day", 1, 1, false, d_day},
    {u"Weekday", 1, 2, false, d_weekday}, {u"Hour", 1, 1, false, d_hour}, {u"Minute", 1, 1, false, d_minute},
    {u"Second", 1, 1, false, d_second}, {u"Now", 0, 0, false, d_now}, {u"Date", 0, 0, false, d_date},
    {u"Time", 0, 0, false, d_time}, {u"Timer", 0, 0, false, d_timer}, {u"DateValue", 1, 1, false, d_value},
    {u"TimeValue", 1, 1, false, d_time_value},
    {u"IsNumeric", 1, 1, false, i_is_numeric}, {u"IsEmpty", 1, 1, false, i_is_empty},
    {u"IsNull", 1, 1, false, i_is_null}, {u"IsArray", 1, 1, true, i_is_array},
    {u"IsObject", 1, 1, true, i_is_object}, {u"IsError", 1, 1, false, i_is_error},
    {u"IsMissing", 1, 1, true, i_is_missing}, {u"IsDate", 1, 1, false, i_is_date},
    {u"TypeName", 1, 1, true, i_type_name}, {u"VarType", 1, 1, false, i_var_type},
    {u"LBound", 1, 2, true, a_lbound}, {u"UBound", 1, 2, true, a_ubound}, {u"Array", 0, kMany, true, a_array},
    {u"MsgBox", 1, 5, false, x_msgbox}, {u"InputBox", 1, 7, false, x_inputbox}, {u"Beep", 0, 0, false, x_nothing},
    {u"DoEvents", 0, 0, false, x_doevents}, {u"IIf", 3, 3, true, c_iif}, {u"Choose", 1, kMany, true, c_choose},
    {u"RGB", 3, 3, false, c_rgb}, {u"CVErr", 1, 1, false, c_cverr}, {u"Error", 0, 1, false, c_error},
};

}  // namespace

Variant missing_argument() { return Variant::error(kParamNotFound); }
bool is_missing(const Variant& v) { return v.is_error() && v.error_code() == kParamNotFound; }

int find_builtin(std::u16string_view name) {
  for (size_t i = 0; i < std::size(kBuiltins); ++i)
    if (equals_ignore_case(kBuiltins[i].name, name)) return static_cast<int>(i);
  return -1;
}

const Builtin& builtin_at(int index) { return kBuiltins[static_cast<size_t>(index)]; }

// yyyy-mm-dd, yyyy/mm/dd, m/d/yyyy and yyyy년 m월 d일, each with an optional time
// h:mm[:ss] with AM/PM or 오전/오후; or a time alone.
double date_of_text(std::u16string_view text) {
  int part[6] = {};
  int count = 0;
  bool pm = false, am = false, has_time = false, has_date = false;
  int time_at = -1;
  size_t i = 0;
  while (i < text.size()) {
    const char16_t c = text[i];
    if (c >= u'0' && c <= u'9') {
      int v = 0, digits = 0;
      while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        if (++digits > 4) type_mismatch();
        v = v * 10 + (text[i++] - u'0');
      }
      if (count == 6) type_mismatch();
      part[count++] = v;
      if (i < text.size() && text[i] == u':') {
        if (time_at < 0) time_at = count - 1;
        has_time = true;
      } else if (i < text.size() && (text[i] == u'-' || text[i] == u'/' || text[i] == u'.' || text[i] == u'년' ||
                                     text[i] == u'월')) {
        has_date = true;
      }
      continue;
    }
    if (c == u'P' || c == u'p' || c == u'오') {
      if (c == u'오' && i + 1 < text.size()) {
        pm = text[i + 1] == u'후';
        am = !pm;
        i += 2;
        continue;
      }
      pm = true;
    } else if (c == u'A' || c == u'a') {
      am = true;
    } else if (!(c == u' ' || c == u'-' || c == u'/' || c == u'.' || c == u':' || c == u'M' || c == u'm' ||
                 c == u'년' || c == u'월' || c == u'일' || c == u',')) {
      type_mismatch();
    }
    ++i;
  }
  double serial = 0;
  int used = 0;
  if (has_date || (count >= 3 && time_at != 0)) {
    if (count < 3) type_mismatch();
    int y, m, d;
    if (part[0] > 31) y = part[0], m = part[1], d = part[2];
    else m = part[0], d = part[1], y = part[2];
    if (y < 100) y += y < 30 ? 2000 : 1900;
    if (m < 1 || m > 12 || d < 1 || d > 31) type_mismatch();
    auto s = serial_from_date(y, m, d);
    if (!s) type_mismatch();
    serial = *s;
    used = 3;
  }
  if (has_time) {
    if (time_at < used) time_at = used;
    if (count < time_at + 2) type_mismatch();
    int h = part[time_at], mi = part[time_at + 1], se = count > time_at + 2 ? part[time_at + 2] : 0;
    if (pm && h < 12) h += 12;
    if (am && h == 12) h = 0;
    if (h > 23 || mi > 59 || se > 59) type_mismatch();
    serial += (h * 3600 + mi * 60 + se) / 86400.0;
  } else if (used == 0) {
    type_mismatch();
  }
  return serial;
}

Variant to_date(const Variant& v) {
  if (v.type() == VarType::Date) return v;
  if (v.is_string()) {
    if (auto d = parse_number(v.str())) return Variant::date(*d);
    return Variant::date(date_of_text(v.str()));
  }
  if (v.is_null()) throw AutomationError(err::kInvalidUseOfNull, u"Invalid use of Null");
  return Variant::date(v.to_double());
}

}  // namespace tabrel::macro
