#pragma once
// Test helper: where two workbooks differ in the families the writer holds, one line each.

#include <string>
#include <vector>

#include "spreadsheet/model/workbook.h"

namespace tabrel::xls::testing {

// Records the writer makes itself (BOF, INTERFACEHDR, WRITEACCESS ...) are left out of the
// comparison of kept records; everything else must agree exactly.
std::vector<std::string> differences(const model::Workbook& expected, const model::Workbook& actual);

}  // namespace tabrel::xls::testing
