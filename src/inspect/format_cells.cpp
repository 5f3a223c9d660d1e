#include "inspect/format_cells.h"

#include "inspect/cell_walk.h"
#include "inspect/property_walk.h"
#include "runtime/error_resume.h"
#include "runtime/strings.h"
#include "spreadsheet/automation/font.h"
#include "spreadsheet/automation/interior.h"
#include "spreadsheet/automation/phonetics.h"

namespace tabrel::inspect {

namespace {

Variant font_name(xl::Range& cell) { return deref(cell.Font()).Name(); }
Variant font_size(xl::Range& cell) { return deref(cell.Font()).Size(); }
Variant font_bold(xl::Range& cell) { return deref(cell.Font()).Bold(); }
Variant font_italic(xl::Range& cell) { return deref(cell.Font()).Italic(); }
Variant font_underline(xl::Range& cell) { return deref(cell.Font()).Underline(); }
Variant font_color(xl::Range& cell) { return deref(cell.Font()).ColorIndex(); }
Variant fill_color(xl::Range& cell) { return deref(cell.Interior()).ColorIndex(); }
Variant number_format(xl::Range& cell) { return cell.NumberFormatLocal(); }
Variant phonetic_text(xl::Range& cell) { return Variant(deref(deref(cell.Phonetics()).Item(Variant(1))).Text()); }
Variant phonetic_visible(xl::Range& cell) { return Variant(deref(cell.Phonetic()).Visible()); }

}  // namespace

std::u16string GetWrongFontNameCells(ExcelObjects& objects, std::u16string_view startCell,
                                     std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{font_name, Comparison::TrimmedText}});
}

std::u16string GetWrongFontSizeCells(ExcelObjects& objects, std::u16string_view startCell,
                                     std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{font_size, Comparison::TrimmedText}});
}

std::u16string GetWrongBoldCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{font_bold, Comparison::TrimmedText}});
}

std::u16string GetWrongItalicCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{font_italic, Comparison::TrimmedText}});
}

std::u16string GetWrongUnderlineCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{font_underline, Comparison::TrimmedText}});
}

std::u16string GetWrongFontColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{font_color, Comparison::Raw}});
}

std::u16string GetWrongFillColorCells(ExcelObjects& objects, std::u16string_view startCell,
                                      std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{fill_color, Comparison::Raw}});
}

std::u16string GetWrongNumberFormatCells(ExcelObjects& objects, std::u16string_view startCell,
                                         std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{number_format, Comparison::TrimmedText}});
}

std::u16string GetWrongPhoneticTextCells(ExcelObjects& objects, std::u16string_view startCell,
                                         std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{phonetic_text, Comparison::Raw}});
}

std::u16string GetWrongPhoneticVisibleCells(ExcelObjects& objects, std::u16string_view startCell,
                                            std::u16string_view endCell) {
  return compare_properties(objects, startCell, endCell, {{phonetic_visible, Comparison::YesNo}});
}

std::u16string GetWrongCustomFormatCells(ExcelObjects& objects, std::u16string_view startCell,
                                         std::u16string_view endCell, std::u16string_view pattern) {
  const std::u16string wanted = rt::UCase(pattern);
  auto test = [&](const VisitedCell& cell) {
    auto format_lacks_pattern = [&] {
      return rt::InStr(rt::UCase(rt::Trim(text_of(cell.target()->NumberFormatLocal()))), wanted) == 0;
    };
    if (rt::met(format_lacks_pattern)) return true;
    return rt::met([&] {
      return lists(differs_any(cell, {{fill_color, Comparison::Raw}, {font_color, Comparison::Raw}}));
    });
  };
  return walk_cell_list(objects, startCell, endCell, test);
}

}  // namespace tabrel::inspect
