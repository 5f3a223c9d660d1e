#pragma once
// The errors the automation objects raise, with the numbers and Korean descriptions the desktop
// spreadsheet reports: the run-time error table for the plain ones, and the messages of the
// classes' members that fail. Every raise in this module goes through it. deref() and required()
// (run_time_errors.h) raise 91 for a member read through Nothing.

#include <cstdint>
#include <memory>
#include <string>

#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::xl {

enum class Fault {
  InvalidArgument,       // 5: an argument outside what the member takes
  OutOfMemory,           // 7: an array of values too large to hand out
  SubscriptOutOfRange,   // 9: a missing item of a collection
  TypeMismatch,          // 13
  ObjectNotSet,          // 91: a member read through Nothing
  NoSuchMember,          // 438: a member we do not support
  ServerGone,            // 462: the instance has quit
  MethodFailed,          // 1004: the spreadsheet refused the operation
  RangeAddressInvalid,   // 1004: Range("...") with a text that is no address
  RangeSelectFailed,     // 1004: selecting cells of a sheet that is not active
  RangeActivateFailed,
  SheetSelectFailed,     // 1004: selecting a hidden sheet
  SheetActivateFailed,
  SheetNameInvalid,      // 1004: an empty, too long or ill-formed sheet name
  SheetNameTaken,        // 1004: the name belongs to another sheet
  SheetVisibleFailed,    // 1004: hiding the last visible sheet
  SheetDeleteFailed,     // 1004: deleting the last visible sheet
  BordersItemFailed,     // 1004: Borders(i) with an index outside 5..12
  ObjectDeleted,         // the sheet or workbook behind the object is gone
  MacroNotFound,         // 1004: Run with a macro the workbooks do not have (the name goes first)
};

int32_t fault_number(Fault f);
const std::u16string& fault_description(Fault f);

[[noreturn]] void raise(Fault f);
// 1004 with a description that comes from elsewhere (the file reader's message).
[[noreturn]] void raise_failed(std::u16string description);

// 1004 "'<macro>' 매크로를 찾을 수 없습니다." for Application.Run.
[[noreturn]] void raise_macro_not_found(const std::u16string& macro);

}  // namespace tabrel::xl
