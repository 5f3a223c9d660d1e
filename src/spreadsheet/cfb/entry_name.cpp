#include "spreadsheet/cfb/entry_name.h"

#include <algorithm>

#include "spreadsheet/cfb/format.h"
#include "spreadsheet/core/text.h"

namespace tabrel::cfb {

int compare_names(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  const std::u16string ua = upper(a);
  const std::u16string ub = upper(b);
  return ua.compare(ub);
}

bool is_valid_name(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxNameChars) return false;
  return std::none_of(name.begin(), name.end(), [](char16_t c) {
    return c == u'\0' || c == u'/' || c == u'\\' || c == u':' || c == u'!';
  });
}

}  // namespace tabrel::cfb
