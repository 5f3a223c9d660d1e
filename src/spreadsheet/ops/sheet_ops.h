#pragma once
// Adding, removing and renaming sheets of a workbook with the spreadsheet's rules. Sheet-level
// names follow their sheet; the workbook's active tab stays on the same sheet where it can.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "spreadsheet/model/workbook.h"

namespace tabrel::ops {

enum class SheetNameProblem { None, Empty, TooLong, BadCharacter, Taken };

// Why `name` cannot name a sheet of `wb` (ignoring `self`, the sheet being renamed): empty,
// longer than 31 characters, holding one of : \ / ? * [ ] or starting or ending with an
// apostrophe, or used by another sheet (letter case ignored).
SheetNameProblem check_sheet_name(const model::Workbook& wb, std::u16string_view name,
                                  const model::Sheet* self = nullptr);

// The name the spreadsheet gives a new worksheet: "Sheet" and the first free number from the
// worksheet count plus one.
std::u16string new_sheet_name(const model::Workbook& wb);

// Inserts a blank worksheet at `position` (0-based, clamped to the end) and returns it.
model::Sheet& insert_worksheet(model::Workbook& wb, size_t position, std::u16string name);

// Takes the sheet at `position` out of the workbook and hands it back; names scoped to it go.
std::unique_ptr<model::Sheet> remove_sheet(model::Workbook& wb, size_t position);

}  // namespace tabrel::ops
