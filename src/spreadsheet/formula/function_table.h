#pragma once
// The spreadsheet's built-in function table: index (iftab), English name, argument counts,
// token classes of the result and of each argument, and volatility. The table is data.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tabrel::formula {

struct FunctionInfo {
  uint16_t index;
  std::u16string_view name;  // upper-case English name as the formula bar shows it
  uint8_t min_args;
  uint8_t max_args;          // equal to min_args for a fixed-argument function (PtgFunc)
  char result_class;         // 'V' value, 'R' reference, 'A' array
  std::string_view arg_classes;  // one letter per argument; the last letter repeats
  bool is_volatile;

  bool fixed() const { return min_args == max_args; }
  char arg_class(size_t i) const {
    if (arg_classes.empty()) return 'V';
    return i < arg_classes.size() ? arg_classes[i] : arg_classes.back();
  }
};

const FunctionInfo* function_by_index(uint16_t index);
// Case-insensitive look-up by English name.
const FunctionInfo* function_by_name(std::u16string_view name);

// Functions that newer versions store as calls to the add-in name "_xlfn.NAME" (IFERROR ...):
// the prefix the file uses and the prefix-free names the printer shows.
inline constexpr std::u16string_view kFuturePrefix = u"_xlfn.";
bool is_future_function(std::u16string_view name);
// Token class of argument `i` of such a function (or of any other add-in function: 'R').
char future_arg_class(std::u16string_view name, size_t i);

}  // namespace tabrel::formula
