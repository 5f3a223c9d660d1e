#pragma once
// The cell walk every range procedure carries: the corners "A3" and "F10" parsed as one column
// letter and a row number, the rectangle visited column by column, each cell selected in both
// instances, the procedure's own test run on it, and the listed cells returned as a CellList
// ("2;B3;C4;", "0;" when none).
//
// With OnError::Resume a failed step is skipped: a failed parse leaves its bound at 0, a failed
// selection leaves the earlier active cell, and a test that raises lists the cell. With
// OnError::Raise every failure goes to the caller.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// A range argument the walk cannot express: a two-letter column, a row above 32767, more than
// 32767 cells, or a widening past column Z or row 32767. what() is the UTF-8 of `message`.
struct RangeArgumentError : std::invalid_argument {
  explicit RangeArgumentError(std::u16string text);
  std::u16string message;
};

// Cells taken in around the given rectangle before it is walked.
struct Widening {
  bool left = false;   // start column one to the left, unless it is A
  bool up = false;     // start row one up, unless it is 1
  bool right = false;  // end column one to the right
  bool down = false;   // end row one down
};

enum class OnError { Resume, Raise };

struct WalkOptions {
  Widening widening;
  OnError on_error = OnError::Resume;
  bool stop_at_first = false;  // end the walk at the first listed cell
};

// A cell the walk has just selected in both instances. Its members are read through each
// instance's active cell: a cell of a merged area reads as the area's active cell, and a cell
// whose selection failed reads as the cell active before.
struct VisitedCell {
  ExcelObjects& objects;
  std::u16string address;  // the listed address: the argument's column character and the row
  std::shared_ptr<xl::Range> answer() const { return active_cell(objects.AnswerExcel); }
  std::shared_ptr<xl::Range> target() const { return active_cell(objects.TargetExcel); }
};

// The procedure's test of one cell: true lists it.
using CellTest = std::function<bool(const VisitedCell&)>;

struct WalkResult {
  int count = 0;
  std::u16string list;  // each listed address followed by ";"
};

WalkResult walk_cells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                      const CellTest& test, const WalkOptions& options = {});

// The CellList text of a walk: the count, ";", then the listed addresses.
std::u16string cell_list(const WalkResult& result);

// walk_cells, returned as a CellList.
std::u16string walk_cell_list(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                              const CellTest& test, const WalkOptions& options = {});

// Whether a CellList reports any cell: its first item, converted to a number, is not 0.
// Raises (type mismatch) when that item is no number.
bool reports_cells(std::u16string_view cellList);

}  // namespace tabrel::inspect
