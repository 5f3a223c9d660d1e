#include "spreadsheet/automation/fill_series.h"

#include <array>
#include <cmath>
#include <string_view>

#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

// The spreadsheet's built-in fill lists, in the order it tries them.
using List = std::vector<std::u16string_view>;
const std::array<List, 10>& builtin_lists() {
  static const std::array<List, 10> lists = {{
      {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"},
      {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"},
      {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"},
      {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September", u"October",
       u"November", u"December"},
      {u"일", u"월", u"화", u"수", u"목", u"금", u"토"},
      {u"일요일", u"월요일", u"화요일", u"수요일", u"목요일", u"금요일", u"토요일"},
      {u"1월", u"2월", u"3월", u"4월", u"5월", u"6월", u"7월", u"8월", u"9월", u"10월", u"11월", u"12월"},
      {u"1사분기", u"2사분기", u"3사분기", u"4사분기"},
      {u"子", u"丑", u"寅", u"卯", u"辰", u"巳", u"午", u"未", u"申", u"酉", u"戌", u"亥"},
      {u"甲", u"乙", u"丙", u"丁", u"戊", u"己", u"庚", u"辛", u"壬", u"癸"},
  }};
  return lists;
}

constexpr char16_t kUpper = u'U', kLower = u'L';
constexpr size_t kMaxDigits = 15;

bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool has_letters(std::u16string_view s) { return upper(s) != lower(s); }

long floor_div(long a, long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

long positive_mod(long a, long b) { return ((a % b) + b) % b; }

// The serial `months` later, the day kept or brought back to the end of a shorter month.
std::optional<double> add_months(double serial, long months, DateSystem system) {
  const auto date = date_from_serial(serial, system);
  if (!date) return std::nullopt;
  const long total = date->year * 12L + (date->month - 1) + months;
  const int year = static_cast<int>(floor_div(total, 12)), month = static_cast<int>(positive_mod(total, 12)) + 1;
  const auto first = serial_from_date(year, month, 1, system), next = serial_from_date(year, month + 1, 1, system);
  if (!first || !next) return std::nullopt;
  const int length = static_cast<int>(*next - *first);
  const double time = serial - std::floor(serial);
  return *first + std::min(date->day, length) - 1 + time;
}

// The serial `count` working days (Monday to Friday) later or earlier.
double add_weekdays(double serial, long count, DateSystem system) {
  double s = serial + 7.0 * (count / 5);
  const int direction = count < 0 ? -1 : 1;
  for (long left = std::labs(count % 5); left > 0;) {
    s += direction;
    const int weekday = weekday_from_serial(s, system);
    if (weekday != 1 && weekday != 7) --left;
  }
  return s;
}

}  // namespace

FillLine::FillLine(std::vector<FillItem> source, FillType type, DateSystem system) : type_(type), system_(system) {
  for (const FillItem& item : source) items_.push_back(classify(item));
  whole_ = one_series();
  if (!whole_) return;
  const double n = static_cast<double>(items_.size());
  if (items_[0].kind == Kind::ListItem || type_ == FillType::Months || type_ == FillType::Years ||
      type_ == FillType::Weekdays) {
    intercept_ = items_[0].number;
    slope_ = items_[1].number - items_[0].number;
    return;
  }
  if (type_ == FillType::GrowthTrend) {
    // A geometric trend: the least-squares line through the numbers' logarithms; lines with a
    // number that has no logarithm are copied.
    for (const Item& item : items_)
      if (item.kind != Kind::Number || !(item.number > 0)) {
        whole_ = false;
        return;
      }
    growth_ = true;
  }
  auto y = [&](size_t i) { return growth_ ? std::log(items_[i].number) : items_[i].number; };
  // The least-squares line through the source's numbers.
  double mean_x = (n - 1) / 2, mean_y = 0;
  for (size_t i = 0; i < items_.size(); ++i) mean_y += y(i) / n;
  double sxy = 0, sxx = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    sxy += (static_cast<double>(i) - mean_x) * (y(i) - mean_y);
    sxx += (static_cast<double>(i) - mean_x) * (static_cast<double>(i) - mean_x);
  }
  slope_ = sxy / sxx;
  intercept_ = items_.size() == 2 ? y(0) : mean_y - slope_ * mean_x;
  if (items_.size() == 2) slope_ = y(1) - y(0);
}

FillLine::Item FillLine::classify(const FillItem& source) const {
  Item item;
  if (source.formula) return item;
  if (source.value.is_number()) {
    item.kind = source.date ? Kind::Date : Kind::Number;
    item.number = source.value.as_number();
    return item;
  }
  if (!source.value.is_text()) return item;
  const std::u16string text = source.value.as_text();
  const auto& lists = builtin_lists();
  for (size_t l = 0; l < lists.size(); ++l)
    for (size_t i = 0; i < lists[l].size(); ++i) {
      if (!equals_ignore_case(text, lists[l][i])) continue;
      item.kind = Kind::ListItem;
      item.list = static_cast<int>(l);
      item.number = static_cast<double>(i);
      if (has_letters(text) && text == upper(text) && text != lists[l][i]) item.prefix = std::u16string(1, kUpper);
      if (has_letters(text) && text == lower(text) && text != lists[l][i]) item.prefix = std::u16string(1, kLower);
      return item;
    }
  // A number at the end of the text, else at its start.
  size_t end = text.size(), start = end;
  while (start > 0 && is_digit(text[start - 1])) --start;
  if (start == end) {
    start = 0;
    end = 0;
    while (end < text.size() && is_digit(text[end])) ++end;
  }
  if (end == start || end - start > kMaxDigits) return item;
  item.kind = Kind::NumberedText;
  item.prefix = text.substr(0, start);
  item.suffix = text.substr(end);
  item.number = std::stod(to_utf8(text.substr(start, end - start)));
  if (text[start] == u'0' && end - start > 1) item.digits = end - start;
  return item;
}

bool FillLine::one_series() const {
  if (items_.size() < 2) return false;
  const Item& first = items_[0];
  if (first.kind == Kind::Copy) return false;
  for (const Item& item : items_) {
    if (item.kind != first.kind) return false;
    if (item.kind == Kind::NumberedText && (item.prefix != first.prefix || item.suffix != first.suffix)) return false;
    if (item.kind == Kind::ListItem && item.list != first.list) return false;
  }
  return true;
}

model::CellValue FillLine::value_of(const Item& item, double number) const {
  switch (item.kind) {
    case Kind::ListItem: {
      const auto& list = builtin_lists()[static_cast<size_t>(item.list)];
      const long size = static_cast<long>(list.size());
      std::u16string text(list[static_cast<size_t>(positive_mod(std::lround(number), size))]);
      if (item.prefix == std::u16string(1, kUpper)) text = upper(text);
      if (item.prefix == std::u16string(1, kLower)) text = lower(text);
      return model::CellValue::text(text);
    }
    case Kind::NumberedText: {
      std::u16string digits = from_utf8(std::to_string(std::llabs(std::llround(number))));
      if (digits.size() < item.digits) digits.insert(0, item.digits - digits.size(), u'0');
      return model::CellValue::text(item.prefix + digits + item.suffix);
    }
    default: return model::CellValue::number(number);
  }
}

// A date moved by `steps` of the fill's unit.
std::optional<double> FillLine::date_step(const Item& item, long steps) const {
  switch (type_) {
    case FillType::Weekdays: return add_weekdays(item.number, steps, system_);
    case FillType::Months: return add_months(item.number, steps, system_);
    case FillType::Years: return add_months(item.number, steps * 12, system_);
    default: return item.number + static_cast<double>(steps);
  }
}

std::optional<model::CellValue> FillLine::value_at(long k) const {
  if (type_ == FillType::Copy || type_ == FillType::Formats) return std::nullopt;
  if (whole_) {
    const Item& first = items_[0];
    if (first.kind == Kind::Date && (type_ == FillType::Weekdays || type_ == FillType::Months || type_ == FillType::Years)) {
      const auto moved = date_step(first, std::lround(slope_) * k);
      return moved ? std::optional(model::CellValue::number(*moved)) : std::nullopt;
    }
    if (growth_) {
      // Two numbers give an exact ratio; powers of it keep whole ratios whole.
      if (items_.size() == 2) return model::CellValue::number(first.number * std::pow(items_[1].number / first.number, k));
      return model::CellValue::number(std::exp(intercept_ + slope_ * static_cast<double>(k)));
    }
    return value_of(first, intercept_ + slope_ * static_cast<double>(k));
  }
  const long n = static_cast<long>(items_.size());
  const Item& item = items_[static_cast<size_t>(positive_mod(k, n))];
  const long cycle = floor_div(k, n);
  switch (item.kind) {
    case Kind::Copy: return std::nullopt;
    case Kind::Number:
      // A single number grows by the ratio 1: it is copied.
      if (type_ == FillType::Default || type_ == FillType::Values || type_ == FillType::GrowthTrend) return std::nullopt;
      return model::CellValue::number(item.number + static_cast<double>(cycle));
    case Kind::Date: {
      const auto moved = date_step(item, cycle);
      return moved ? std::optional(model::CellValue::number(*moved)) : std::nullopt;
    }
    default: return value_of(item, item.number + static_cast<double>(cycle));
  }
}

}  // namespace tabrel::xl
