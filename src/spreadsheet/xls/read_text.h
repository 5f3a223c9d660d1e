#pragma once
// Strings of the record layer as the model holds them.

#include "spreadsheet/biff/strings.h"
#include "spreadsheet/model/rich_text.h"

namespace tabrel::xls {

model::RichText to_rich_text(biff::RichString s);

}  // namespace tabrel::xls
