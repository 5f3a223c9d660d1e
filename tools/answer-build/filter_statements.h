#pragma once
// The names an advanced filter leaves on its sheet when it copies its result elsewhere: the
// list as the hidden _FilterDatabase, the criteria range as Criteria and the copy-to range as
// Extract, all three the sheet's own built-in names. The result rows themselves are `row`
// statements.
//
//   filter-names | B3:K13 | B15:C16 | B19:K19     list, criteria, copy-to range

#include <string>
#include <vector>

#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// Applies a `filter-names` statement to `sheet`; false for any other verb. Throws SourceError
// naming `line` for fields that do not read.
bool apply_filter_statement(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                            xl::Worksheet& sheet);

}  // namespace tabrel::answers
