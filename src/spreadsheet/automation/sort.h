#pragma once
// Sorting cells as Range.Sort and the Sort object of a worksheet do: the rows (or columns) of
// a range are reordered by up to any number of keys, stably; numbers come before texts, texts
// before logical values and those before errors, whichever the order, and empty keys go last.
// Formulas move with their rows, their relative references kept.

#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/core/variant.h"

namespace tabrel::xl {

struct SortKey {
  int line = 0;  // the key's column (sorting rows) or row (sorting columns) on the sheet
  bool descending = false;
};

enum class SortHeader { Guess, Yes, No };  // xlGuess 0, xlYes 1, xlNo 2

SortHeader sort_header(const Variant& header);  // omitted: xlNo, as the Sort object starts

// Sorts `area`: a single cell stands for the block of filled cells around it. Without keys
// nothing moves.
void sort_cells(const SheetHandle& sheet, model::RangeRef area, const std::vector<SortKey>& keys, SortHeader header,
                bool match_case, bool by_columns);

// The keys and settings of a worksheet's Sort object, kept between its members as the
// recorder writes them one by one.
struct SortSettings {
  std::vector<SortKey> keys;
  bool has_range = false;
  model::RangeRef range;
  SortHeader header = SortHeader::No;
  bool match_case = false;
  bool by_columns = false;
};

class Sort : public Dispatch {
 public:
  explicit Sort(SheetHandle sheet);
  std::u16string type_name() const override { return u"Sort"; }

  void SetRange(const Variant& range);
  Variant Header() const;
  void SetHeader(const Variant& value);
  Variant MatchCase() const;
  void SetMatchCase(const Variant& value);
  Variant Orientation() const;  // xlTopToBottom 1, xlLeftToRight 2
  void SetOrientation(const Variant& value);
  void Apply();

  SortSettings& settings() const;
  const SheetHandle& sheet() const { return sheet_; }

 private:
  SheetHandle sheet_;
};

class SortFields : public Dispatch {
 public:
  explicit SortFields(SheetHandle sheet);
  std::u16string type_name() const override { return u"SortFields"; }

  int Count() const;
  void Clear();
  // Key: a range whose first column (or row) is the key; SortOn must be values; Order
  // xlAscending 1 or xlDescending 2.
  void Add(const Variant& key, const Variant& sort_on, const Variant& order);

 private:
  SheetHandle sheet_;
};

}  // namespace tabrel::xl
