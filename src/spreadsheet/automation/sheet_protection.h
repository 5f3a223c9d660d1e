#pragma once
// Worksheet protection as macros set it: Protect and Unprotect keep the sheet's protection
// records (PROTECT, OBJPROTECT, SCENPROTECT and the PASSWORD verifier), which the file then holds.

#include <string>

#include "spreadsheet/model/sheet.h"

namespace tabrel::xl {

struct Protection {
  bool contents = true;
  bool drawing_objects = true;
  bool scenarios = true;
};

// Protects the sheet, replacing any protection it had; an empty password sets none.
void protect_sheet(model::Sheet& sheet, const std::u16string& password, const Protection& parts);
// Removes the protection. A sheet protected with a password needs that password: any other
// raises 1004 (the spreadsheet would ask for it in a dialog, which a macro run never shows).
void unprotect_sheet(model::Sheet& sheet, const std::u16string& password);
bool contents_protected(const model::Sheet& sheet);

}  // namespace tabrel::xl
