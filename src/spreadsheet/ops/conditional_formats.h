#pragma once
// Taking a range out of the sheet's conditional formats.

#include "spreadsheet/model/sheet.h"

namespace tabrel::ops {

// Every conditional format loses the cells of `range`; formats left without cells go.
void remove_conditional_formats(model::Sheet& sheet, const model::RangeRef& range);

}  // namespace tabrel::ops
