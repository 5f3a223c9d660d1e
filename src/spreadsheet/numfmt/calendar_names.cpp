#include "spreadsheet/numfmt/calendar_names.h"

namespace tabrel::numfmt {

namespace {

constexpr std::u16string_view kMonths[12] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                                             u"July",    u"August",   u"September", u"October", u"November", u"December"};
constexpr std::u16string_view kWeekdays[7] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                              u"Thursday", u"Friday", u"Saturday"};
constexpr std::u16string_view kKoreanWeekdays[7] = {u"일", u"월", u"화", u"수", u"목", u"금", u"토"};

std::u16string number_text(int n) {
  std::u16string s;
  if (n >= 10) s.push_back(static_cast<char16_t>(u'0' + n / 10));
  s.push_back(static_cast<char16_t>(u'0' + n % 10));
  return s;
}

}  // namespace

std::u16string month_name(int month, bool long_form, NameLanguage lang) {
  if (month < 1 || month > 12) return {};
  if (lang == NameLanguage::Korean) return number_text(month) + u"월";
  std::u16string_view name = kMonths[month - 1];
  return std::u16string(long_form ? name : name.substr(0, 3));
}

std::u16string weekday_name(int weekday, bool long_form, NameLanguage lang) {
  if (weekday < 1 || weekday > 7) return {};
  if (lang == NameLanguage::Korean)
    return std::u16string(kKoreanWeekdays[weekday - 1]) + (long_form ? u"요일" : u"");
  std::u16string_view name = kWeekdays[weekday - 1];
  return std::u16string(long_form ? name : name.substr(0, 3));
}

std::u16string am_pm_marker(std::u16string_view written, bool pm, NameLanguage lang) {
  if (written.starts_with(u"오") || (lang == NameLanguage::Korean && written.size() == 5))
    return pm ? u"오후" : u"오전";
  // "AM/PM" gives "AM" or "PM" in the case of each letter as written; "A/P" one letter.
  size_t slash = written.find(u'/');
  std::u16string_view part = pm ? written.substr(slash + 1) : written.substr(0, slash);
  return std::u16string(part);
}

}  // namespace tabrel::numfmt
