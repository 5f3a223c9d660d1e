#pragma once
// Alignment, merge and border comparisons of a range, and the composite check that a range
// agrees in text, bold, fill, horizontal alignment with merging, and borders.

#include <string>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// The cells whose horizontal (vertical) alignment or merge state differs.
std::u16string GetWrongHAlignMergeCells(ExcelObjects& objects, std::u16string_view startCell,
                                        std::u16string_view endCell);
std::u16string GetWrongVAlignMergeCells(ExcelObjects& objects, std::u16string_view startCell,
                                        std::u16string_view endCell);

// The cells whose merging differs over the range widened by one column to the right; when the
// range differs in either alignment, every walked cell is listed. `endCell` in column Z is
// rejected (RangeArgumentError).
std::u16string GetWrongMergeCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);

// The cells whose inner or diagonal line styles differ, or, for cells not merged in the answer,
// whose edges differ in style or weight.
std::u16string GetWrongBorderCells(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);

// Text, bold, fill, horizontal alignment with merging and borders all agree.
bool IsRangeFullyCorrect(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell);

}  // namespace tabrel::inspect
