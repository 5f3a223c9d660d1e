#pragma once
// The data-entry block of problem 1: the typed values of one range of the first sheet, worth 5
// points shared by the cells the answer fills.

#include <string>

#include "papers/frame/check_table.h"

namespace tabrel::papers {

inline constexpr float kDataEntryPoints = 5;
inline constexpr char16_t kWrongValueText[] = u" 셀의 값이 틀립니다";
inline constexpr char16_t kAllEntriesWrongText[] = u"모든 입력작업의 내용이 틀립니다";

// Each differing cell costs 5 / n (n the filled answer cells, the share rounded to two
// decimals); when every filled answer cell is listed, one row of 5 instead. An answer range
// with no filled cell raises division by zero.
Step data_entry(const char16_t* first, const char16_t* last);

}  // namespace tabrel::papers
