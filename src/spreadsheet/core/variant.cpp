#include "spreadsheet/core/variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/core/run_time_errors.h"
#include "spreadsheet/core/text.h"

namespace tabrel {

namespace {

[[noreturn]] void type_mismatch() { raise_error(err::kTypeMismatch); }
[[noreturn]] void overflow() { raise_error(err::kOverflow); }
[[noreturn]] void invalid_null() { raise_error(err::kInvalidUseOfNull); }

// Digits of d rounded to `digits` significant digits, as (mantissa digits, decimal exponent).
std::pair<std::string, int> significant(double d, int digits) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, d);
  std::string s(buf);
  size_t e = s.find('e');
  int exp10 = std::atoi(s.c_str() + e + 1);
  std::string mant;
  for (size_t i = 0; i < e; ++i)
    if (s[i] >= '0' && s[i] <= '9') mant.push_back(s[i]);
  while (mant.size() > 1 && mant.back() == '0') mant.pop_back();
  return {mant, exp10};
}

std::u16string number_to_string(double d, int digits) {
  // The language has no literal for these; its run time shows them in the C library's old form.
  if (std::isnan(d)) return u"-1.#IND";
  if (std::isinf(d)) return d < 0 ? u"-1.#INF" : u"1.#INF";
  if (d == 0) return u"0";
  std::string out;
  if (d < 0) {
    out.push_back('-');
    d = -d;
  }
  auto [mant, exp10] = significant(d, digits);
  if (exp10 >= digits || exp10 < -5) {
    out.push_back(mant[0]);
    if (mant.size() > 1) {
      out.push_back('.');
      out.append(mant, 1);
    }
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exp10 < 0 ? '-' : '+', std::abs(exp10));
    out.append(e);
  } else if (exp10 < 0) {
    out.append("0.");
    out.append(static_cast<size_t>(-exp10 - 1), '0');
    out.append(mant);
  } else {
    size_t int_len = static_cast<size_t>(exp10) + 1;
    if (mant.size() <= int_len) {
      out.append(mant);
      out.append(int_len - mant.size(), '0');
    } else {
      out.append(mant, 0, int_len);
      out.push_back('.');
      out.append(mant, int_len);
    }
  }
  return from_utf8(out);
}

std::u16string two(int v) {
  std::u16string s;
  s.push_back(static_cast<char16_t>(u'0' + v / 10 % 10));
  s.push_back(static_cast<char16_t>(u'0' + v % 10));
  return s;
}

// The language's dates count from 1899-12-30 (day 0) and skip the spreadsheet's fictitious
// 29 February 1900, so serials below 61 name the day before the spreadsheet's.
std::u16string date_to_string(double serial) {
  std::u16string out;
  double whole = std::floor(serial);
  double frac = serial - whole;
  if (whole != 0) {
    std::optional<CivilDate> d;
    if (whole >= 61) d = date_from_serial(whole);
    else if (whole >= 2) d = date_from_serial(whole - 1);  // no fictitious 29 Feb here
    else if (whole == 1) d = CivilDate{1899, 12, 31};
    if (!d) return number_to_string(serial, 15);
    out = from_utf8(std::to_string(d->year)) + u"-" + two(d->month) + u"-" + two(d->day);
  }
  if (frac != 0 || whole == 0) {
    CivilTime t = time_from_serial(serial);
    if (!out.empty()) out += u" ";
    int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    out += t.hour < 12 ? u"오전 " : u"오후 ";
    out += from_utf8(std::to_string(h12)) + u":" + two(t.minute) + u":" + two(t.second);
  }
  return out;
}

int32_t round_to_long(double d) {
  double r = std::nearbyint(d);  // banker's rounding under the default rounding mode
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) overflow();
  return static_cast<int32_t>(r);
}

}  // namespace

std::u16string cell_error_text(CellError e) {
  switch (e) {
    case CellError::Null: return u"#NULL!";
    case CellError::Div0: return u"#DIV/0!";
    case CellError::Value: return u"#VALUE!";
    case CellError::Ref: return u"#REF!";
    case CellError::Name: return u"#NAME?";
    case CellError::Num: return u"#NUM!";
    case CellError::NA: return u"#N/A";
  }
  return u"#VALUE!";
}

