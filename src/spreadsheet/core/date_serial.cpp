#include "spreadsheet/core/date_serial.h"

#include <cmath>

namespace tabrel {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil algorithm).
int64_t days_from_civil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate civil_from_days(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = yoe + era * 400;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return CivilDate{static_cast<int>(y + (m <= 2)), m, d};
}

const int64_t kEpoch1900 = days_from_civil(1899, 12, 31);  // serial 1 = 1900-01-01 (before March)
const int64_t kEpoch1904 = days_from_civil(1904, 1, 1);    // serial 0
constexpr double kMaxSerial1900 = 2958465;                  // 9999-12-31

}  // namespace

std::optional<double> serial_from_date(int year, int month, int day, DateSystem system) {
  // DATE(): years 0..1899 are offsets from 1900; months and days roll over.
  if (year >= 0 && year < 1900) year += 1900;
  int64_t y = year + (month - 1) / 12;
  int m = (month - 1) % 12;
  if (m < 0) {
    m += 12;
    --y;
  }
  int64_t days = days_from_civil(y, m + 1, 1) + (day - 1);
  double serial;
  if (system == DateSystem::k1900) {
    serial = static_cast<double>(days - kEpoch1900);
    if (serial >= 60) serial += 1;  // the fictitious 1900-02-29
    if (serial < 0 || serial > kMaxSerial1900) return std::nullopt;
  } else {
    serial = static_cast<double>(days - kEpoch1904);
    if (serial < 0 || serial > kMaxSerial1900 - kDays1904Offset) return std::nullopt;
  }
  return serial;
}

std::optional<CivilDate> date_from_serial(double serial, DateSystem system) {
  if (!(serial >= 0)) return std::nullopt;
  double whole = std::floor(serial);
  if (system == DateSystem::k1900) {
    if (whole > kMaxSerial1900) return std::nullopt;
    if (whole == 0) return CivilDate{1900, 1, 0};
    if (whole == 60) return CivilDate{1900, 2, 29};
    if (whole > 60) whole -= 1;
    return civil_from_days(kEpoch1900 + static_cast<int64_t>(whole));
  }
  if (whole > kMaxSerial1900 - kDays1904Offset) return std::nullopt;
  return civil_from_days(kEpoch1904 + static_cast<int64_t>(whole));
}

CivilTime time_from_serial(double serial) {
  double frac = serial - std::floor(serial);
  int64_t ms = static_cast<int64_t>(std::llround(frac * 86400000.0));
  if (ms >= 86400000) ms = 86400000 - 1;
  CivilTime t;
  t.hour = static_cast<int>(ms / 3600000);
  t.minute = static_cast<int>(ms / 60000 % 60);
  t.second = static_cast<int>(ms / 1000 % 60);
  t.fraction = static_cast<double>(ms % 1000) / 1000.0;
  return t;
}

int weekday_from_serial(double serial, DateSystem system) {
  int64_t whole = static_cast<int64_t>(std::floor(serial));
  if (system == DateSystem::k1904) whole += static_cast<int64_t>(kDays1904Offset);
  // Serial 1 (1900-01-01) is shown as a Sunday by the spreadsheet (it counts 29 Feb 1900).
  int64_t w = (whole + 6) % 7;
  if (w < 0) w += 7;
  return static_cast<int>(w) + 1;
}

}  // namespace tabrel
