#pragma once
// The run-time errors the program raises, each with the one Korean description the macro
// language gives it, and the check for an object variable that holds Nothing.

#include <cstdint>
#include <memory>
#include <string>

#include "spreadsheet/core/automation_error.h"

namespace tabrel {

// The description of an error number of err::; an unknown number gets the description of 1004.
const std::u16string& error_description(int32_t number);

// Throws AutomationError(number, error_description(number)).
[[noreturn]] void raise_error(int32_t number);

// The object behind an object variable. A member used through a variable that holds Nothing (a
// cell without a comment, an unset worksheet variable) raises 91, "object variable not set":
//   deref(range->Comment()).Text()
// The reference lives as long as the pointer it came from: use it within one expression.
template <class T>
T& deref(const std::shared_ptr<T>& object) {
  if (!object) raise_error(err::kObjectVariableNotSet);
  return *object;
}

// The pointer itself, checked as deref() checks it, for objects kept beyond one expression.
template <class T>
std::shared_ptr<T> required(std::shared_ptr<T> object) {
  if (!object) raise_error(err::kObjectVariableNotSet);
  return object;
}

}  // namespace tabrel
