#include "inspect/cell_walk.h"

#include <string>

#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/core/run_time_errors.h"
#include "spreadsheet/core/text.h"

namespace tabrel::inspect {

namespace {

constexpr int kColumnA = u'A';
constexpr int kMaxRow = 32767;
constexpr long long kMaxCells = 32767;

bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

[[noreturn]] void reject(std::u16string_view reason, std::u16string_view startCell, std::u16string_view endCell) {
  throw RangeArgumentError(std::u16string(reason) + u": " + std::u16string(startCell) + u":" + std::u16string(endCell));
}

struct Bounds {
  int first_col = 0, first_row = 0, last_col = 0, last_row = 0;
};

// The column is the first character's code; Asc of an empty text raises.
int column_of(std::u16string_view cell) {
  if (cell.empty()) raise_error(err::kInvalidProcedureCall);
  return cell.front();
}

// The row is the rest of the text converted to a 16-bit integer.
int row_of(std::u16string_view cell) { return Variant(rt::Mid(cell, 2)).to_integer(); }

// One parse step. A 16-bit overflow is a limit of the walk, never a skipped step.
void parse_step(int& bound, const std::function<int()>& parse, OnError on_error, std::u16string_view startCell,
                std::u16string_view endCell) {
  try {
    bound = parse();
  } catch (const AutomationError& e) {
    if (e.number() == err::kOverflow) reject(u"32767을 넘는 행은 검사할 수 없습니다", startCell, endCell);
    if (on_error == OnError::Raise) throw;
  }
}

Bounds parse_bounds(std::u16string_view startCell, std::u16string_view endCell, const WalkOptions& options) {
  for (std::u16string_view cell : {startCell, endCell})
    if (cell.size() >= 2 && is_letter(cell[1])) reject(u"두 글자 열은 검사할 수 없습니다", startCell, endCell);
  Bounds b;
  parse_step(
      b.first_col, [&] { return column_of(startCell); }, options.on_error, startCell, endCell);
  parse_step(
      b.first_row, [&] { return row_of(startCell); }, options.on_error, startCell, endCell);
  parse_step(
      b.last_col, [&] { return column_of(endCell); }, options.on_error, startCell, endCell);
  parse_step(
      b.last_row, [&] { return row_of(endCell); }, options.on_error, startCell, endCell);

  const Widening& w = options.widening;
  if (w.left && b.first_col > kColumnA) --b.first_col;
  if (w.up && b.first_row > 1) --b.first_row;
  if (w.right) {
    if (b.last_col == u'Z' || b.last_col == u'z') reject(u"Z 열 너머로 넓힐 수 없습니다", startCell, endCell);
    ++b.last_col;
  }
  if (w.down) {
    if (b.last_row >= kMaxRow) reject(u"32767 행 너머로 넓힐 수 없습니다", startCell, endCell);
    ++b.last_row;
  }
  const long long cols = b.last_col >= b.first_col ? b.last_col - b.first_col + 1 : 0;
  const long long rows = b.last_row >= b.first_row ? b.last_row - b.first_row + 1 : 0;
  if (cols * rows > kMaxCells) reject(u"32767개가 넘는 셀은 검사할 수 없습니다", startCell, endCell);
  return b;
}

// Makes `sheet` the active sheet of `app` and `address` its active cell (two steps).
void select_cell(const std::shared_ptr<xl::Application>& app, const std::shared_ptr<xl::Worksheet>& sheet,
                 const std::u16string& address, OnError on_error) {
  auto select_sheet = [&] { deref(deref(app).Sheets(Variant(deref(sheet).Name()))).Select(); };
  auto select_address = [&] { deref(deref(sheet).Range(Variant(address))).Select(); };
  if (on_error == OnError::Raise) {
    select_sheet();
    select_address();
    return;
  }
  rt::step(select_sheet);
  rt::step(select_address);
}

}  // namespace

RangeArgumentError::RangeArgumentError(std::u16string text)
    : std::invalid_argument(to_utf8(text)), message(std::move(text)) {}

WalkResult walk_cells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                      const CellTest& test, const WalkOptions& options) {
  const Bounds b = parse_bounds(startCell, endCell, options);
  WalkResult result;
  for (int col = b.first_col; col <= b.last_col; ++col) {
    for (int row = b.first_row; row <= b.last_row; ++row) {
      VisitedCell cell{objects, std::u16string(1, static_cast<char16_t>(col)) + from_utf8(std::to_string(row))};
      select_cell(objects.AnswerExcel, objects.AnswerSheet, cell.address, options.on_error);
      select_cell(objects.TargetExcel, objects.TargetSheet, cell.address, options.on_error);
      const bool listed = options.on_error == OnError::Raise ? test(cell) : rt::met([&] { return test(cell); });
      if (!listed) continue;
      result.list += cell.address + u";";
      ++result.count;
      if (options.stop_at_first) return result;
    }
  }
  return result;
}

std::u16string cell_list(const WalkResult& result) {
  return from_utf8(std::to_string(result.count)) + u";" + result.list;
}

std::u16string walk_cell_list(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                              const CellTest& test, const WalkOptions& options) {
  return cell_list(walk_cells(objects, startCell, endCell, test, options));
}

bool reports_cells(std::u16string_view cellList) {
  const std::vector<std::u16string> items = rt::Split(cellList, u";");
  return Variant(items.empty() ? std::u16string() : items.front()).to_double() != 0;
}

}  // namespace tabrel::inspect
