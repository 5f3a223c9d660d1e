#include "spreadsheet/core/automation_error.h"

#include "spreadsheet/core/text.h"

namespace tabrel {

AutomationError::AutomationError(int32_t number, std::u16string description)
    : std::runtime_error(to_utf8(description)), number_(number), description_(std::move(description)) {}

}  // namespace tabrel
