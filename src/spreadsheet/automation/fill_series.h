#pragma once
// The values Range.AutoFill writes beyond its source cells, line by line (a column when the fill
// runs down or up, a row when it runs right or left): series of numbers (a linear trend through
// the source, or a geometric one for a growth trend), of dates (days, weekdays, months, years), of texts that end or begin with a
// number, and of the spreadsheet's built-in lists (weekday and month names in English and
// Korean, quarters, the two Chinese cycles). A single number is copied unless a series is asked
// for; formulas and other texts are copied.

#include <optional>
#include <vector>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/model/cell.h"

namespace tabrel::xl {

// The xlFill... values of AutoFill's Type.
enum class FillType {
  Default = 0,
  Copy = 1,
  Series = 2,
  Formats = 3,
  Values = 4,
  Days = 5,
  Weekdays = 6,
  Months = 7,
  Years = 8,
  LinearTrend = 9,
  GrowthTrend = 10,
};

// One source cell of a line as the fill sees it.
struct FillItem {
  model::CellValue value;
  bool formula = false;
  bool date = false;  // a number shown as a date
};

class FillLine {
 public:
  FillLine(std::vector<FillItem> source, FillType type, DateSystem system);

  // The value at position `k` of the line, the source being positions 0 to n-1 (k >= n past
  // its end, k < 0 before its start); nullopt when the source cell tiled there is copied.
  std::optional<model::CellValue> value_at(long k) const;

 private:
  enum class Kind { Copy, Number, Date, NumberedText, ListItem };
  struct Item {
    Kind kind = Kind::Copy;
    double number = 0;         // the number, the date serial, the text's number or the list position
    std::u16string prefix;     // of a numbered text, or the list's letter case of a list item
    std::u16string suffix;
    size_t digits = 0;         // of a numbered text: the width its number keeps (leading zeros)
    int list = -1;             // the built-in list of a list item
  };

  Item classify(const FillItem& item) const;
  model::CellValue value_of(const Item& item, double number) const;
  std::optional<double> date_step(const Item& item, long steps) const;
  bool one_series() const;

  std::vector<Item> items_;
  FillType type_;
  DateSystem system_;
  // A series through the whole source: value = intercept + slope * k, or for a growth trend
  // exp(intercept + slope * k).
  bool whole_ = false;
  bool growth_ = false;
  double intercept_ = 0;
  double slope_ = 0;
};

}  // namespace tabrel::xl
