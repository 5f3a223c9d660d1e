#pragma once
// The errors the automation objects raise, with the numbers and Korean descriptions the desktop
// spreadsheet reports. One table; every raise in this module goes through it.

#include <cstdint>
#include <string>

#include "spreadsheet/core/automation_error.h"

namespace tabrel::xl {

enum class Fault {
  SubscriptOutOfRange,  // 9: a missing item of a collection
  TypeMismatch,         // 13
  ObjectNotSet,         // 91: a member read through Nothing
  NoSuchMember,         // 438: a member we do not support
  ServerGone,           // 462: the instance has quit
  MethodFailed,         // 1004: the spreadsheet refused the operation
  ObjectDeleted,        // the sheet or workbook behind the object is gone
};

int32_t fault_number(Fault f);
const std::u16string& fault_description(Fault f);

[[noreturn]] void raise(Fault f);
// 1004 with a description of its own (the spreadsheet words each refusal differently).
[[noreturn]] void raise_failed(std::u16string description);

}  // namespace tabrel::xl
