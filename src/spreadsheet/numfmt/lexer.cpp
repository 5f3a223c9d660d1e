#include "spreadsheet/numfmt/format_error.h"
#include "spreadsheet/numfmt/token.h"

namespace tabrel::numfmt {

namespace {

char16_t fold(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool starts_with_folded(std::u16string_view code, size_t i, std::u16string_view word) {
  if (code.size() - i < word.size()) return false;
  for (size_t k = 0; k < word.size(); ++k)
    if (fold(code[i + k]) != word[k]) return false;
  return true;
}

bool is_date_letter(char16_t c) {
  switch (fold(c)) {
    case u'y': case u'm': case u'd': case u'h': case u's': case u'e': case u'b': return true;
    default: return false;
  }
}

}  // namespace

std::vector<Token> lex(std::u16string_view code) {
  std::vector<Token> out;
  size_t i = 0;
  auto push = [&](TokenKind kind, std::u16string text, size_t at) { out.push_back({kind, std::move(text), at}); };
  while (i < code.size()) {
    const size_t at = i;
    const char16_t c = code[i];
    switch (c) {
      case u'"': {
        size_t end = code.find(u'"', i + 1);
        if (end == std::u16string_view::npos) throw FormatError(at, "unterminated quoted text");
        push(TokenKind::Literal, std::u16string(code.substr(i + 1, end - i - 1)), at);
        i = end + 1;
        continue;
      }
      case u'\\': case u'_': case u'*': {
        if (i + 1 >= code.size()) throw FormatError(at, "format code ends after an escape, spacer or fill");
        TokenKind kind = c == u'\\' ? TokenKind::Literal : c == u'_' ? TokenKind::Spacer : TokenKind::Fill;
        push(kind, std::u16string(1, code[i + 1]), at);
        i += 2;
        continue;
      }
      case u'[': {
        size_t end = code.find(u']', i + 1);
        if (end == std::u16string_view::npos) throw FormatError(at, "unterminated bracket");
        push(TokenKind::Bracket, std::u16string(code.substr(i + 1, end - i - 1)), at);
        i = end + 1;
        continue;
      }
      case u'0': case u'#': case u'?': push(TokenKind::Digit, std::u16string(1, c), at); ++i; continue;
      case u'.': push(TokenKind::Point, u".", at); ++i; continue;
      case u',': push(TokenKind::Comma, u",", at); ++i; continue;
      case u'%': push(TokenKind::Percent, u"%", at); ++i; continue;
      case u'/': push(TokenKind::Slash, u"/", at); ++i; continue;
      case u'@': push(TokenKind::At, u"@", at); ++i; continue;
      case u';': push(TokenKind::Semicolon, u";", at); ++i; continue;
      default: break;
    }
    if ((c == u'E' || c == u'e') && i + 1 < code.size() && (code[i + 1] == u'+' || code[i + 1] == u'-')) {
      push(TokenKind::Exponent, std::u16string(code.substr(i, 2)), at);
      i += 2;
      continue;
    }
    if (starts_with_folded(code, i, u"general")) {
      push(TokenKind::General, std::u16string(code.substr(i, 7)), at);
      i += 7;
      continue;
    }
    if (starts_with_folded(code, i, u"g/표준")) {
      push(TokenKind::General, std::u16string(code.substr(i, 4)), at);
      i += 4;
      continue;
    }
    if (starts_with_folded(code, i, u"am/pm") || starts_with_folded(code, i, u"오전/오후")) {
      push(TokenKind::AmPm, std::u16string(code.substr(i, 5)), at);
      i += 5;
      continue;
    }
    if (starts_with_folded(code, i, u"a/p")) {
      push(TokenKind::AmPm, std::u16string(code.substr(i, 3)), at);
      i += 3;
      continue;
    }
    if (starts_with_folded(code, i, u"aaa")) {
      size_t n = starts_with_folded(code, i, u"aaaa") ? 4 : 3;
      push(TokenKind::DatePart, std::u16string(n, u'a'), at);
      i += n;
      continue;
    }
    if (is_date_letter(c)) {
      size_t j = i;
      while (j < code.size() && fold(code[j]) == fold(c)) ++j;
      push(TokenKind::DatePart, std::u16string(j - i, fold(c)), at);
      i = j;
      continue;
    }
    // Everything else is shown as written; a surrogate pair stays together.
    size_t n = (c >= 0xD800 && c <= 0xDBFF && i + 1 < code.size()) ? 2 : 1;
    push(TokenKind::Literal, std::u16string(code.substr(i, n)), at);
    i += n;
  }
  return out;
}

}  // namespace tabrel::numfmt
