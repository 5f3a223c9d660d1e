#pragma once
// The answer sheet's layout given to the target sheet before positions are compared, so that
// objects anchored to cells stand where the answer's widths would put them.

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// Gives each of the columns A to I of `TargetSheet` the width of the same column of
// `AnswerSheet`, in that order; a column whose copy fails is skipped.
void CopyAnswerColumnWidths(ExcelObjects& objects);

}  // namespace tabrel::inspect
