// Range: position, selection, values and clearing.
#include "spreadsheet/automation/range.h"

#include <algorithm>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/fold.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/formula/cell_formula.h"
#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/cell_value.h"
#include "spreadsheet/ops/clear.h"

namespace tabrel::xl {
namespace {

// Ranges beyond this many cells are not turned into arrays of values or written cell by cell.
constexpr long long kMaxCellsAtOnce = 1 << 20;

void check_size(const model::RangeRef& area) {
  if (area.cell_count() > kMaxCellsAtOnce) raise(Fault::OutOfMemory);
}

// A 1-based two-dimensional array of one value per cell.
Variant cell_array(const model::RangeRef& area, const std::function<Variant(model::CellRef)>& read) {
  check_size(area);
  VariantArray arr;
  arr.lower = {1, 1};
  arr.extent = {area.rows(), area.cols()};
  arr.items.reserve(static_cast<size_t>(area.cell_count()));
  for (int r = area.first.row; r <= area.last.row; ++r)
    for (int c = area.first.col; c <= area.last.col; ++c) arr.items.push_back(read({r, c}));
  return Variant::array(std::move(arr));
}

// The cell's value as a constant written from a Variant: numbers, texts that read as numbers,
// booleans and errors; a text is kept as text otherwise.
model::CellValue constant_from(const Variant& v) {
  if (v.is_empty()) return {};
  if (v.is_bool()) return model::CellValue::boolean(v.boolean());
  if (v.is_error()) return model::CellValue::error(static_cast<CellError>(v.error_code()));
  if (v.is_string()) {
    if (auto number = parse_number(v.str())) return model::CellValue::number(*number);
    if (auto error = cell_error_from_text(v.str())) return model::CellValue::error(*error);
    return model::CellValue::text(v.str());
  }
  if (v.is_numeric()) return model::CellValue::number(v.to_double());
  raise(Fault::TypeMismatch);
}

bool is_formula_text(const Variant& v) { return v.is_string() && !v.str().empty() && v.str().front() == u'='; }

}  // namespace

Range::Range(SheetHandle sheet, model::RangeRef area) : sheet_(std::move(sheet)), area_(area) {}

std::shared_ptr<xl::Range> Range::sub(model::RangeRef area) const {
  if (area.first.row < 0 || area.first.col < 0 || area.last.row >= model::kMaxRows ||
      area.last.col >= model::kMaxColumns || area.last.row < area.first.row || area.last.col < area.first.col)
    raise(Fault::MethodFailed);
  return std::make_shared<xl::Range>(sheet_, area);
}

std::shared_ptr<xl::Application> Range::Application() const {
  sheet_.get();
  return sheet_.app;
}

std::shared_ptr<xl::Worksheet> Range::Worksheet() const {
  sheet_.get();
  return std::make_shared<xl::Worksheet>(sheet_);
}

std::u16string Range::Address(bool row_absolute, bool column_absolute) const {
  sheet_.get();
  return range_address(area_, row_absolute, column_absolute);
}

int Range::Row() const {
  sheet_.get();
  return area_.first.row + 1;
}

int Range::Column() const {
  sheet_.get();
  return area_.first.col + 1;
}

double Range::Count() const {
  sheet_.get();
  if (lines_ == Lines::Rows) return area_.rows();
  if (lines_ == Lines::Columns) return area_.cols();
  return static_cast<double>(area_.cell_count());
}

std::shared_ptr<xl::Range> Range::Item(const Variant& row, const Variant& column) const {
  if (lines_ == Lines::Cells || !column.is_empty()) return Cells(row, column);
  sheet_.get();
  // The n-th row or column, counted from the first; it may lie beyond the range.
  const int i = row.to_long() - 1;
  if (lines_ == Lines::Rows) return sub({{area_.first.row + i, area_.first.col}, {area_.first.row + i, area_.last.col}});
  return sub({{area_.first.row, area_.first.col + i}, {area_.last.row, area_.first.col + i}});
}

std::shared_ptr<xl::Range> Range::Rows() const {
  auto lines = Cells();
  lines->lines_ = Lines::Rows;
  return lines;
}

std::shared_ptr<xl::Range> Range::Columns() const {
  auto lines = Cells();
  lines->lines_ = Lines::Columns;
  return lines;
}

std::shared_ptr<xl::Range> Range::Cells() const {
  sheet_.get();
  return sub(area_);
}

std::shared_ptr<xl::Range> Range::Cells(const Variant& row, const Variant& column) const {
  sheet_.get();
  const int r = row.to_long();
  if (column.is_empty()) {
    // One index counts the cells row by row.
    const int i = r - 1;
    if (i < 0) raise(Fault::MethodFailed);
    const model::CellRef at{area_.first.row + i / area_.cols(), area_.first.col + i % area_.cols()};
    return sub({at, at});
  }
  int c = 0;
  if (column.is_string()) {
    const auto letters = model::column_from_letters(column.str());
    if (!letters) raise(Fault::MethodFailed);
    c = *letters + 1;
  } else {
    c = column.to_long();
  }
  const model::CellRef at{area_.first.row + r - 1, area_.first.col + c - 1};
  return sub({at, at});
}

std::shared_ptr<xl::Range> Range::EntireRow() const {
  sheet_.get();
  return sub({{area_.first.row, 0}, {area_.last.row, model::kMaxColumns - 1}});
}

std::shared_ptr<xl::Range> Range::EntireColumn() const {
  sheet_.get();
  return sub({{0, area_.first.col}, {model::kMaxRows - 1, area_.last.col}});
}

std::shared_ptr<xl::Range> Range::Offset(int rows, int columns) const {
  sheet_.get();
  return sub({{area_.first.row + rows, area_.first.col + columns}, {area_.last.row + rows, area_.last.col + columns}});
}

std::shared_ptr<xl::Range> Range::Resize(const Variant& rows, const Variant& columns) const {
  sheet_.get();
  const int r = rows.is_empty() ? area_.rows() : rows.to_long();
  const int c = columns.is_empty() ? area_.cols() : columns.to_long();
  if (r < 1 || c < 1) raise(Fault::MethodFailed);
  return sub({area_.first, {area_.first.row + r - 1, area_.first.col + c - 1}});
}

void Range::Select() {
  model::Sheet& sheet = sheet_.get();
  model::Workbook& wb = sheet_.workbook();
  if (sheet_.app->session().active != sheet_.book || active_sheet(wb) != &sheet) raise(Fault::RangeSelectFailed);
  const model::RangeRef area = widen_to_merges(sheet, area_);
  const auto merged = sheet.merge_area(area_.first);
  set_selection(sheet, area, merged ? merged->first : area_.first);
  sheet_.book->shape_sheet = nullptr;
  sheet_.book->chart_sheet = nullptr;
}

void Range::Activate() {
  model::Sheet& sheet = sheet_.get();
  model::Workbook& wb = sheet_.workbook();
  if (sheet_.app->session().active != sheet_.book || active_sheet(wb) != &sheet) raise(Fault::RangeActivateFailed);
  const model::RangeRef selected = selected_range(sheet);
  const auto merged = sheet.merge_area(area_.first);
  const model::RangeRef cell = merged ? *merged : model::RangeRef{area_.first, area_.first};
  const bool one_cell = area_.cell_count() == 1 || (merged && *merged == area_);
  if (one_cell && selected.contains(cell.first) && selected.contains(cell.last)) {
    set_selection(sheet, selected, cell.first);
    sheet_.book->shape_sheet = nullptr;
    sheet_.book->chart_sheet = nullptr;
    return;
  }
  Select();
}

Variant Range::Value() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  // Value differs from Value2 in giving numbers shown as dates the Date type.
  auto read = [&](model::CellRef at) {
    const model::CellValue v = cell_value(*sheet_.book, sheet, at);
    if (v.is_number() && formula::xf_shows_date(wb, ops::effective_xf(sheet, at))) return Variant::date(v.as_number());
    return v.to_variant();
  };
  if (area_.cell_count() == 1) return read(area_.first);
  return cell_array(area_, read);
}

