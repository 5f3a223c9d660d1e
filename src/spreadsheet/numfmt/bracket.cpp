#include "spreadsheet/numfmt/bracket.h"

#include <cstdlib>

#include "spreadsheet/core/text.h"
#include "spreadsheet/numfmt/color_names.h"
#include "spreadsheet/numfmt/format_error.h"

namespace tabrel::numfmt {

namespace {

std::optional<double> read_number(std::u16string_view s) {
  if (s.empty() || s.size() > 64) return std::nullopt;
  std::string ascii;
  for (char16_t c : s) {
    if (c > 0x7F) return std::nullopt;
    ascii.push_back(static_cast<char>(c));
  }
  char* end = nullptr;
  double v = std::strtod(ascii.c_str(), &end);
  if (end != ascii.c_str() + ascii.size()) return std::nullopt;
  return v;
}

std::optional<uint32_t> read_hex(std::u16string_view s) {
  if (s.empty() || s.size() > 8) return std::nullopt;
  uint32_t v = 0;
  for (char16_t c : s) {
    int d = (c >= u'0' && c <= u'9') ? c - u'0' : (c >= u'a' && c <= u'f') ? c - u'a' + 10
            : (c >= u'A' && c <= u'F') ? c - u'A' + 10 : -1;
    if (d < 0) return std::nullopt;
    v = v * 16 + static_cast<uint32_t>(d);
  }
  return v;
}

std::optional<Bracket> read_condition(std::u16string_view s) {
  using Op = Condition::Op;
  Op op;
  size_t n = 1;
  if (s.starts_with(u"<=")) op = Op::Le, n = 2;
  else if (s.starts_with(u">=")) op = Op::Ge, n = 2;
  else if (s.starts_with(u"<>")) op = Op::Ne, n = 2;
  else if (s.starts_with(u"<")) op = Op::Lt;
  else if (s.starts_with(u">")) op = Op::Gt;
  else if (s.starts_with(u"=")) op = Op::Eq;
  else return std::nullopt;
  auto value = read_number(s.substr(n));
  if (!value) return std::nullopt;
  Bracket b;
  b.kind = Bracket::Kind::Condition;
  b.condition = Condition{op, *value};
  return b;
}

std::optional<Bracket> read_locale(std::u16string_view s) {
  if (s.empty() || s[0] != u'$') return std::nullopt;
  Bracket b;
  b.kind = Bracket::Kind::Locale;
  std::u16string_view rest = s.substr(1);
  size_t dash = rest.rfind(u'-');
  if (dash != std::u16string_view::npos) {
    auto lcid = read_hex(rest.substr(dash + 1));
    if (!lcid) return std::nullopt;
    b.locale = *lcid;
    rest = rest.substr(0, dash);
  }
  b.currency = std::u16string(rest);
  return b;
}

std::optional<Bracket> read_elapsed(std::u16string_view s) {
  if (s.empty()) return std::nullopt;
  char16_t c = lower(s.substr(0, 1))[0];
  for (char16_t k : s)
    if (lower(std::u16string_view(&k, 1))[0] != c) return std::nullopt;
  Bracket b;
  b.kind = Bracket::Kind::Elapsed;
  b.width = static_cast<int>(s.size());
  if (c == u'h') b.elapsed = DateField::ElapsedHours;
  else if (c == u'm') b.elapsed = DateField::ElapsedMinutes;
  else if (c == u's') b.elapsed = DateField::ElapsedSeconds;
  else return std::nullopt;
  return b;
}

}  // namespace

bool Condition::holds(double x) const {
  switch (op) {
    case Op::Lt: return x < value;
    case Op::Le: return x <= value;
    case Op::Gt: return x > value;
    case Op::Ge: return x >= value;
    case Op::Eq: return x == value;
    case Op::Ne: return x != value;
  }
  return false;
}

Bracket read_bracket(std::u16string_view content, size_t offset) {
  if (auto color = color_from_bracket(content)) {
    Bracket b;
  b.kind = Bracket::Kind::Color;
    b.color = *color;
    return b;
  }
  if (auto b = read_condition(content)) return *b;
  if (auto b = read_locale(content)) return *b;
  if (auto b = read_elapsed(content)) return *b;
  if (content.size() == 6 && equals_ignore_case(content.substr(0, 5), u"dbnum") && content[5] >= u'1' &&
      content[5] <= u'4') {
    Bracket b;
  b.kind = Bracket::Kind::DBNum;
    b.dbnum = content[5] - u'0';
    return b;
  }
  throw FormatError(offset, "unknown bracket [" + to_utf8(content) + "]");
}

}  // namespace tabrel::numfmt
