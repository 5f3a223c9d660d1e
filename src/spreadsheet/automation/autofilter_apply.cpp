// Range.AutoFilter: turning the filter on and off and filtering a column; the rows that fail a
// column's test are hidden, as the spreadsheet hides them.

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "spreadsheet/automation/autofilter.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/formula/criteria.h"
#include "spreadsheet/formula/engine.h"
#include "spreadsheet/formula/text_number.h"
#include "spreadsheet/ops/dimensions.h"

namespace tabrel::xl {
namespace {

// Comparison codes of a stored condition.
constexpr uint8_t kEqual = 2, kNotEqual = 5;
constexpr int kMaxTopCount = 500;

struct Prefix {
  std::u16string_view text;
  uint8_t code;
};
constexpr Prefix kPrefixes[] = {{u"<=", 3}, {u">=", 6}, {u"<>", 5}, {u"<", 1}, {u">", 4}, {u"=", 2}};

// The stored form of a criterion text: "=서울", ">=80", "서울" (equal), "=" (blanks), "<>"
// (non-blanks).
model::AutoFilterCondition condition_of(const std::u16string& text, DateSystem system) {
  model::AutoFilterCondition c;
  c.op = kEqual;
  std::u16string value = text;
  for (const Prefix& p : kPrefixes) {
    if (text.compare(0, p.text.size(), p.text) == 0) {
      c.op = p.code;
      value = text.substr(p.text.size());
      break;
    }
  }
  if (value.empty()) {
    c.value_type = c.op == kNotEqual ? kNonBlanks : kBlanks;
  } else if (const auto number = formula::text_to_number(value, system)) {
    c.value_type = kNumber;
    c.number = *number;
  } else {
    c.value_type = kString;
    c.text = value;
  }
  return c;
}

// Whether a value passes a column's filter; `numbers` are the column's numbers (for top and
// bottom items).
using Test = std::function<bool(const formula::Scalar&)>;

Test column_test(const model::AutoFilterColumn& c, std::vector<double> numbers, DateSystem system) {
  if (c.top10) {
    if (numbers.empty()) return [](const formula::Scalar&) { return false; };
    std::sort(numbers.begin(), numbers.end(), [&](double a, double b) { return c.top ? a > b : a < b; });
    const double wanted = c.percent ? std::floor(numbers.size() * c.top10_count / 100.0) : c.top10_count;
    const size_t count = std::clamp<size_t>(static_cast<size_t>(std::max(wanted, 1.0)), 1, numbers.size());
    const double edge = numbers[count - 1];
    const bool top = c.top;
    return [edge, top](const formula::Scalar& v) {
      return formula::is_number(v) && (top ? std::get<double>(v) >= edge : std::get<double>(v) <= edge);
    };
  }
  std::vector<formula::Criterion> tests;
  if (!c.values.empty()) {
    for (const std::u16string& v : c.values) tests.emplace_back(formula::Scalar(u"=" + v), system);
  } else {
    for (const model::AutoFilterCondition* part : {&c.first, &c.second})
      if (const auto text = criterion_text(*part)) tests.emplace_back(formula::Scalar(*text), system);
  }
  const bool any = c.join_or || !c.values.empty();
  return [tests = std::move(tests), any](const formula::Scalar& v) {
    auto match = [&](const formula::Criterion& t) { return t.matches(v); };
    return any ? std::any_of(tests.begin(), tests.end(), match) : std::all_of(tests.begin(), tests.end(), match);
  };
}

// Shows the rows of the list that pass every filtered column and hides the others.
void filter_rows(Book& book, model::Sheet& sheet) {
  model::AutoFilter& filter = *sheet.autofilter;
  const model::RangeRef& list = filter.range;
  const DateSystem system = book.model->date_system;
  auto value_at = [&](int row, int column) {
    return formula::to_scalar(cell_value(book, sheet, {row, list.first.col + column}));
  };
  std::vector<std::pair<int, Test>> tests;
  for (const model::AutoFilterColumn& c : filter.columns) {
    std::vector<double> numbers;
    for (int r = list.first.row + 1; r <= list.last.row; ++r)
      if (const auto v = value_at(r, c.index); formula::is_number(v)) numbers.push_back(std::get<double>(v));
    tests.emplace_back(c.index, column_test(c, std::move(numbers), system));
  }
  for (int r = list.first.row + 1; r <= list.last.row; ++r) {
    const bool shown = std::all_of(tests.begin(), tests.end(), [&](const auto& t) { return t.second(value_at(r, t.first)); });
    if (sheet.row_hidden(r) == !shown) continue;
    ops::set_row_hidden(sheet, r, r, !shown);
  }
  filter.filter_mode = !filter.columns.empty();
}

model::AutoFilterColumn column_filter(int index, const Variant& criteria1, int kind, const Variant& criteria2,
                                      DateSystem system) {
  model::AutoFilterColumn column;
  column.index = static_cast<uint16_t>(index);
  if (kind >= kTop10Items && kind <= kBottom10Percent) {
    column.top10 = true;
    column.top = kind == kTop10Items || kind == kTop10Percent;
    column.percent = kind == kTop10Percent || kind == kBottom10Percent;
    const int count = criteria1.to_long();
    if (count < 1 || count > kMaxTopCount) raise(Fault::MethodFailed);
    column.top10_count = static_cast<uint16_t>(count);
  } else if (kind == kFilterValues || criteria1.is_array()) {
    if (!criteria1.is_array()) {
      column.values.push_back(criteria1.to_string());
    } else {
      for (const Variant& v : criteria1.arr().items) column.values.push_back(v.to_string());
    }
    column.join_or = true;
    for (size_t i = 0; i < column.values.size() && i < 2; ++i)
      (i == 0 ? column.first : column.second) = condition_of(u"=" + column.values[i], system);
  } else if (kind == kAnd || kind == kOr) {
    column.first = condition_of(criteria1.to_string(), system);
    if (!criteria2.is_empty()) column.second = condition_of(criteria2.to_string(), system);
    column.join_or = kind == kOr;
  } else {
    raise(Fault::MethodFailed);
  }
  return column;
}

}  // namespace

void Range::AutoFilter(const Variant& field, const Variant& criteria1, const Variant& op, const Variant& criteria2) {
  model::Sheet& sheet = sheet_.get();
  if (field.is_empty() && criteria1.is_empty() && sheet.autofilter) {
    // Off: every row of the list shown again.
    const model::RangeRef& list = sheet.autofilter->range;
    for (int r = list.first.row + 1; r <= list.last.row; ++r)
      if (sheet.row_hidden(r)) ops::set_row_hidden(sheet, r, r, false);
    sheet.autofilter.reset();
    return;
  }
  if (!sheet.autofilter) {
    // One cell stands for the list around it.
    const model::RangeRef list = area_.cell_count() == 1 ? CurrentRegion()->area() : area_;
    if (list.cell_count() == 1 && cell_value(*sheet_.book, sheet, list.first).is_blank()) raise(Fault::MethodFailed);
    sheet.autofilter = model::AutoFilter{};
    sheet.autofilter->range = list;
    sheet.autofilter->drop_downs = static_cast<uint16_t>(list.cols());
  }
  if (field.is_empty()) return;
  model::AutoFilter& filter = *sheet.autofilter;
  const int index = field.to_long() - 1;
  if (index < 0 || index >= filter.range.cols()) raise(Fault::MethodFailed);
  std::erase_if(filter.columns, [&](const model::AutoFilterColumn& c) { return c.index == index; });
  if (!criteria1.is_empty()) {
    const int kind = op.is_empty() ? kAnd : op.to_long();
    filter.columns.push_back(column_filter(index, criteria1, kind, criteria2, sheet_.workbook().date_system));
    std::sort(filter.columns.begin(), filter.columns.end(),
              [](const auto& a, const auto& b) { return a.index < b.index; });
  }
  filter_rows(*sheet_.book, sheet);
}

}  // namespace tabrel::xl
