#pragma once
// Text that formulas accept as a number: "12", "1,234.5", "-1E3", "50%", and dates and times
// as typed ("2024-03-01", "2024/3/1", "01/18/2019", "18-Jan-2019", "June 9, 1969", "13:30",
// "3:30 PM", "오후 1:30:00"), as serials of the workbook's date system.

#include <optional>
#include <string_view>

#include "spreadsheet/core/date_serial.h"

namespace tabrel::formula {

std::optional<double> text_to_number(std::u16string_view text, DateSystem system);

}  // namespace tabrel::formula
