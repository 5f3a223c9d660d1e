#pragma once
// The error a failing member of the spreadsheet application layer raises: the number and
// description the desktop spreadsheet's automation would report.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tabrel {

class AutomationError : public std::runtime_error {
 public:
  AutomationError(int32_t number, std::u16string description);

  int32_t number() const { return number_; }
  const std::u16string& description() const { return description_; }

 private:
  int32_t number_;
  std::u16string description_;
};

// Error numbers of the macro language and the automation layer that the program raises. Their
// descriptions are in one table (run_time_errors.h).
namespace err {
inline constexpr int32_t kInvalidProcedureCall = 5;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kOutOfMemory = 7;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kDivisionByZero = 11;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kPermissionDenied = 70;
inline constexpr int32_t kObjectVariableNotSet = 91;  // a member used through Nothing
inline constexpr int32_t kInvalidUseOfNull = 94;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kObjectRequired = 424;       // a value that is no object where one must be
inline constexpr int32_t kNoSuchMember = 438;
inline constexpr int32_t kRemoteServerGone = 462;
inline constexpr int32_t kMethodFailed = 1004;  // "application-defined or object-defined error"
inline constexpr int32_t kDisconnected = -2147417848;  // 0x80010108: the object's server is gone
}  // namespace err

}  // namespace tabrel