Variant Range::Value2() const {
  const model::Sheet& sheet = sheet_.get();
  auto read = [&](model::CellRef at) { return cell_value(*sheet_.book, sheet, at).to_variant(); };
  if (area_.cell_count() == 1) return read(area_.first);
  return cell_array(area_, read);
}

void Range::SetValue(const Variant& value) {
  model::Sheet& sheet = sheet_.get();
  check_size(area_);
  if (value.is_array()) {
    const VariantArray& arr = value.arr();
    const int rows = arr.extent.size() == 2 ? arr.extent[0] : 1;
    const int cols = arr.extent.empty() ? 0 : arr.extent.back();
    for (int r = 0; r < area_.rows(); ++r) {
      for (int c = 0; c < area_.cols(); ++c) {
        const model::CellRef at{area_.first.row + r, area_.first.col + c};
        const bool inside = r < rows && c < cols;
        const Variant item = inside ? arr.items[static_cast<size_t>(r * cols + c)] : Variant::error(CellError::NA);
        if (is_formula_text(item)) enter_formula(*sheet_.book, sheet, at, item.str(), false);
        else ops::set_constant(sheet, at, constant_from(item), ops::effective_xf(sheet, at));
      }
    }
    return;
  }
  if (is_formula_text(value)) return SetFormula(value);
  // A page field's item cell selects the item typed into it.
  if (area_.first == area_.last && set_page_item_at(sheet_, area_.first, value)) return;
  const model::CellValue constant = constant_from(value);
  for (int r = area_.first.row; r <= area_.last.row; ++r)
    for (int c = area_.first.col; c <= area_.last.col; ++c)
      ops::set_constant(sheet, {r, c}, constant, ops::effective_xf(sheet, {r, c}));
}

