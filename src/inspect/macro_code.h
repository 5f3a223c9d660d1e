#pragma once
// Freeing the target's recorded macros of references to other workbooks before they run: a
// macro recorded while another workbook was open may quote a cell of it as
// "'C:\folder\[Book.xls]Sheet1'!R1C1"; the fix-up keeps the quoted sheet name and drops the
// folder and the bracketed file name, editing the code through the macro editor's objects.

#include <cstdint>
#include <string_view>

#include "inspect/excel_objects.h"

namespace tabrel::inspect {

// Edits the code of TargetExcel's first macro project. The module edited is the first whose
// code holds the first item of `patternList` (items separated by ";") within lines 1 to the
// last, the last line only up to column 10; letter case is ignored throughout. In that module
// every line holding the whole `patternList` and ".xls]" loses, when it has an apostrophe, every
// occurrence of the text from just after its first apostrophe through its first ".xls]", and is
// written back. True (do not run the macro) when the list is empty or a line then holds the list
// but no ".xls"; false otherwise, when no module matches and on any failure, edits made so far
// staying. `macroName` is not used.
bool RemoveWorkbookRefsFromMacros(ExcelObjects& objects, std::u16string_view macroName, std::u16string_view patternList);

}  // namespace tabrel::inspect
