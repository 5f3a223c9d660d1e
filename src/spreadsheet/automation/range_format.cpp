// Range: formats (fonts, fills and lines through their objects), number formats, alignment,
// merging, widths and heights.
#include <cmath>

#include "spreadsheet/automation/borders.h"
#include "spreadsheet/automation/cell_styles.h"
#include "spreadsheet/automation/constants.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/fold.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/ops/cell_format.h"
#include "spreadsheet/ops/dimensions.h"
#include "spreadsheet/ops/merge.h"

namespace tabrel::xl {
namespace {

constexpr double kMaxRowHeightPoints = 409;
constexpr double kMaxColumnWidth = 255;

// Folds over the columns (or rows) of an area only.
Variant fold_columns(const model::RangeRef& area, const std::function<Variant(int)>& read) {
  return fold_cells({{0, area.first.col}, {0, area.last.col}}, [&](model::CellRef at) { return read(at.col); });
}

Variant fold_rows(const model::RangeRef& area, const std::function<Variant(int)>& read) {
  return fold_cells({{area.first.row, 0}, {area.last.row, 0}}, [&](model::CellRef at) { return read(at.row); });
}

}  // namespace

std::shared_ptr<xl::Font> Range::Font() const {
  sheet_.get();
  return std::make_shared<xl::Font>(sheet_, area_);
}

std::shared_ptr<xl::Interior> Range::Interior() const {
  sheet_.get();
  return std::make_shared<xl::Interior>(sheet_, area_);
}

std::shared_ptr<xl::Borders> Range::Borders() const {
  sheet_.get();
  return std::make_shared<xl::Borders>(sheet_, area_);
}

std::shared_ptr<xl::Border> Range::Borders(const Variant& index) const { return Borders()->Item(index); }

Variant Range::NumberFormat() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  const Variant id = fold_cells(area_, [&](model::CellRef at) {
    return Variant(static_cast<int>(ops::effective_format(wb, sheet, at).format));
  });
  if (id.is_null()) return id;
  return Variant(number_format(wb, static_cast<uint16_t>(id.to_long())));
}

Variant Range::NumberFormatLocal() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  const Variant id = fold_cells(area_, [&](model::CellRef at) {
    return Variant(static_cast<int>(ops::effective_format(wb, sheet, at).format));
  });
  if (id.is_null()) return id;
  return Variant(number_format_local(wb, static_cast<uint16_t>(id.to_long())));
}

void Range::SetNumberFormat(const Variant& code) {
  model::Workbook& wb = sheet_.workbook();
  const uint16_t id = format_id_for(wb, code.to_string(), false);
  ops::change_format(wb, sheet_.get(), area_, [&](model::Xf& xf) { xf.format = id; });
}

void Range::SetNumberFormatLocal(const Variant& code) {
  model::Workbook& wb = sheet_.workbook();
  const uint16_t id = format_id_for(wb, code.to_string(), true);
  ops::change_format(wb, sheet_.get(), area_, [&](model::Xf& xf) { xf.format = id; });
}

Variant Range::Style() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) { return Variant(style_name(wb, ops::effective_xf(sheet, at))); });
}

void Range::SetStyle(const Variant& name) {
  model::Workbook& wb = sheet_.workbook();
  const auto style = find_style(wb, name.to_string());
  if (!style) raise(Fault::MethodFailed);
  ops::change_format(wb, sheet_.get(), area_, [&](model::Xf& xf) {
    xf.parent = style->style_xf;
    xf.format = style->format;
  });
}

Variant Range::HorizontalAlignment() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    return Variant(horizontal_alignment(ops::effective_format(wb, sheet, at).horizontal));
  });
}

void Range::SetHorizontalAlignment(const Variant& value) {
  const auto code = horizontal_alignment_code(value.to_long());
  if (!code) raise(Fault::MethodFailed);
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { xf.horizontal = *code; });
}

Variant Range::VerticalAlignment() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    return Variant(vertical_alignment(ops::effective_format(wb, sheet, at).vertical));
  });
}

void Range::SetVerticalAlignment(const Variant& value) {
  const auto code = vertical_alignment_code(value.to_long());
  if (!code) raise(Fault::MethodFailed);
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { xf.vertical = *code; });
}

Variant Range::WrapText() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) { return Variant(ops::effective_format(wb, sheet, at).wrap); });
}

void Range::SetWrapText(const Variant& value) {
  const bool wrap = value.to_bool();
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { xf.wrap = wrap; });
}

namespace {

constexpr int kHorizontalText = -4128, kVerticalText = -4166, kUpward = -4171, kDownward = -4170;
constexpr uint8_t kStacked = 255;
constexpr int kContext = -5002, kLeftToRight = -5003, kRightToLeft = -5004;
constexpr int kMaxIndent = 15;

// Stored rotation: 0..90 counterclockwise degrees, 91..180 clockwise (minus 90), 255 stacked.
Variant orientation_of(uint8_t rotation) {
  if (rotation == 0) return Variant(kHorizontalText);
  if (rotation == kStacked) return Variant(kVerticalText);
  if (rotation == 90) return Variant(kUpward);
  if (rotation == 180) return Variant(kDownward);
  return Variant(rotation <= 90 ? static_cast<int>(rotation) : 90 - static_cast<int>(rotation));
}

uint8_t rotation_of(int orientation) {
  switch (orientation) {
    case kHorizontalText: return 0;
    case kVerticalText: return kStacked;
    case kUpward: return 90;
    case kDownward: return 180;
    default: break;
  }
  if (orientation < -90 || orientation > 90) raise(Fault::MethodFailed);
  return static_cast<uint8_t>(orientation >= 0 ? orientation : 90 - orientation);
}

}  // namespace

