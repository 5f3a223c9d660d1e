#pragma once
// String functions of the macro language as the ported procedures use them. Positions are
// 1-based and count UTF-16 units, as the language does.

#include <string>
#include <string_view>
#include <vector>

namespace tabrel::rt {

// Trim removes leading and trailing blanks (" ") only; tabs and line feeds stay.
std::u16string Trim(std::u16string_view s);
std::u16string LTrim(std::u16string_view s);
std::u16string RTrim(std::u16string_view s);

// Mid(s, start[, length]): start is 1-based; a start past the end gives "". start < 1 or
// length < 0 raise error 5, as the language does.
std::u16string Mid(std::u16string_view s, long start);
std::u16string Mid(std::u16string_view s, long start, long length);
std::u16string Left(std::u16string_view s, long length);
std::u16string Right(std::u16string_view s, long length);

// InStr([start,] s, find): 1-based position of `find` in `s`, 0 when absent; an empty `find`
// gives `start`. Binary (case-sensitive) comparison.
long InStr(std::u16string_view s, std::u16string_view find);
long InStr(long start, std::u16string_view s, std::u16string_view find);

// The language's comparison modes: binary (letter case counts) and text (it does not).
enum class Compare { Binary, Text };

// InStr(start, s, find, compare) and Replace(s, find, with, , , compare) with a chosen
// comparison; with Compare::Text the replaced pieces are found regardless of letter case.
long InStr(long start, std::u16string_view s, std::u16string_view find, Compare compare);

// Split(s, separator): the pieces between separators; "" gives an empty array (UBound -1).
std::vector<std::u16string> Split(std::u16string_view s, std::u16string_view separator);

// UBound of a zero-based array as Split returns it.
template <class T>
long UBound(const std::vector<T>& v) {
  return static_cast<long>(v.size()) - 1;
}

std::u16string Replace(std::u16string_view s, std::u16string_view find, std::u16string_view with);
std::u16string Replace(std::u16string_view s, std::u16string_view find, std::u16string_view with, Compare compare);
std::u16string UCase(std::u16string_view s);
std::u16string LCase(std::u16string_view s);

}  // namespace tabrel::rt
