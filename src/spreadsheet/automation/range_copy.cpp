// Range: copying cells (values, formulas moved with their relative references, formats) to a
// destination or through the instance's clipboard, and filling a range from its first cells.
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/cell_copies.h"
#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/fill_series.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shape_place.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/format_error.h"
#include "spreadsheet/ops/dimensions.h"

namespace tabrel::xl {
namespace {

constexpr int kPasteAll = -4104, kPasteFormulas = -4123, kPasteValues = -4163, kPasteFormats = -4122,
              kPasteColumnWidths = 8;

struct PasteParts {
  bool values = true;
  bool formulas = true;
  bool formats = true;
  bool widths = false;
};

PasteParts parts_of(int paste) {
  switch (paste) {
    case kPasteAll: return {};
    case kPasteFormulas: return {true, true, false, false};
    case kPasteValues: return {true, false, false, false};
    case kPasteFormats: return {false, false, true, false};
    case kPasteColumnWidths: return {false, false, false, true};
    default: raise(Fault::MethodFailed);
  }
}

// The target of a paste: a single cell takes the source's shape; a larger range that holds
// whole copies of the source is filled with them.
model::RangeRef paste_area(const model::RangeRef& source, model::RangeRef target) {
  if (target.cell_count() == 1 || target.rows() % source.rows() != 0 || target.cols() % source.cols() != 0)
    target.last = {target.first.row + source.rows() - 1, target.first.col + source.cols() - 1};
  if (target.last.row >= model::kMaxRows || target.last.col >= model::kMaxColumns) raise(Fault::MethodFailed);
  return target;
}

// Copies `source` of `from` into `target` of `to`, tiling it; cells of `skip` stay as they are.
void copy_cells(const SheetHandle& from, const model::RangeRef& source, const SheetHandle& to,
                const model::RangeRef& target, PasteParts parts, std::optional<model::RangeRef> skip = {}) {
  if (from.book != to.book) raise(Fault::MethodFailed);
  const model::Sheet& origin = from.get();
  model::Sheet& destination = to.get();
  // Read every source cell first: the target may overlap the source.
  std::vector<CellCopy> copies;
  copies.reserve(static_cast<size_t>(source.cell_count()));
  for (int r = source.first.row; r <= source.last.row; ++r)
    for (int c = source.first.col; c <= source.last.col; ++c) copies.push_back(read_cell(from, {r, c}, parts.formulas));
  if (parts.widths) {
    resize_cells(to.workbook(), destination, [&] {
      for (int c = target.first.col; c <= target.last.col; ++c) {
        const int col = source.first.col + (c - target.first.col) % source.cols();
        ops::set_column_width(destination, c, c, origin.column_width(col));
      }
    });
  }
  for (int r = target.first.row; r <= target.last.row; ++r) {
    for (int c = target.first.col; c <= target.last.col; ++c) {
      if (skip && skip->contains({r, c})) continue;
      const int dr = (r - target.first.row) % source.rows(), dc = (c - target.first.col) % source.cols();
      write_cell(to, {r, c}, copies[static_cast<size_t>(dr * source.cols() + dc)], parts.formats, parts.values);
    }
  }
}

bool shown_as_date(const model::Workbook& wb, uint16_t xf) {
  if (xf >= wb.styles.xfs.size()) return false;
  try {
    return numfmt::Format::compile(number_format(wb, wb.styles.xfs[xf].format)).is_date();
  } catch (const numfmt::FormatError&) {
    return false;
  }
}

// Fills `target` from `source` line by line: each line (a column when `along_rows`) tiles its
// source cells with their formats and formulas and writes the series values of FillLine.
void fill_lines(const SheetHandle& sheet, const model::RangeRef& source, const model::RangeRef& target,
                bool along_rows, bool forward, FillType type) {
  const model::Workbook& wb = sheet.workbook();
  const int length = along_rows ? source.rows() : source.cols();
  const int lines = along_rows ? source.cols() : source.rows();
  const int span = along_rows ? target.rows() : target.cols();
  const bool formats = type != FillType::Values, values = type != FillType::Formats;
  for (int line = 0; line < lines; ++line) {
    // Positions count from the source's first cell in the fill's direction.
    const model::CellRef start = forward ? source.first : source.last;
    const int step = forward ? 1 : -1;
    auto cell_at = [&](int k) {
      return along_rows ? model::CellRef{start.row + step * k, source.first.col + line}
                        : model::CellRef{source.first.row + line, start.col + step * k};
    };
    std::vector<CellCopy> copies;
    std::vector<FillItem> items;
    for (int k = 0; k < length; ++k) {
      copies.push_back(read_cell(sheet, cell_at(k)));
      items.push_back(FillItem{copies.back().value, !copies.back().formula_r1c1.empty(), shown_as_date(wb, copies.back().xf)});
    }
    const FillLine series(std::move(items), type, wb.date_system);
    for (int k = length; k < span; ++k) {
      CellCopy copy = copies[static_cast<size_t>(k % length)];
      if (auto value = series.value_at(k)) {
        copy.value = *value;
        copy.formula_r1c1.clear();
      }
      write_cell(sheet, cell_at(k), copy, formats, values);
    }
  }
}

std::shared_ptr<Range> range_argument(const Variant& v) {
  auto range = v.is_object() ? std::dynamic_pointer_cast<Range>(v.object()) : nullptr;
  if (!range) raise(Fault::MethodFailed);
  return range;
}

}  // namespace

void Range::Copy(const Variant& destination) {
  sheet_.get();
  if (omitted(destination)) {
    sheet_.book->clipboard = Clipboard{sheet_.sheet, area_};
    return;
  }
  auto target = range_argument(destination);
  copy_cells(sheet_, area_, target->sheet(), paste_area(area_, target->area()), PasteParts{});
}

void Range::PasteSpecial(const Variant& paste) {
  sheet_.get();
  const auto& clip = sheet_.book->clipboard;
  if (!clip) raise(Fault::MethodFailed);
  const SheetHandle origin{sheet_.app, sheet_.book, clip->sheet};
  const PasteParts parts = parts_of(omitted(paste) ? kPasteAll : paste.to_long());
  copy_cells(origin, clip->area, sheet_, paste_area(clip->area, area_), parts);
}

void Range::AutoFill(const Variant& destination, const Variant& type) {
  sheet_.get();
  const model::RangeRef area = range_argument(destination)->area();
  const FillType fill = omitted(type) ? FillType::Default : static_cast<FillType>(type.to_long());
  if (fill < FillType::Default || fill > FillType::GrowthTrend) raise(Fault::NoSuchMember);
  // The destination holds this range at one of its ends and extends it along rows or columns.
  const bool down = area.first == area_.first && area.cols() == area_.cols();
  const bool right = area.first == area_.first && area.rows() == area_.rows();
  const bool up = area.last == area_.last && area.cols() == area_.cols();
  const bool left = area.last == area_.last && area.rows() == area_.rows();
  if (!(down || right || up || left) || !area.contains(area_.first) || !area.contains(area_.last))
    raise(Fault::MethodFailed);
  const bool along_rows = (down || up) && area.rows() != area_.rows();
  const bool forward = along_rows ? area.first.row == area_.first.row : area.first.col == area_.first.col;
  fill_lines(sheet_, area_, area, along_rows, forward, fill);
}

}  // namespace tabrel::xl