Variant Range::Orientation() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) { return orientation_of(ops::effective_format(wb, sheet, at).rotation); });
}

void Range::SetOrientation(const Variant& value) {
  const uint8_t rotation = rotation_of(value.to_long());
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { xf.rotation = rotation; });
}

Variant Range::IndentLevel() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) { return Variant(static_cast<int>(ops::effective_format(wb, sheet, at).indent)); });
}

void Range::SetIndentLevel(const Variant& value) {
  const int level = value.to_long();
  if (level < 0 || level > kMaxIndent) raise(Fault::MethodFailed);
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { xf.indent = static_cast<uint8_t>(level); });
}

Variant Range::ShrinkToFit() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) { return Variant(ops::effective_format(wb, sheet, at).shrink); });
}

void Range::SetShrinkToFit(const Variant& value) {
  const bool shrink = value.to_bool();
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { xf.shrink = shrink; });
}

Variant Range::ReadingOrder() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_cells(area_, [&](model::CellRef at) {
    const uint8_t order = ops::effective_format(wb, sheet, at).reading_order;
    return Variant(order == 1 ? kLeftToRight : order == 2 ? kRightToLeft : kContext);
  });
}

void Range::SetReadingOrder(const Variant& value) {
  const int order = value.to_long();
  if (order != kContext && order != kLeftToRight && order != kRightToLeft) raise(Fault::MethodFailed);
  const uint8_t code = order == kLeftToRight ? 1 : order == kRightToLeft ? 2 : 0;
  ops::change_format(sheet_.workbook(), sheet_.get(), area_, [&](model::Xf& xf) { xf.reading_order = code; });
}

Variant Range::AddIndent() const {
  sheet_.get();
  return Variant(false);
}

void Range::SetAddIndent(const Variant& value) {
  sheet_.get();
  if (value.to_bool()) raise(Fault::NoSuchMember);
}

Variant Range::MergeCells() const {
  const model::Sheet& sheet = sheet_.get();
  return fold_cells(area_, [&](model::CellRef at) { return Variant(sheet.merge_area(at).has_value()); });
}

void Range::SetMergeCells(const Variant& value) {
  if (value.to_bool()) Merge();
  else UnMerge();
}

void Range::Merge() { ops::merge(sheet_.get(), area_); }

void Range::UnMerge() { ops::unmerge(sheet_.get(), area_); }

std::shared_ptr<xl::Range> Range::MergeArea() const {
  const model::Sheet& sheet = sheet_.get();
  const auto merged = sheet.merge_area(area_.first);
  if (merged && merged->contains(area_.last)) return std::make_shared<xl::Range>(sheet_, *merged);
  return std::make_shared<xl::Range>(sheet_, area_);
}

Variant Range::ColumnWidth() const {
  const model::Sheet& sheet = sheet_.get();
  const model::Workbook& wb = sheet_.workbook();
  return fold_columns(area_, [&](int col) { return Variant(column_width_characters(wb, sheet, col)); });
}

void Range::SetColumnWidth(const Variant& characters) {
  const double width = characters.to_double();
  if (width < 0 || width > kMaxColumnWidth) raise(Fault::MethodFailed);
  const uint16_t units = width == 0 ? 0 : column_width_units(sheet_.workbook(), width);
  model::Sheet& sheet = sheet_.get();
  resize_cells(sheet_.workbook(), sheet, [&] { ops::set_column_width(sheet, area_.first.col, area_.last.col, units); });
}

Variant Range::RowHeight() const {
  const model::Sheet& sheet = sheet_.get();
  return fold_rows(area_, [&](int row) {
    return Variant(sheet.row_hidden(row) ? 0.0 : sheet.row_height(row) / 20.0);
  });
}

void Range::SetRowHeight(const Variant& points) {
  const double height = points.to_double();
  if (height < 0 || height > kMaxRowHeightPoints) raise(Fault::MethodFailed);
  const auto twips = static_cast<uint16_t>(std::lround(height * 20));
  model::Sheet& sheet = sheet_.get();
  resize_cells(sheet_.workbook(), sheet, [&] { ops::set_row_height(sheet, area_.first.row, area_.last.row, twips); });
}

Variant Range::Height() const {
  const model::Sheet& sheet = sheet_.get();
  long twips = 0;
  for (int r = area_.first.row; r <= area_.last.row; ++r) twips += sheet.row_hidden(r) ? 0 : sheet.row_height(r);
  return Variant(twips / 20.0);
}

Variant Range::Hidden() const {
  const model::Sheet& sheet = sheet_.get();
  if (ops::spans_all_columns(area_))
    return fold_rows(area_, [&](int row) { return Variant(sheet.row_hidden(row)); });
  if (ops::spans_all_rows(area_)) {
    return fold_columns(area_, [&](int col) {
      const model::ColumnInfo* info = sheet.column_info(col);
      return Variant(info != nullptr && info->hidden);
    });
  }
  raise(Fault::MethodFailed);
}

void Range::SetHidden(const Variant& value) {
  model::Sheet& sheet = sheet_.get();
  const bool hidden = value.to_bool();
  if (ops::spans_all_columns(area_)) {
    return resize_cells(sheet_.workbook(), sheet,
                        [&] { ops::set_row_hidden(sheet, area_.first.row, area_.last.row, hidden); });
  }
  if (ops::spans_all_rows(area_)) {
    return resize_cells(sheet_.workbook(), sheet,
                        [&] { ops::set_column_hidden(sheet, area_.first.col, area_.last.col, hidden); });
  }
  raise(Fault::MethodFailed);
}

}  // namespace tabrel::xl
