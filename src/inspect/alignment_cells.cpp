#include "inspect/alignment_cells.h"

#include "inspect/cell_walk.h"
#include "inspect/format_cells.h"
#include "inspect/property_walk.h"
#include "inspect/text_cells.h"
#include "runtime/error_resume.h"
#include "spreadsheet/automation/borders.h"

namespace tabrel::inspect {

namespace {

enum BorderIndex { kDiagonalDown = 5, kDiagonalUp, kLeft, kTop, kBottom, kRight, kInsideVertical, kInsideHorizontal };

Variant horizontal_alignment(xl::Range& cell) { return cell.HorizontalAlignment(); }
Variant vertical_alignment(xl::Range& cell) { return cell.VerticalAlignment(); }
Variant merge_cells(xl::Range& cell) { return cell.MergeCells(); }

PropertyComparison line_style(int index) {
  return {[index](xl::Range& cell) { return deref(cell.Borders(Variant(index))).LineStyle(); }, Comparison::Raw};
}

PropertyComparison line_weight(int index) {
  return {[index](xl::Range& cell) { return deref(cell.Borders(Variant(index))).Weight(); }, Comparison::Raw};
}

// The number of cells of the merged area at `address` of a sheet (1 for an unmerged cell).
Variant merged_area_size(const std::shared_ptr<xl::Worksheet>& sheet, const std::u16string& address) {
  return Variant(deref(deref(deref(sheet).Range(Variant(address))).MergeArea()).Count());
}

// Whether a CellList reports cells; a list that cannot be read counts as reporting.
bool reports(const std::u16string& list) {
  return rt::met([&] { return reports_cells(list); });
}

}  // namespace

std::u16string GetWrongHAlignMergeCells(ExcelObjects& objects, std::u16string_view startCell,
                                        std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell,
                            {{horizontal_alignment, Comparison::TrimmedText}, {merge_cells, Comparison::TrimmedText}});
}

std::u16string GetWrongVAlignMergeCells(ExcelObjects& objects, std::u16string_view startCell,
                                        std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell,
                            {{vertical_alignment, Comparison::TrimmedText}, {merge_cells, Comparison::TrimmedText}});
}

std::u16string GetWrongMergeCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  auto test = [&](const VisitedCell& cell) {
    auto merging_differs = [&] {
      const Differs sizes = differs(Comparison::Raw, merged_area_size(objects.AnswerSheet, cell.address),
                                    merged_area_size(objects.TargetSheet, cell.address));
      return lists(either(differs_any(cell, {{merge_cells, Comparison::TrimmedText}}), sizes));
    };
    if (rt::met(merging_differs)) return true;
    // Either alignment differing anywhere in the range, as given, lists the cell.
    return reports(GetWrongHAlignMergeCells(objects, startCell, endCell)) ||
           reports(GetWrongVAlignMergeCells(objects, startCell, endCell));
  };
  WalkOptions options;
  options.widening.right = true;
  return walk_cell_list(objects, startCell, endCell, test, options);
}

std::u16string GetWrongBorderCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  auto test = [&](const VisitedCell& cell) {
    auto inner_lines_differ = [&] {
      return lists(differs_any(cell, {line_style(kInsideVertical), line_style(kInsideHorizontal),
                                      line_style(kDiagonalUp), line_style(kDiagonalDown)}));
    };
    if (rt::met(inner_lines_differ)) return true;
    // Edges of a cell merged in the answer are not compared.
    if (rt::holds([&] { return equals(cell.answer()->MergeCells(), Variant(true)).value_or(false); })) return false;
    return rt::met([&] {
      return lists(
          differs_any(cell, {line_style(kLeft), line_style(kTop), line_style(kBottom), line_style(kRight),
                             line_weight(kLeft), line_weight(kTop), line_weight(kBottom), line_weight(kRight)}));
    });
  };
  return walk_cell_list(objects, startCell, endCell, test);
}

bool IsRangeFullyCorrect(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  // In order, stopping at the first check that reports a cell.
  return !reports(GetWrongTextCells(objects, startCell, endCell, 0, false)) &&
         !reports(GetWrongBoldCells(objects, startCell, endCell)) &&
         !reports(GetWrongFillColorCells(objects, startCell, endCell)) &&
         !reports(GetWrongHAlignMergeCells(objects, startCell, endCell)) &&
         !reports(GetWrongBorderCells(objects, startCell, endCell));
}

}  // namespace tabrel::inspect
