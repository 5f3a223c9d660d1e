#include "runtime/strings.h"

#include "spreadsheet/core/run_time_errors.h"
#include "spreadsheet/core/text.h"

namespace tabrel::rt {

namespace {
[[noreturn]] void bad_call() { raise_error(err::kInvalidProcedureCall); }
}  // namespace

std::u16string LTrim(std::u16string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  return std::u16string(s.substr(i));
}

std::u16string RTrim(std::u16string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == u' ') --n;
  return std::u16string(s.substr(0, n));
}

std::u16string Trim(std::u16string_view s) { return LTrim(RTrim(s)); }

std::u16string Mid(std::u16string_view s, long start) {
  if (start < 1) bad_call();
  if (static_cast<size_t>(start) > s.size()) return u"";
  return std::u16string(s.substr(static_cast<size_t>(start - 1)));
}

std::u16string Mid(std::u16string_view s, long start, long length) {
  if (start < 1 || length < 0) bad_call();
  if (static_cast<size_t>(start) > s.size()) return u"";
  return std::u16string(s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(length)));
}

std::u16string Left(std::u16string_view s, long length) {
  if (length < 0) bad_call();
  return std::u16string(s.substr(0, static_cast<size_t>(length)));
}

std::u16string Right(std::u16string_view s, long length) {
  if (length < 0) bad_call();
  size_t n = std::min(s.size(), static_cast<size_t>(length));
  return std::u16string(s.substr(s.size() - n));
}

long InStr(std::u16string_view s, std::u16string_view find) { return InStr(1, s, find); }

long InStr(long start, std::u16string_view s, std::u16string_view find) {
  if (start < 1) bad_call();
  if (static_cast<size_t>(start) > s.size()) return find.empty() && static_cast<size_t>(start) == s.size() + 1 ? 0 : 0;
  if (find.empty()) return start;
  size_t pos = s.find(find, static_cast<size_t>(start - 1));
  return pos == std::u16string_view::npos ? 0 : static_cast<long>(pos) + 1;
}

std::vector<std::u16string> Split(std::u16string_view s, std::u16string_view separator) {
  std::vector<std::u16string> out;
  if (s.empty()) return out;
  if (separator.empty()) {
    out.emplace_back(s);
    return out;
  }
  size_t from = 0;
  while (true) {
    size_t pos = s.find(separator, from);
    if (pos == std::u16string_view::npos) {
      out.emplace_back(s.substr(from));
      return out;
    }
    out.emplace_back(s.substr(from, pos - from));
    from = pos + separator.size();
  }
}

long InStr(long start, std::u16string_view s, std::u16string_view find, Compare compare) {
  if (compare == Compare::Binary) return InStr(start, s, find);
  return InStr(start, lower(s), lower(find));  // folding keeps every position
}

std::u16string Replace(std::u16string_view s, std::u16string_view find, std::u16string_view with) {
  return Replace(s, find, with, Compare::Binary);
}

std::u16string Replace(std::u16string_view s, std::u16string_view find, std::u16string_view with, Compare compare) {
  if (find.empty()) return std::u16string(s);
  // Matches are found in the folded text, whose positions are those of `s`.
  const std::u16string folded_s = compare == Compare::Text ? lower(s) : std::u16string();
  const std::u16string folded_find = compare == Compare::Text ? lower(find) : std::u16string();
  const std::u16string_view haystack = compare == Compare::Text ? std::u16string_view(folded_s) : s;
  const std::u16string_view needle = compare == Compare::Text ? std::u16string_view(folded_find) : find;
  std::u16string out;
  size_t from = 0;
  while (true) {
    size_t pos = haystack.find(needle, from);
    if (pos == std::u16string_view::npos) break;
    out.append(s.substr(from, pos - from));
    out.append(with);
    from = pos + find.size();
  }
  out.append(s.substr(from));
  return out;
}

std::u16string UCase(std::u16string_view s) { return upper(s); }
std::u16string LCase(std::u16string_view s) { return lower(s); }

}  // namespace tabrel::rt
