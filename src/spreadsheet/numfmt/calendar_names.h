#pragma once
// Month, weekday and AM/PM names in English and in Korean.

#include <string>
#include <string_view>

namespace tabrel::numfmt {

enum class NameLanguage { English, Korean };

// month 1..12; `letter` gives the first letter only (mmmmm).
std::u16string month_name(int month, bool long_form, NameLanguage lang);
// weekday 1 = Sunday .. 7 = Saturday.
std::u16string weekday_name(int weekday, bool long_form, NameLanguage lang);
// The marker for an AM/PM field written as `written` ("AM/PM", "am/pm", "A/P", "오전/오후").
std::u16string am_pm_marker(std::u16string_view written, bool pm, NameLanguage lang);

// Korean names follow the locale tag 412 (Korean); other tags and no tag give English.
inline NameLanguage language_of(unsigned locale) {
  return (locale & 0xFFFF) == 0x412 ? NameLanguage::Korean : NameLanguage::English;
}

}  // namespace tabrel::numfmt
