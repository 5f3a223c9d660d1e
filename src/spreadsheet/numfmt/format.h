#pragma once
// A compiled number-format code: up to four sections, each with its optional condition,
// colour, locale and numeral system, and the elements that the renderer walks in order.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tabrel::numfmt {

enum class SectionKind { General, Number, Scientific, Fraction, DateTime, Text, Empty };

// Where a digit placeholder stands in a numeric section.
enum class Zone { Integer, Decimal, Exponent, Numerator, Denominator };

enum class DateField {
  Year2, Year4, BuddhistYear2, BuddhistYear4,
  Month, Month2, MonthShort, MonthLong, MonthLetter,
  Day, Day2, WeekdayShort, WeekdayLong, KoreanWeekdayShort, KoreanWeekdayLong,
  Hour, Hour2, Minute, Minute2, Second, Second2,
  ElapsedHours, ElapsedMinutes, ElapsedSeconds,
  SubSecond,  // width = number of decimals
  AmPm,       // text = the marker as written
};

enum class ElementKind {
  Literal,      // text
  Spacer,       // blank as wide as text[0]
  Fill,         // text repeated across the free width
  Digit,        // placeholder `digit` in `zone`
  Point,        // decimal point of the number or mantissa
  Exponent,     // E+ / E-: `text` holds it as written
  Slash,        // fraction bar
  FixedDenominator,  // text = the digits of a fixed denominator
  At,           // the text value
  General,      // the value in General form
  Date,         // `field` with `width`
};

struct Element {
  explicit Element(ElementKind k, std::u16string t = {}) : kind(k), text(std::move(t)) {}
  ElementKind kind;
  std::u16string text;
  char16_t digit = 0;
  Zone zone = Zone::Integer;
  DateField field = DateField::Year4;
  int width = 0;  // for dates: digits or letters of the field; for elapsed fields: minimum width
};

struct Condition {
  enum class Op { Lt, Le, Gt, Ge, Eq, Ne } op;
  double value;
  bool holds(double x) const;
};

struct Section {
  SectionKind kind = SectionKind::General;
  std::vector<Element> elements;
  std::optional<Condition> condition;
  std::optional<int> color;  // ColorIndex 1..56 of the palette
  uint32_t locale = 0;       // LCID of a [$-xxx] tag, 0 when none
  int dbnum = 0;             // [DBNum1..4]
  // Numeric sections.
  int percent = 0;           // each % multiplies by 100
  int thousands_scale = 0;   // each trailing comma divides by 1000
  bool grouping = false;     // thousands separators in the integer part
  int integer_digits = 0, decimal_digits = 0, exponent_digits = 0;
  int numerator_digits = 0, denominator_digits = 0;
  int64_t fixed_denominator = 0;
  bool engineering = false;  // mantissa integer placeholders include # or ?
  // Date sections.
  bool twelve_hour = false;
  int subsecond_digits = 0;
};

class Format {
 public:
  // Compiles a code as stored in the file (English keywords; the Korean local forms of
  // General and the colour names are accepted too). Throws FormatError.
  static Format compile(std::u16string_view code);

  const std::u16string& code() const { return code_; }
  const std::vector<Section>& sections() const { return sections_; }
  // Index of the section for text values, if the code has one.
  std::optional<size_t> text_section() const { return text_section_; }
  // Number of sections for numbers (0 means General).
  size_t number_sections() const { return number_sections_; }
  // True when the code shows numbers as dates or times.
  bool is_date() const;

 private:
  std::u16string code_;
  std::vector<Section> sections_;
  std::optional<size_t> text_section_;
  size_t number_sections_ = 0;
};

}  // namespace tabrel::numfmt