Variant Range::Text() const {
  const model::Sheet& sheet = sheet_.get();
  return fold_cells(area_, [&](model::CellRef at) { return Variant(displayed_text(*sheet_.book, sheet, at)); });
}

Variant Range::Formula() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  auto read = [&](model::CellRef at) { return Variant(cell_formula(wb, sheet, at, Notation::A1)); };
  if (area_.cell_count() == 1) return read(area_.first);
  return cell_array(area_, read);
}

Variant Range::FormulaR1C1() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  auto read = [&](model::CellRef at) { return Variant(cell_formula(wb, sheet, at, Notation::R1C1)); };
  if (area_.cell_count() == 1) return read(area_.first);
  return cell_array(area_, read);
}

void Range::SetFormula(const Variant& formula) { enter(formula, false); }

void Range::SetFormulaR1C1(const Variant& formula) { enter(formula, true); }

void Range::enter(const Variant& formula, bool r1c1) {
  const model::Sheet& sheet = sheet_.get();
  if (!is_formula_text(formula)) return SetValue(formula);
  check_size(area_);
  // An A1 formula given to several cells is read at the first cell and entered into each as the
  // same R1C1 formula, so that relative references follow the cell, as on entering it into a
  // selection at once.
  enter_formula(*sheet_.book, sheet, area_.first, formula.str(), r1c1);
  if (area_.cell_count() == 1) return;
  const std::u16string relative = r1c1 ? formula.str() : cell_formula(sheet_.workbook(), sheet, area_.first, Notation::R1C1);
  for (int r = area_.first.row; r <= area_.last.row; ++r)
    for (int c = area_.first.col; c <= area_.last.col; ++c)
      if (model::CellRef{r, c} != area_.first) enter_formula(*sheet_.book, sheet, {r, c}, relative, true);
}

Variant Range::HasFormula() const {
  const model::Sheet& sheet = sheet_.get();
  return fold_cells(area_, [&](model::CellRef at) {
    const model::Cell* cell = sheet.cells.find(at);
    return Variant(cell != nullptr && cell->has_formula());
  });
}

void Range::ClearContents() { ops::clear_contents(sheet_.get(), area_); }

void Range::ClearFormats() { ops::clear_formats(sheet_.workbook(), sheet_.get(), area_); }

void Range::ClearOutline() { ops::clear_outline(sheet_.get(), area_); }

std::shared_ptr<xl::PivotField> Range::PivotField() const { return pivot_field_at(sheet_, area_.first); }

void Range::Clear() {
  ClearContents();
  ClearFormats();
}

}  // namespace tabrel::xl
