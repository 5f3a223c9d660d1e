#pragma once
// Reading formula text character by character: position, look-ahead, syntax errors with their
// offset, and the character classes of names and references.

#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/core/text.h"
#include "spreadsheet/core/variant.h"
#include "spreadsheet/formula/formula_error.h"

namespace tabrel::formula {

inline bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
inline bool is_letter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
inline bool is_word(char16_t c) {
  return is_letter(c) || is_digit(c) || c == u'_' || c == u'.' || c == u'\\' || c >= 0x80;
}

class TextCursor {
 protected:
  explicit TextCursor(std::u16string_view text) : s_(text) {}

  [[noreturn]] void fail(const std::string& what) const {
    throw FormulaError(FormulaError::Kind::Syntax, pos_, "formula text: " + what);
  }
  bool at_end() const { return pos_ >= s_.size(); }
  char16_t peek(size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : u'\0'; }
  bool eat(char16_t c) {
    if (peek() != c) return false;
    ++pos_;
    return true;
  }

  // The error value written at the position ("#N/A", "#DIV/0!" ...), read past; nullopt otherwise.
  std::optional<CellError> error_word() {
    for (CellError e : {CellError::Null, CellError::Div0, CellError::Value, CellError::Ref, CellError::Name,
                        CellError::Num, CellError::NA}) {
      std::u16string t = cell_error_text(e);
      if (s_.substr(pos_).size() >= t.size() && equals_ignore_case(s_.substr(pos_, t.size()), t)) {
        pos_ += t.size();
        return e;
      }
    }
    return std::nullopt;
  }

  std::u16string_view s_;
  size_t pos_ = 0;
};

}  // namespace tabrel::formula
