#pragma once
// The captions the Korean spreadsheet shows in a pivot table where the file stores none.

#include <cstdint>
#include <string>

namespace tabrel::pivot {

inline constexpr const char16_t* kRowLabels = u"행 레이블";
inline constexpr const char16_t* kColumnLabels = u"열 레이블";
inline constexpr const char16_t* kGrandTotal = u"총합계";
inline constexpr const char16_t* kAllItemsCaption = u"(모두)";
inline constexpr const char16_t* kEmptyItem = u"(비어 있음)";
inline constexpr const char16_t* kValuesHeader = u"요약";
inline constexpr const char16_t* kSubtotalSuffix = u" 요약";  // "서울 요약", an outer item's subtotal
inline constexpr const char16_t* kDataCaption = u"데이터";  // over several data fields side by side

// "합계 : 금액" for the sum of the field 금액; the other functions by their Korean names.
std::u16string data_caption(uint16_t function, const std::u16string& field_name);

}  // namespace tabrel::pivot
