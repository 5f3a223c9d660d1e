#pragma once
// What can only be read once the whole workbook is in: each autofilter's range from its sheet's
// _FilterDatabase name, and the text of the macro assigned to each drawing object.

#include "spreadsheet/model/workbook.h"

namespace tabrel::xls {

void link_workbook_parts(model::Workbook& book);

}  // namespace tabrel::xls
