#include "spreadsheet/pivot/pivot_captions.h"

#include <array>

namespace tabrel::pivot {

std::u16string data_caption(uint16_t function, const std::u16string& field_name) {
  static constexpr std::array<const char16_t*, 11> kFunctions = {
      u"합계", u"개수", u"평균", u"최대값", u"최소값", u"곱", u"숫자 개수", u"표준 편차", u"표준 편차(전체)", u"분산", u"분산(전체)"};
  const char16_t* name = function < kFunctions.size() ? kFunctions[function] : kFunctions[0];
  return std::u16string(name) + u" : " + field_name;
}

}  // namespace tabrel::pivot
