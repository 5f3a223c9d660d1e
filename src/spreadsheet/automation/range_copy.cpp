// Range: copying cells (values, formulas moved with their relative references, formats) to a
// destination or through the instance's clipboard, and filling a range from its first cells.
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/cell_copies.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shape_place.h"
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

void Range::AutoFill(const Variant& destination) {
  sheet_.get();
  const model::RangeRef area = range_argument(destination)->area();
  // The destination starts with this range and extends it down or right.
  const bool rows_grow = area.cols() == area_.cols();
  const bool cols_grow = area.rows() == area_.rows();
  if (!(rows_grow || cols_grow) || !(area.first == area_.first) || !area.contains(area_.last))
    raise(Fault::MethodFailed);
  copy_cells(sheet_, area_, sheet_, area, PasteParts{}, area_);
}

}  // namespace tabrel::xl
