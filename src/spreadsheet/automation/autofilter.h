#pragma once
// The AutoFilter of a worksheet: its range and, per column of the range, the filter and its
// criteria as the spreadsheet reports them ("=서울", ">=80", "<>").

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"
#include "spreadsheet/model/sheet.h"

namespace tabrel::xl {

// Filter.Operator: xlAnd 1, xlOr 2, the top/bottom operators from top items (3) through bottom
// items (4) and top percent (5) to bottom percent (6), and xlFilterValues 7.
inline constexpr int kAnd = 1, kOr = 2, kTop10Items = 3, kBottom10Items = 4, kTop10Percent = 5,
                     kBottom10Percent = 6, kFilterValues = 7;
// The kinds of a stored condition's value.
inline constexpr uint8_t kNoCondition = 0, kRk = 2, kNumber = 4, kString = 6, kBoolOrError = 8, kBlanks = 12,
                         kNonBlanks = 14;

class Range;
class Filters;

// A stored condition as the spreadsheet reports it ("=서울", ">=80", "=" for blanks, "<>" for
// non-blanks); nullopt for an empty condition.
std::optional<std::u16string> criterion_text(const model::AutoFilterCondition& c);
class Filter;

class AutoFilter : public Dispatch {
 public:
  explicit AutoFilter(SheetHandle sheet);
  std::u16string type_name() const override { return u"AutoFilter"; }

  std::shared_ptr<xl::Range> Range() const;
  std::shared_ptr<xl::Filters> Filters() const;

 private:
  SheetHandle sheet_;
};

class Filters : public Dispatch {
 public:
  explicit Filters(SheetHandle sheet);
  std::u16string type_name() const override { return u"Filters"; }

  int Count() const;  // the columns of the filter range
  std::shared_ptr<Filter> Item(const Variant& index) const;  // 1-based

 private:
  SheetHandle sheet_;
};

class Filter : public Dispatch {
 public:
  Filter(SheetHandle sheet, int column);
  std::u16string type_name() const override { return u"Filter"; }

  bool On() const;
  // The criteria raise 1004 while the column is not filtered, and Criteria2 without a second one.
  Variant Criteria1() const;
  Variant Criteria2() const;
  int Operator() const;  // xlAnd 1, xlOr 2, xlTop10Items 3 ...

 private:
  const model::AutoFilterColumn* column() const;
  SheetHandle sheet_;
  int column_;
};

}  // namespace tabrel::xl
