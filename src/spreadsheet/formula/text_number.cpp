#include "spreadsheet/formula/text_number.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "spreadsheet/core/text.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::formula {
namespace {

constexpr std::u16string_view kMonths[] = {u"january", u"february", u"march",     u"april",   u"may",      u"june",
                                           u"july",    u"august",   u"september", u"october", u"november", u"december"};

// 1..12 for a month name or its first three letters (any case); 0 otherwise.
int month_of(std::u16string_view word) {
  std::u16string w = lower(word);
  for (int i = 0; i < 12; ++i)
    if (w == kMonths[i] || (w.size() == 3 && kMonths[i].starts_with(w))) return i + 1;
  return 0;
}

bool all_digits(std::u16string_view s) {
  return !s.empty() && s.size() <= 6 && std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

int to_int(std::u16string_view s) {
  int v = 0;
  for (char16_t c : s) v = v * 10 + (c - u'0');
  return v;
}

int full_year(int y) { return y < 30 ? 2000 + y : y < 100 ? 1900 + y : y; }

// "h:mm", "h:mm:ss" -> fraction of a day.
std::optional<double> time_part(std::u16string_view s) {
  std::vector<int> n;
  size_t pos = 0;
  while (pos <= s.size()) {
    size_t end = s.find(u':', pos);
    std::u16string_view field = s.substr(pos, end == std::u16string_view::npos ? std::u16string_view::npos : end - pos);
    if (!all_digits(field)) return std::nullopt;
    n.push_back(to_int(field));
    if (end == std::u16string_view::npos) break;
    pos = end + 1;
  }
  if (n.size() < 2 || n.size() > 3 || n[0] > 9999 || n[1] > 59 || (n.size() == 3 && n[2] > 59)) return std::nullopt;
  return (n[0] * 3600.0 + n[1] * 60.0 + (n.size() == 3 ? n[2] : 0)) / 86400.0;
}

// Fields of a date (numbers and month names) -> serial.
std::optional<double> date_part(const std::vector<std::u16string>& fields, DateSystem system) {
  int month = 0;
  std::vector<int> numbers;
  for (const std::u16string& f : fields) {
    if (all_digits(f)) numbers.push_back(to_int(f));
    else if (int m = month_of(f); m && !month) month = m;
    else return std::nullopt;
  }
  int y = 0, m = 0, d = 0;
  if (month) {
    if (numbers.empty() || numbers.size() > 2) return std::nullopt;
    m = month;
    if (numbers.size() == 1) {
      y = numbers[0];
      d = 1;
    } else if (numbers[0] > 31) {
      y = numbers[0], d = numbers[1];
    } else {
      d = numbers[0], y = numbers[1];
    }
    y = full_year(y);
  } else {
    if (numbers.size() != 3) return std::nullopt;
    if (numbers[0] > 31) {
      y = numbers[0], m = numbers[1], d = numbers[2];  // year first, as the Korean short date
    } else if (numbers[2] > 31 || numbers[2] >= 100) {
      // Month first (US), or day first when the first number cannot be a month.
      if (numbers[0] > 12) d = numbers[0], m = numbers[1];
      else m = numbers[0], d = numbers[1];
      y = numbers[2];
    } else {
      y = full_year(numbers[0]), m = numbers[1], d = numbers[2];
    }
  }
  if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
  if (system == DateSystem::k1900 && y == 1900 && m == 2 && d == 29) return 60.0;  // the fictitious leap day
  auto serial = serial_from_date(y, m, d, system);
  if (!serial) return std::nullopt;
  auto back = date_from_serial(*serial, system);  // no 30 February
  if (!back || back->month != m || back->day != d) return std::nullopt;
  return serial;
}

std::optional<double> date_or_time(std::u16string t, DateSystem system) {
  // AM/PM after the time, or 오전/오후 before it, makes it a 12-hour time.
  double half_day = -1;
  for (auto [mark, pm] : {std::pair<std::u16string_view, bool>{u" AM", false}, {u" PM", true}, {u" am", false},
                          {u" pm", true}, {u"오전 ", false}, {u"오후 ", true}}) {
    size_t at = t.find(mark);
    if (at == std::u16string::npos) continue;
    t.erase(at, mark.size());
    half_day = pm ? 0.5 : 0;
    break;
  }
  std::replace(t.begin(), t.end(), u',', u' ');
  std::optional<double> time;
  std::vector<std::u16string> fields;
  size_t pos = 0;
  while (pos < t.size()) {
    size_t end = t.find(u' ', pos);
    std::u16string part = t.substr(pos, end == std::u16string::npos ? std::u16string::npos : end - pos);
    pos = end == std::u16string::npos ? t.size() : end + 1;
    if (part.empty()) continue;
    if (part.find(u':') != std::u16string::npos) {
      if (time) return std::nullopt;
      time = time_part(part);
      if (!time) return std::nullopt;
      continue;
    }
    size_t start = 0;
    for (size_t i = 0; i <= part.size(); ++i)
      if (i == part.size() || part[i] == u'-' || part[i] == u'/') {
        if (i == start) return std::nullopt;
        fields.push_back(part.substr(start, i - start));
        start = i + 1;
      }
  }
  if (!time && fields.empty()) return std::nullopt;
  double total = 0;
  if (!fields.empty()) {
    auto day = date_part(fields, system);
    if (!day) return std::nullopt;
    total = *day;
  }
  if (time) {
    double frac = *time;
    if (half_day >= 0) {
      if (frac >= 13.0 / 24) return std::nullopt;  // "13:00 PM"
      if (frac >= 0.5) frac -= 0.5;               // 12:xx counts from midnight or noon
      frac += half_day;
    }
    total += frac;
  } else if (half_day >= 0) {
    return std::nullopt;
  }
  return total;
}

}  // namespace

std::optional<double> text_to_number(std::u16string_view text, DateSystem system) {
  size_t a = text.find_first_not_of(u' '), b = text.find_last_not_of(u' ');
  if (a == std::u16string_view::npos) return std::nullopt;
  std::u16string_view t = text.substr(a, b - a + 1);
  if (t.back() == u'%') {
    auto v = text_to_number(t.substr(0, t.size() - 1), system);
    return v ? std::optional(*v / 100) : std::nullopt;
  }
  bool plain = std::all_of(t.begin(), t.end(), [](char16_t c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u',' || c == u'-' || c == u'+' || c == u'e' || c == u'E';
  });
  if (plain) {
    if (auto v = parse_number(t)) return v;
  }
  return date_or_time(std::u16string(t), system);
}

}  // namespace tabrel::formula
