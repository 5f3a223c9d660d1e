#include "spreadsheet/automation/worksheet.h"

#include <algorithm>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/autofilter.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/chart_area.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/charts/chart_type.h"
#include "spreadsheet/automation/comment.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/ops/sheet_ops.h"

namespace tabrel::xl {
namespace {

bool visible(const model::Sheet& s) { return s.visibility == model::Visibility::Visible; }

int visible_count(const model::Workbook& wb) {
  return static_cast<int>(std::count_if(wb.sheets.begin(), wb.sheets.end(), [](const auto& s) { return visible(*s); }));
}

// A row or column number given as a number (1-based) or, for columns, as letters.
int line_number(const Variant& v, bool column) {
  if (column && v.is_string()) {
    const auto col = model::column_from_letters(v.str());
    if (!col) raise(Fault::MethodFailed);
    return *col;
  }
  const int n = v.to_long();
  if (n < 1 || n > (column ? model::kMaxColumns : model::kMaxRows)) raise(Fault::MethodFailed);
  return n - 1;
}

model::RangeRef area_of(const Variant& cell, const SheetHandle& sheet) {
  if (cell.is_string()) {
    const auto area = parse_range_address(cell.str());
    if (!area) raise(Fault::RangeAddressInvalid);
    return *area;
  }
  auto range = cell.is_object() ? std::dynamic_pointer_cast<xl::Range>(cell.object()) : nullptr;
  if (!range || !(range->sheet() == sheet)) raise(Fault::RangeAddressInvalid);
  return range->area();
}

}  // namespace

Worksheet::Worksheet(SheetHandle handle) : handle_(std::move(handle)) {}

// The sheet stays in memory while the handle holds its workbook, so the name of the kind is
// read without the checks that would raise for a deleted sheet.
std::u16string Worksheet::type_name() const {
  return handle_.sheet->kind == model::SheetKind::ChartSheet ? u"Chart" : u"Worksheet";
}

std::shared_ptr<xl::Application> Worksheet::Application() const {
  handle_.get();
  return handle_.app;
}

std::shared_ptr<Workbook> Worksheet::Parent() const {
  handle_.get();
  return std::make_shared<Workbook>(handle_.app, handle_.book);
}

std::u16string Worksheet::Name() const { return handle_.get().name; }

void Worksheet::SetName(const std::u16string& name) {
  model::Sheet& sheet = handle_.get();
  switch (ops::check_sheet_name(handle_.workbook(), name, &sheet)) {
    case ops::SheetNameProblem::None: break;
    case ops::SheetNameProblem::Taken: raise(Fault::SheetNameTaken);
    default: raise(Fault::SheetNameInvalid);
  }
  sheet.name = name;
}

std::u16string Worksheet::CodeName() const { return handle_.get().code_name; }
int Worksheet::Index() const { return handle_.index() + 1; }

int Worksheet::Type() const {
  const model::Sheet& sheet = handle_.get();
  switch (sheet.kind) {
    case model::SheetKind::Worksheet: return kXlWorksheet;
    case model::SheetKind::ChartSheet: return charts::older_type_number(sheet.chart.chart);
    case model::SheetKind::MacroSheet: return kXlExcel4MacroSheet;
    case model::SheetKind::DialogSheet: return kXlDialogSheet;
  }
  return kXlWorksheet;
}

int Worksheet::Visible() const {
  switch (handle_.get().visibility) {
    case model::Visibility::Visible: return kXlSheetVisible;
    case model::Visibility::Hidden: return kXlSheetHidden;
    case model::Visibility::VeryHidden: return kXlSheetVeryHidden;
  }
  return kXlSheetVisible;
}

void Worksheet::SetVisible(const Variant& value) {
  model::Sheet& sheet = handle_.get();
  model::Workbook& wb = handle_.workbook();
  const int v = value.to_long();
  const auto wanted = v == 0 ? model::Visibility::Hidden
                      : v == kXlSheetVeryHidden ? model::Visibility::VeryHidden
                                                : model::Visibility::Visible;
  if (wanted != model::Visibility::Visible && visible(sheet) && visible_count(wb) == 1)
    raise(Fault::SheetVisibleFailed);
  const bool was_active = active_sheet(wb) == &sheet;
  sheet.visibility = wanted;
  if (wanted != model::Visibility::Visible) {
    sheet.view.selected = false;
    if (was_active) activate_neighbour(wb, static_cast<size_t>(handle_.index()));
  }
}

void Worksheet::Select(bool replace) {
  model::Sheet& sheet = handle_.get();
  if (!visible(sheet) || handle_.app->session().active != handle_.book) raise(Fault::SheetSelectFailed);
  make_active(handle_.workbook(), sheet, replace);
  handle_.book->chart_sheet = nullptr;
}

void Worksheet::Activate() {
  model::Sheet& sheet = handle_.get();
  if (!visible(sheet) || handle_.app->session().active != handle_.book) raise(Fault::SheetActivateFailed);
  make_active(handle_.workbook(), sheet, !sheet.view.selected);
  handle_.book->chart_sheet = nullptr;
}

void Worksheet::Delete() {
  model::Sheet& sheet = handle_.get();
  model::Workbook& wb = handle_.workbook();
  if (visible(sheet) && visible_count(wb) == 1) raise(Fault::SheetDeleteFailed);
  const auto position = static_cast<size_t>(handle_.index());
  const bool was_active = active_sheet(wb) == &sheet;
  handle_.book->removed_sheets.push_back(ops::remove_sheet(wb, position));
  forget_calculation(*handle_.book);
  if (was_active) activate_neighbour(wb, position);
}

std::shared_ptr<xl::Range> Worksheet::Range(const Variant& cell1, const Variant& cell2) {
  const model::Sheet& sheet = handle_.get();
  if (sheet.kind != model::SheetKind::Worksheet) raise(Fault::NoSuchMember);
  if (cell1.is_string() && cell2.is_empty() && !parse_range_address(cell1.str())) {
    // A defined name of cells on this sheet.
    auto named = named_range(handle_.app, handle_.book, sheet, cell1.str());
    if (!named) raise(Fault::RangeAddressInvalid);
    if (!(named->sheet() == handle_)) raise(Fault::MethodFailed);
    return named;
  }
  model::RangeRef area = area_of(cell1, handle_);
  if (!cell2.is_empty()) {
    const model::RangeRef other = area_of(cell2, handle_);
    area = {{std::min(area.first.row, other.first.row), std::min(area.first.col, other.first.col)},
            {std::max(area.last.row, other.last.row), std::max(area.last.col, other.last.col)}};
  }
  return std::make_shared<xl::Range>(handle_, area);
}

std::shared_ptr<xl::Range> Worksheet::Cells() {
  return Range(Variant(u"A1"), Variant(u"IV65536"));
}

std::shared_ptr<xl::Range> Worksheet::Cells(const Variant& row, const Variant& column) {
  const model::CellRef at{line_number(row, false), line_number(column, true)};
  return std::make_shared<xl::Range>(handle_, model::RangeRef{at, at});
}

std::shared_ptr<xl::Range> Worksheet::Rows() { return Cells(); }

std::shared_ptr<xl::Range> Worksheet::Rows(const Variant& index) {
  const int row = line_number(index, false);
  return std::make_shared<xl::Range>(handle_, model::RangeRef{{row, 0}, {row, model::kMaxColumns - 1}});
}

std::shared_ptr<xl::Range> Worksheet::Columns() { return Cells(); }

std::shared_ptr<xl::Range> Worksheet::Columns(const Variant& index) {
  const int col = line_number(index, true);
  return std::make_shared<xl::Range>(handle_, model::RangeRef{{0, col}, {model::kMaxRows - 1, col}});
}

std::shared_ptr<xl::Range> Worksheet::UsedRange() {
  const auto used = handle_.get().cells.used_range();
  return std::make_shared<xl::Range>(handle_, used.value_or(model::RangeRef{}));
}

void Worksheet::Paste(const Variant& destination) {
  const model::Sheet& sheet = handle_.get();
  if (destination.is_empty()) {
    xl::Range(handle_, selected_range(sheet)).PasteSpecial();
    return;
  }
  auto target = destination.is_object() ? std::dynamic_pointer_cast<xl::Range>(destination.object()) : nullptr;
  if (!target || !(target->sheet() == handle_)) raise(Fault::MethodFailed);
  target->PasteSpecial();
}

std::shared_ptr<xl::ChartArea> Worksheet::ChartArea() {
  if (handle_.get().kind != model::SheetKind::ChartSheet) raise(Fault::NoSuchMember);
  return std::make_shared<xl::ChartArea>(ChartHandle{handle_, -1});
}

std::shared_ptr<xl::ChartObjects> Worksheet::ChartObjects() {
  if (handle_.get().kind != model::SheetKind::Worksheet) raise(Fault::NoSuchMember);
  return std::make_shared<xl::ChartObjects>(handle_);
}

std::shared_ptr<xl::Chart> Worksheet::ChartSheet() {
  if (handle_.get().kind != model::SheetKind::ChartSheet) raise(Fault::NoSuchMember);
  return std::make_shared<xl::Chart>(ChartHandle{handle_, -1});
}

std::shared_ptr<xl::Comments> Worksheet::Comments() {
  handle_.get();
  return std::make_shared<xl::Comments>(handle_);
}

std::shared_ptr<xl::Shapes> Worksheet::Shapes() {
  handle_.get();
  return std::make_shared<xl::Shapes>(handle_);
}

std::shared_ptr<xl::AutoFilter> Worksheet::AutoFilter() {
  if (!handle_.get().autofilter) return nullptr;
  return std::make_shared<xl::AutoFilter>(handle_);
}

std::shared_ptr<xl::PivotTables> Worksheet::PivotTables() { return std::make_shared<xl::PivotTables>(handle_); }

std::shared_ptr<xl::PivotTable> Worksheet::PivotTables(const Variant& index) { return PivotTables()->Item(index); }

}  // namespace tabrel::xl
