#pragma once
// Pivot tables of an answer workbook, made from a range of the workbook as the spreadsheet's
// wizard makes them (classic layout, grand totals, all page items shown):
//
//   pivot | B19 | source=기본작업-1!A3:G12 | page=부서 | row=직위 | column=성별 | data=sum:기본급
//         | caption=합계 : 기본급 | format=#,##0 | data=average:수당 | name=피벗 테이블1
//
// B19 is the first cell of the table's body; its page fields stand above it, one row each, with a
// blank row between. page=, row= and column= may repeat (outermost first); data= takes sum,
// count or average and a field name; caption= and format= apply to the data field before them.

#include <string>
#include <vector>

#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::answers {

// Applies a `pivot` statement to `sheet`; false for any other verb. Throws SourceError naming
// `line` for fields that do not read.
bool apply_pivot_statement(int line, const std::vector<std::u16string>& fields, xl::Workbook& book,
                           xl::Worksheet& sheet);

}  // namespace tabrel::answers
