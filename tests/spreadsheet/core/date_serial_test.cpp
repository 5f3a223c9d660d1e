#include "spreadsheet/core/date_serial.h"

#include <gtest/gtest.h>

namespace tabrel {
namespace {

TEST(DateSerial, The1900SystemWithItsFictitiousLeapDay) {
  struct Case { int y, m, d; double serial; } cases[] = {
      {1900, 1, 1, 1}, {1900, 2, 28, 59}, {1900, 3, 1, 61}, {2024, 2, 29, 45351},
      {2026, 12, 10, 46366}, {9999, 12, 31, 2958465}, {1900, 13, 1, 367}, {2000, 1, 0, 36525},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(serial_from_date(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
  }
  auto leap = date_from_serial(60);
  ASSERT_TRUE(leap);
  EXPECT_EQ(leap->month, 2);
  EXPECT_EQ(leap->day, 29);
  auto zero = date_from_serial(0);
  ASSERT_TRUE(zero);
  EXPECT_EQ(zero->day, 0);
  EXPECT_FALSE(date_from_serial(-1));
  EXPECT_FALSE(date_from_serial(2958466));
  EXPECT_FALSE(serial_from_date(10000, 1, 1));
}

TEST(DateSerial, The1904SystemAndRoundTrips) {
  EXPECT_EQ(serial_from_date(1904, 1, 1, DateSystem::k1904), 0);
  EXPECT_EQ(serial_from_date(2026, 12, 10, DateSystem::k1904), 46366 - kDays1904Offset);
  for (double s : {1.0, 59.0, 61.0, 36526.0, 45351.0}) {
    auto d = date_from_serial(s);
    ASSERT_TRUE(d);
    EXPECT_EQ(serial_from_date(d->year, d->month, d->day), s);
  }
}

TEST(DateSerial, WeekdayAndTime) {
  EXPECT_EQ(weekday_from_serial(1), 1);      // shown as a Sunday
  EXPECT_EQ(weekday_from_serial(46366), 5);  // 2026-12-10 is a Thursday
  auto t = time_from_serial(0.75 + 1.0 / 86400);
  EXPECT_EQ(t.hour, 18);
  EXPECT_EQ(t.minute, 0);
  EXPECT_EQ(t.second, 1);
}

}  // namespace
}  // namespace tabrel
