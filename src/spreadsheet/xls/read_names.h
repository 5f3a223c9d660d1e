#pragma once
// Payloads of defined names and external references (NAME, SUPBOOK, EXTERNSHEET, EXTERNNAME)
// as model values. Each throws biff::FormatError when the payload is shorter than its layout.

#include <string_view>
#include <vector>

#include "spreadsheet/biff/record.h"
#include "spreadsheet/model/names.h"

namespace tabrel::xls {

model::DefinedName read_name(const biff::Record& rec);
model::SupportingBook read_supbook(const biff::Record& rec);
std::vector<model::ExternSheet> read_externsheet(const biff::Record& rec);
model::ExternalName read_externname(const biff::Record& rec);

// The text of a built-in name's code ("Print_Area" for 6); "" for an unknown code.
std::u16string_view builtin_name_text(uint8_t code);

}  // namespace tabrel::xls
