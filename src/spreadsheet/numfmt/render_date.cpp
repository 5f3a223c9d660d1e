// Dates and times: the serial is rounded once to the finest unit the section shows (a second
// or its shown decimals), then cut into calendar fields.

#include <cmath>
#include <cstdint>
#include <string>

#include "spreadsheet/numfmt/calendar_names.h"
#include "spreadsheet/numfmt/section_render.h"

namespace tabrel::numfmt {

namespace {

std::u16string padded(int64_t n, int width) {
  std::string s = std::to_string(n);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<size_t>(width) - s.size(), '0');
  return std::u16string(s.begin(), s.end());
}

// A code of one elapsed field ([h], [mm], [ss]) and literals also shows negative durations.
bool signed_duration(const Section& s) {
  int fields = 0;
  bool elapsed = false;
  for (const Element& e : s.elements) {
    if (e.kind != ElementKind::Date) continue;
    ++fields;
    elapsed = e.field == DateField::ElapsedHours || e.field == DateField::ElapsedMinutes ||
              e.field == DateField::ElapsedSeconds;
  }
  return fields == 1 && elapsed;
}

}  // namespace

bool render_date(const Section& s, double serial, DateSystem system, Output& out) {
  if (serial < 0 && signed_duration(s)) {
    out.append(u'-');
    serial = -serial;
  }
  if (!(serial >= 0) || serial > 3e6) return false;
  int64_t unit = 1;  // ticks per second
  for (int i = 0; i < s.subsecond_digits; ++i) unit *= 10;
  const int64_t ticks_per_day = 86400 * unit;
  const int64_t ticks = std::llround(serial * static_cast<double>(ticks_per_day));
  const int64_t day = ticks / ticks_per_day;
  const int64_t in_day = ticks % ticks_per_day;
  auto date = date_from_serial(static_cast<double>(day), system);
  if (!date) return false;
  const int64_t seconds = in_day / unit;
  const int64_t total_seconds = ticks / unit;
  const int hour = static_cast<int>(seconds / 3600), minute = static_cast<int>(seconds / 60 % 60),
            second = static_cast<int>(seconds % 60);
  const NameLanguage lang = language_of(s.locale);
  int shown_hour = hour;
  if (s.twelve_hour) shown_hour = hour % 12 == 0 ? 12 : hour % 12;

  for (const Element& e : s.elements) {
    if (out.common(e)) continue;
    if (e.kind != ElementKind::Date) continue;
    switch (e.field) {
      case DateField::Year2: out.append(padded(date->year % 100, 2)); break;
      case DateField::Year4: out.append(padded(date->year, 4)); break;
      case DateField::BuddhistYear2: out.append(padded((date->year + 543) % 100, 2)); break;
      case DateField::BuddhistYear4: out.append(padded(date->year + 543, 4)); break;
      case DateField::Month: out.append(padded(date->month, 1)); break;
      case DateField::Month2: out.append(padded(date->month, 2)); break;
      case DateField::MonthShort: out.append(month_name(date->month, false, lang)); break;
      case DateField::MonthLong: out.append(month_name(date->month, true, lang)); break;
      case DateField::MonthLetter: out.append(month_name(date->month, false, lang).substr(0, 1)); break;
      case DateField::Day: out.append(padded(date->day, 1)); break;
      case DateField::Day2: out.append(padded(date->day, 2)); break;
      case DateField::WeekdayShort:
      case DateField::WeekdayLong:
        out.append(weekday_name(weekday_from_serial(static_cast<double>(day), system),
                                e.field == DateField::WeekdayLong, lang));
        break;
      case DateField::KoreanWeekdayShort:
      case DateField::KoreanWeekdayLong:
        out.append(weekday_name(weekday_from_serial(static_cast<double>(day), system),
                                e.field == DateField::KoreanWeekdayLong, NameLanguage::Korean));
        break;
      case DateField::Hour: out.append(padded(shown_hour, 1)); break;
      case DateField::Hour2: out.append(padded(shown_hour, 2)); break;
      case DateField::Minute: out.append(padded(minute, 1)); break;
      case DateField::Minute2: out.append(padded(minute, 2)); break;
      case DateField::Second: out.append(padded(second, 1)); break;
      case DateField::Second2: out.append(padded(second, 2)); break;
      case DateField::ElapsedHours: out.append(padded(total_seconds / 3600, e.width)); break;
      case DateField::ElapsedMinutes: out.append(padded(total_seconds / 60, e.width)); break;
      case DateField::ElapsedSeconds: out.append(padded(total_seconds, e.width)); break;
      case DateField::SubSecond: {
        std::u16string digits = padded(in_day % unit, s.subsecond_digits);
        out.append(u'.');
        out.append(digits.substr(0, static_cast<size_t>(e.width)));
        break;
      }
      case DateField::AmPm: out.append(am_pm_marker(e.text, hour >= 12, lang)); break;
    }
  }
  return true;
}

}  // namespace tabrel::numfmt
