// The 15 significant digits of a double: worked out in integer arithmetic where the value allows,
// they must be the digits that correctly rounded scientific notation gives everywhere.

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

#include "spreadsheet/numfmt/decimal_form.h"

namespace tabrel::numfmt {
namespace {

// Digits and point read from the standard library's 15-digit scientific form.
std::string expected_form(double value) {
  char buf[40];
  const char* end = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 14).ptr;
  std::string digits;
  const char* p = buf;
  for (; *p != 'e'; ++p)
    if (*p != '.') digits.push_back(*p);
  int exponent = 0;
  std::from_chars(p + (p[1] == '+' ? 2 : 1), end, exponent);
  while (digits.back() == '0') digits.pop_back();
  return digits + " point " + std::to_string(exponent + 1);
}

std::string form(double value) {
  const DecimalForm d = decimal_form(value);
  return d.digits + " point " + std::to_string(d.point);
}

TEST(DecimalForm, KnownValues) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {1, "1 point 1"},
      {1234500, "12345 point 7"},
      {999999999999999, "999999999999999 point 15"},
      {0.1 + 0.2, "3 point 0"},                        // 0.30000000000000004 keeps 15 digits
      {1.0 / 3, "333333333333333 point 0"},
      {0.000012345, "12345 point -4"},
      {123456789012345.5, "123456789012346 point 15"},  // an exact tie goes to the even digit
      {123456789012344.5, "123456789012344 point 15"},
      {9.9999999999999995, "1 point 2"},                // rounding carries into a new digit
      {std::nextafter(1.0, 0.0), "1 point 1"},
      {-2.5, "25 point 1"},
  };
  for (const Case& c : cases) EXPECT_EQ(form(c.value), c.expected) << c.value;
  EXPECT_TRUE(decimal_form(-2.5).negative);
  EXPECT_TRUE(decimal_form(0).is_zero());
  EXPECT_TRUE(decimal_form(std::nan("")).is_zero());
}

TEST(DecimalForm, AgreesWithCorrectlyRoundedScientificForm) {
  std::mt19937_64 random(20240611);
  auto check = [](double value) { ASSERT_EQ(form(value), expected_form(value)) << value; };
  // Powers of ten and their neighbours, where the first digit's place changes.
  for (int p = -12; p <= 17; ++p) {
    const double power = std::pow(10.0, p);
    check(power);
    check(std::nextafter(power, 0.0));
    check(std::nextafter(power, 1e300));
  }
  for (int i = 0; i < 50'000; ++i) {
    // Any double, binary fractions of every size, short decimals and halves of whole numbers.
    uint64_t bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    if (std::isfinite(any) && any != 0) check(any);
    check(std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 110));
    check(static_cast<double>(random() % 100'000'000 + 1) / std::pow(10.0, static_cast<double>(random() % 20)));
    check(static_cast<double>(random() % (uint64_t{1} << 52)) + 0.5);
  }
}

}  // namespace
}  // namespace tabrel::numfmt
