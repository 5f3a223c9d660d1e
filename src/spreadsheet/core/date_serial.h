#pragma once
// Date serial numbers of the spreadsheet: days since the epoch with the time as the fraction.
// The 1900 system counts a fictitious 29 February 1900 (serial 60); the 1904 system starts at
// 1 January 1904 = 0.

#include <cstdint>
#include <optional>

namespace tabrel {

enum class DateSystem { k1900, k1904 };

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
};

struct CivilTime {
  int hour = 0, minute = 0, second = 0;
  double fraction = 0;  // fraction of a second in [0, 1)
};

// Serial of a civil date; nullopt outside what the system can show (before its epoch or after
// 9999-12-31). Month and day are normalised as DATE() does (month 13 is January of next year).
std::optional<double> serial_from_date(int year, int month, int day, DateSystem system = DateSystem::k1900);

// Civil date of the whole part of a serial; serial 0 in the 1900 system is 1900-01-00 and 60
// is 1900-02-29, as the spreadsheet shows them. nullopt for negative or too large serials.
std::optional<CivilDate> date_from_serial(double serial, DateSystem system = DateSystem::k1900);

// Time of day of the fractional part, rounded to the millisecond.
CivilTime time_from_serial(double serial);

// Weekday of a serial, 1 = Sunday .. 7 = Saturday (the 1900 system's fictitious day included).
int weekday_from_serial(double serial, DateSystem system = DateSystem::k1900);

// Conversion between the two systems: the 1904 system is 1462 days behind.
inline constexpr double kDays1904Offset = 1462;

}  // namespace tabrel