std::optional<CellError> cell_error_from_text(std::u16string_view text) {
  for (CellError e : {CellError::Null, CellError::Div0, CellError::Value, CellError::Ref, CellError::Name,
                      CellError::Num, CellError::NA})
    if (equals_ignore_case(text, cell_error_text(e))) return e;
  return std::nullopt;
}

Variant Variant::array(VariantArray a) {
  Variant v;
  v.data_ = std::make_shared<VariantArray>(std::move(a));
  return v;
}

VariantArray& Variant::arr_for_edit() {
  auto& shared = std::get<std::shared_ptr<VariantArray>>(data_);
  if (shared.use_count() > 1) shared = std::make_shared<VariantArray>(*shared);
  return *shared;
}

VarType Variant::type() const {
  switch (data_.index()) {
    case 0: return VarType::Empty;
    case 1: return VarType::Null;
    case 2: return VarType::Integer;
    case 3: return VarType::Long;
    case 4: return VarType::Single;
    case 5: return VarType::Double;
    case 6: return VarType::Currency;
    case 7: return VarType::Date;
    case 8: return VarType::String;
    case 9: return VarType::Boolean;
    case 10: return VarType::Error;
    case 11: return VarType::Object;
    default: return VarType::Array;
  }
}

bool Variant::is_numeric() const {
  switch (type()) {
    case VarType::Integer: case VarType::Long: case VarType::Single: case VarType::Double:
    case VarType::Currency: case VarType::Date: case VarType::Boolean:
      return true;
    default:
      return false;
  }
}

std::optional<double> parse_number(std::u16string_view text) {
  size_t i = 0, n = text.size();
  while (i < n && (text[i] == u' ' || text[i] == u'\t')) ++i;
  while (n > i && (text[n - 1] == u' ' || text[n - 1] == u'\t')) --n;
  if (i == n) return std::nullopt;
  std::string ascii;
  bool digit = false, dot = false, exp = false;
  size_t start = i;
  if (text[i] == u'+' || text[i] == u'-') ascii.push_back(static_cast<char>(text[i++]));
  for (; i < n; ++i) {
    char16_t c = text[i];
    if (c >= u'0' && c <= u'9') {
      ascii.push_back(static_cast<char>(c));
      digit = true;
    } else if (c == u',' && !dot && !exp && digit) {
      continue;
    } else if (c == u'.' && !dot && !exp) {
      ascii.push_back('.');
      dot = true;
    } else if ((c == u'e' || c == u'E') && digit && !exp) {
      ascii.push_back('e');
      exp = true;
      if (i + 1 < n && (text[i + 1] == u'+' || text[i + 1] == u'-')) ascii.push_back(static_cast<char>(text[++i]));
      if (i + 1 >= n) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  (void)start;
  if (!digit) return std::nullopt;
  char* end = nullptr;
  double d = std::strtod(ascii.c_str(), &end);
  if (end != ascii.c_str() + ascii.size() || !std::isfinite(d)) return std::nullopt;
  return d;
}

double Variant::to_double() const {
  switch (data_.index()) {
    case 0: return 0;
    case 1: invalid_null();
    case 2: return std::get<int16_t>(data_);
    case 3: return std::get<int32_t>(data_);
    case 4: return std::get<float>(data_);
    case 5: return std::get<double>(data_);
    case 6: return static_cast<double>(std::get<CurrencyValue>(data_).scaled) / 10000.0;
    case 7: return std::get<DateValue>(data_).serial;
    case 8: {
      const auto& s = str();
      if (auto d = parse_number(s)) return *d;
      if (equals_ignore_case(s, u"True")) return -1;
      if (equals_ignore_case(s, u"False")) return 0;
      type_mismatch();
    }
    case 9: return boolean() ? -1 : 0;
    default: type_mismatch();
  }
}

int32_t Variant::to_long() const { return round_to_long(to_double()); }

int16_t Variant::to_integer() const {
  int32_t l = to_long();
  if (l < -32768 || l > 32767) overflow();
  return static_cast<int16_t>(l);
}

bool Variant::to_bool() const {
  if (is_string()) {
    if (equals_ignore_case(str(), u"True")) return true;
    if (equals_ignore_case(str(), u"False")) return false;
  }
  return to_double() != 0;
}

std::u16string double_to_string(double d) { return number_to_string(d, 15); }
std::u16string single_to_string(float f) {
  // Seven significant digits of the float's own value, not of its double widening.
  return number_to_string(static_cast<double>(f), 7);
}

std::u16string Variant::to_string() const {
  switch (data_.index()) {
    case 0: return u"";
    case 1: invalid_null();
    case 2: return from_utf8(std::to_string(std::get<int16_t>(data_)));
    case 3: return from_utf8(std::to_string(std::get<int32_t>(data_)));
    case 4: return single_to_string(std::get<float>(data_));
    case 5: return double_to_string(std::get<double>(data_));
    case 6: return number_to_string(static_cast<double>(std::get<CurrencyValue>(data_).scaled) / 10000.0, 19);
    case 7: return date_to_string(std::get<DateValue>(data_).serial);
    case 8: return str();
    case 9: return boolean() ? u"True" : u"False";
    case 10: return u"Error " + from_utf8(std::to_string(error_code()));
    default: type_mismatch();
  }
}

std::u16string Variant::type_name() const {
  switch (data_.index()) {
    case 0: return u"Empty";
    case 1: return u"Null";
    case 2: return u"Integer";
    case 3: return u"Long";
    case 4: return u"Single";
    case 5: return u"Double";
    case 6: return u"Currency";
    case 7: return u"Date";
    case 8: return u"String";
    case 9: return u"Boolean";
    case 10: return u"Error";
    case 11: return object() ? object()->type_name() : u"Nothing";
    default: return u"Variant()";
  }
}

bool Variant::same_as(const Variant& o) const {
  if (data_.index() != o.data_.index()) return false;
  switch (data_.index()) {
    case 0: case 1: return true;
    case 2: return std::get<int16_t>(data_) == std::get<int16_t>(o.data_);
    case 3: return std::get<int32_t>(data_) == std::get<int32_t>(o.data_);
    case 4: return std::get<float>(data_) == std::get<float>(o.data_);
    case 5: return std::get<double>(data_) == std::get<double>(o.data_);
    case 6: return std::get<CurrencyValue>(data_).scaled == std::get<CurrencyValue>(o.data_).scaled;
    case 7: return std::get<DateValue>(data_).serial == std::get<DateValue>(o.data_).serial;
    case 8: return str() == o.str();
    case 9: return boolean() == o.boolean();
    case 10: return error_code() == o.error_code();
    case 11: return object() == o.object();
    default: {
      const auto& a = arr();
      const auto& b = o.arr();
      if (a.lower != b.lower || a.extent != b.extent || a.items.size() != b.items.size()) return false;
      for (size_t i = 0; i < a.items.size(); ++i)
        if (!a.items[i].same_as(b.items[i])) return false;
      return true;
    }
  }
}

std::optional<int> compare(const Variant& a, const Variant& b, bool text_compare) {
  if (a.is_null() || b.is_null()) return std::nullopt;
  auto bad = [](const Variant& v) { return v.is_error() || v.is_object() || v.is_array(); };
  if (bad(a) || bad(b)) type_mismatch();
  auto cmp_text = [&](std::u16string x, std::u16string y) {
    if (text_compare) {
      x = upper(x);
      y = upper(y);
    }
    return x < y ? -1 : (x == y ? 0 : 1);
  };
  auto cmp_num = [](double x, double y) { return x < y ? -1 : (x == y ? 0 : 1); };
  if (a.is_string() && b.is_string()) return cmp_text(a.str(), b.str());
  if (a.is_empty() && b.is_empty()) return 0;
  if (a.is_string() || b.is_string()) {
    const Variant& s = a.is_string() ? a : b;
    const Variant& o = a.is_string() ? b : a;
    if (o.is_empty()) return cmp_text(a.is_string() ? a.str() : u"", b.is_string() ? b.str() : u"");
    // A number against a string: the string must read as a number, else the number is less.
    auto d = parse_number(s.str());
    if (!d) return a.is_string() ? 1 : -1;
    return a.is_string() ? cmp_num(*d, o.to_double()) : cmp_num(o.to_double(), *d);
  }
  return cmp_num(a.to_double(), b.to_double());
}

std::optional<bool> equals(const Variant& a, const Variant& b) {
  auto c = compare(a, b);
  if (!c) return std::nullopt;
  return *c == 0;
}

}  // namespace tabrel
