#include "spreadsheet/macro/lexer.h"

#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include "spreadsheet/core/date_serial.h"
#include "spreadsheet/core/text.h"

namespace tabrel::macro {
namespace {

constexpr std::pair<std::u16string_view, Kw> kKeywords[] = {
    {u"addressof", Kw::AddressOf}, {u"and", Kw::And}, {u"as", Kw::As}, {u"attribute", Kw::Attribute},
    {u"base", Kw::Base}, {u"byref", Kw::ByRef}, {u"byval", Kw::ByVal}, {u"call", Kw::Call}, {u"case", Kw::Case},
    {u"close", Kw::Close}, {u"compare", Kw::Compare}, {u"const", Kw::Const}, {u"declare", Kw::Declare},
    {u"dim", Kw::Dim}, {u"do", Kw::Do}, {u"each", Kw::Each}, {u"else", Kw::Else}, {u"elseif", Kw::ElseIf},
    {u"empty", Kw::Empty}, {u"end", Kw::End}, {u"enum", Kw::Enum}, {u"eqv", Kw::Eqv}, {u"erase", Kw::Erase},
    {u"error", Kw::Error}, {u"event", Kw::Event}, {u"exit", Kw::Exit}, {u"explicit", Kw::Explicit},
    {u"false", Kw::False}, {u"for", Kw::For}, {u"friend", Kw::Friend}, {u"function", Kw::Function},
    {u"get", Kw::Get}, {u"global", Kw::Global}, {u"gosub", Kw::GoSub}, {u"goto", Kw::GoTo}, {u"if", Kw::If},
    {u"imp", Kw::Imp}, {u"in", Kw::In}, {u"input", Kw::Input}, {u"is", Kw::Is}, {u"let", Kw::Let},
    {u"lib", Kw::Lib}, {u"like", Kw::Like}, {u"line", Kw::Line}, {u"loop", Kw::Loop}, {u"lset", Kw::LSet},
    {u"me", Kw::Me}, {u"mod", Kw::Mod}, {u"module", Kw::Module}, {u"new", Kw::New}, {u"next", Kw::Next},
    {u"not", Kw::Not}, {u"nothing", Kw::Nothing}, {u"null", Kw::Null}, {u"on", Kw::On}, {u"open", Kw::Open},
    {u"option", Kw::Option}, {u"optional", Kw::Optional}, {u"or", Kw::Or}, {u"paramarray", Kw::ParamArray},
    {u"preserve", Kw::Preserve}, {u"print", Kw::Print}, {u"private", Kw::Private}, {u"property", Kw::Property},
    {u"public", Kw::Public}, {u"put", Kw::Put}, {u"raiseevent", Kw::RaiseEvent}, {u"redim", Kw::ReDim},
    {u"rem", Kw::Rem}, {u"resume", Kw::Resume}, {u"return", Kw::Return}, {u"rset", Kw::RSet},
    {u"select", Kw::Select}, {u"set", Kw::Set}, {u"static", Kw::Static}, {u"step", Kw::Step},
    {u"stop", Kw::Stop}, {u"sub", Kw::Sub}, {u"then", Kw::Then}, {u"to", Kw::To}, {u"true", Kw::True},
    {u"type", Kw::Type}, {u"typeof", Kw::TypeOf}, {u"until", Kw::Until}, {u"wend", Kw::Wend},
    {u"while", Kw::While}, {u"with", Kw::With}, {u"withevents", Kw::WithEvents}, {u"write", Kw::Write},
    {u"xor", Kw::Xor},
};

bool is_letter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c >= 0x80;
}
bool is_digit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool is_name_char(char16_t c) { return is_letter(c) || is_digit(c) || c == u'_'; }
bool is_blank(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0 || c == 0x3000; }

class Lexer {
 public:
  explicit Lexer(std::u16string_view s) : s_(s) {}

  std::vector<Token> run() {
    while (pos_ < s_.size()) {
      const char16_t c = s_[pos_];
      if (is_blank(c)) {
        ++pos_;
        space_ = true;
      } else if (c == u'\r' || c == u'\n') {
        newline();
      } else if (c == u'_' && space_ && continues_line()) {
        skip_continuation();
      } else if (c == u'\'') {
        skip_comment();
      } else if (c == u'"') {
        string_literal();
      } else if (is_digit(c) || (c == u'.' && pos_ + 1 < s_.size() && is_digit(s_[pos_ + 1]) && !after_operand())) {
        number();
      } else if (c == u'&' && pos_ + 1 < s_.size() && (s_[pos_ + 1] == u'H' || s_[pos_ + 1] == u'h' ||
                                                        s_[pos_ + 1] == u'O' || s_[pos_ + 1] == u'o') &&
                 radix_number()) {
      } else if (c == u'#' && !after_operand() && date_literal()) {
      } else if (is_letter(c) || c == u'_') {
        name();
      } else if (c == u'[') {
        bracketed_name();
      } else {
        op();
      }
    }
    if (!out_.empty() && out_.back().kind != Tok::Newline) push(Tok::Newline, u"");
    push(Tok::End, u"");
    return std::move(out_);
  }

 private:
  Token& push(Tok kind, std::u16string text) {
    Token t;
    t.kind = kind;
    t.text = std::move(text);
    t.line = line_;
    t.space_before = space_;
    space_ = false;
    out_.push_back(std::move(t));
    return out_.back();
  }

  bool after_operand() const {
    if (out_.empty() || space_) return false;
    const Token& t = out_.back();
    return t.kind == Tok::Identifier || t.kind == Tok::Literal || t.is_op(u")");
  }

  void newline() {
    if (s_[pos_] == u'\r' && pos_ + 1 < s_.size() && s_[pos_ + 1] == u'\n') ++pos_;
    ++pos_;
    if (!out_.empty() && out_.back().kind != Tok::Newline) push(Tok::Newline, u"");
    ++line_;
    space_ = false;
  }

  // "_" preceded by a blank and followed only by blanks up to the end of the line.
  bool continues_line() const {
    size_t i = pos_ + 1;
    while (i < s_.size() && is_blank(s_[i])) ++i;
    return i >= s_.size() || s_[i] == u'\r' || s_[i] == u'\n';
  }

  void skip_continuation() {
    ++pos_;
    while (pos_ < s_.size() && is_blank(s_[pos_])) ++pos_;
    if (pos_ < s_.size() && s_[pos_] == u'\r') ++pos_;
    if (pos_ < s_.size() && s_[pos_] == u'\n') ++pos_;
    ++line_;
    space_ = true;
  }

  // A comment runs to the end of the line; a continuation at its end carries it on.
  void skip_comment() {
    while (pos_ < s_.size()) {
      const char16_t c = s_[pos_];
      if (c == u'\r' || c == u'\n') {
        size_t back = pos_;
        while (back > 0 && is_blank(s_[back - 1])) --back;
        if (back > 1 && s_[back - 1] == u'_' && is_blank(s_[back - 2])) {
          if (c == u'\r' && pos_ + 1 < s_.size() && s_[pos_ + 1] == u'\n') ++pos_;
          ++pos_;
          ++line_;
          continue;
        }
        return;
      }
      ++pos_;
    }
  }

  void string_literal() {
    std::u16string text;
    ++pos_;
    while (pos_ < s_.size()) {
      const char16_t c = s_[pos_];
      if (c == u'"') {
        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == u'"') {
          text.push_back(u'"');
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      if (c == u'\r' || c == u'\n') break;  // unterminated: the line ends the string
      text.push_back(c);
      ++pos_;
    }
    push(Tok::Literal, u"").value = Variant(std::move(text));
  }

  void number() {
    const size_t start = pos_;
    while (pos_ < s_.size() && is_digit(s_[pos_])) ++pos_;
    bool is_float = false;
    if (pos_ < s_.size() && s_[pos_] == u'.') {
      is_float = true;
      ++pos_;
      while (pos_ < s_.size() && is_digit(s_[pos_])) ++pos_;
    }
    if (pos_ < s_.size() && (s_[pos_] == u'e' || s_[pos_] == u'E' || s_[pos_] == u'd' || s_[pos_] == u'D')) {
      size_t i = pos_ + 1;
      if (i < s_.size() && (s_[i] == u'+' || s_[i] == u'-')) ++i;
      if (i < s_.size() && is_digit(s_[i])) {
        is_float = true;
        pos_ = i;
        while (pos_ < s_.size() && is_digit(s_[pos_])) ++pos_;
      }
    }
    std::string ascii;
    for (size_t i = start; i < pos_; ++i) {
      const char16_t c = s_[i];
      ascii.push_back(c == u'd' || c == u'D' ? 'e' : static_cast<char>(c));
    }
    const double d = std::strtod(ascii.c_str(), nullptr);
    char16_t suffix = 0;
    if (pos_ < s_.size() && (s_[pos_] == u'%' || s_[pos_] == u'&' || s_[pos_] == u'!' || s_[pos_] == u'#' ||
                             s_[pos_] == u'@')) {
      const bool hex_next = s_[pos_] == u'&' && pos_ + 1 < s_.size() && is_letter(s_[pos_ + 1]);
      if (!hex_next) suffix = s_[pos_++];
    }
    push(Tok::Literal, u"").value = typed_number(d, is_float, suffix);
  }

  static Variant typed_number(double d, bool is_float, char16_t suffix) {
    switch (suffix) {
      case u'%': return std::fabs(d) <= 32767 ? Variant::integer(static_cast<int16_t>(d)) : Variant(d);
      case u'&': return std::fabs(d) <= 2147483647.0 ? Variant::long_(static_cast<int32_t>(d)) : Variant(d);
      case u'!': return Variant::single(static_cast<float>(d));
      case u'@': return Variant::currency(static_cast<int64_t>(std::llround(d * 10000)));
      case u'#': return Variant(d);
      default: break;
    }
    if (is_float || !std::isfinite(d)) return Variant(d);
    if (d <= 32767) return Variant::integer(static_cast<int16_t>(d));
    if (d <= 2147483647.0) return Variant::long_(static_cast<int32_t>(d));
    return Variant(d);
  }

  // &H1F, &O17, with an optional "&" or "%" suffix.
  bool radix_number() {
    const bool hex = s_[pos_ + 1] == u'H' || s_[pos_ + 1] == u'h';
    size_t i = pos_ + 2;
    uint64_t v = 0;
    size_t digits = 0;
    for (; i < s_.size(); ++i) {
      const char16_t c = s_[i];
      int d;
      if (is_digit(c)) d = c - u'0';
      else if (hex && c >= u'a' && c <= u'f') d = c - u'a' + 10;
      else if (hex && c >= u'A' && c <= u'F') d = c - u'A' + 10;
      else break;
      if (!hex && d > 7) break;
      if (digits < 16) v = v * (hex ? 16 : 8) + static_cast<uint64_t>(d);
      ++digits;
    }
    if (digits == 0) return false;
    bool as_long = false;
    if (i < s_.size() && s_[i] == u'&') {
      as_long = true;
      ++i;
    } else if (i < s_.size() && s_[i] == u'%') {
      ++i;
    }
    pos_ = i;
    Variant value;
    if (!as_long && v <= 0xFFFF) value = Variant::integer(static_cast<int16_t>(static_cast<uint16_t>(v)));
    else value = Variant::long_(static_cast<int32_t>(static_cast<uint32_t>(v)));
    push(Tok::Literal, u"").value = std::move(value);
    return true;
  }

  bool date_literal() {
    size_t end = pos_ + 1;
    while (end < s_.size() && s_[end] != u'#' && s_[end] != u'\r' && s_[end] != u'\n') ++end;
    if (end >= s_.size() || s_[end] != u'#') return false;
    auto serial = parse_date(s_.substr(pos_ + 1, end - pos_ - 1));
    if (!serial) return false;
    pos_ = end + 1;
    push(Tok::Literal, u"").value = Variant::date(*serial);
    return true;
  }

  // m/d/yyyy, yyyy-mm-dd, with or without a time h:mm[:ss] [AM|PM]; or a time alone.
  static std::optional<double> parse_date(std::u16string_view t) {
    std::array<int, 6> part{};
    size_t count = 0, i = 0;
    bool has_date = false, has_time = false, pm = false, am = false;
    char16_t date_sep = 0;
    auto skip_blanks = [&] { while (i < t.size() && is_blank(t[i])) ++i; };
    skip_blanks();
    while (i < t.size()) {
      if (!is_digit(t[i])) {
        if ((t[i] == u'A' || t[i] == u'a' || t[i] == u'P' || t[i] == u'p') && has_time) {
          pm = t[i] == u'P' || t[i] == u'p';
          am = !pm;
          ++i;
          if (i < t.size() && (t[i] == u'M' || t[i] == u'm')) ++i;
          skip_blanks();
          if (i != t.size()) return std::nullopt;
          break;
        }
        return std::nullopt;
      }
      int v = 0;
      size_t digits = 0;
      while (i < t.size() && is_digit(t[i])) {
        if (++digits > 4) return std::nullopt;
        v = v * 10 + (t[i++] - u'0');
      }
      if (count >= part.size()) return std::nullopt;
      part[count++] = v;
      if (i < t.size() && (t[i] == u'/' || t[i] == u'-')) {
        if (has_time || (date_sep && date_sep != t[i])) return std::nullopt;
        date_sep = t[i++];
        has_date = true;
      } else if (i < t.size() && t[i] == u':') {
        has_time = true;
        ++i;
      } else {
        skip_blanks();
        if (date_sep && !has_time) has_date = true;
      }
    }
    double serial = 0;
    size_t time_at = 0;
    if (has_date) {
      if (count < 3) return std::nullopt;
      int y, m, d;
      if (date_sep == u'-' && part[0] > 31) {
        y = part[0], m = part[1], d = part[2];
      } else {
        m = part[0], d = part[1], y = part[2];
      }
      if (y < 100) y += y < 30 ? 2000 : 1900;
      if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
      auto s = serial_from_date(y, m, d);
      if (!s) return std::nullopt;
      serial = *s;
      time_at = 3;
    }
    if (has_time || am || pm) {
      if (count < time_at + 1) return std::nullopt;
      int h = part[time_at], mi = count > time_at + 1 ? part[time_at + 1] : 0,
          se = count > time_at + 2 ? part[time_at + 2] : 0;
      if (pm && h < 12) h += 12;
      if (am && h == 12) h = 0;
      if (h > 23 || mi > 59 || se > 59) return std::nullopt;
      serial += (h * 3600 + mi * 60 + se) / 86400.0;
    } else if (!has_date) {
      return std::nullopt;
    }
    return serial;
  }

  void name() {
    const size_t start = pos_;
    while (pos_ < s_.size() && is_name_char(s_[pos_])) ++pos_;
    std::u16string text(s_.substr(start, pos_ - start));
    // Type suffixes: Left$, i%, n&, x!, d#, c@.
    if (pos_ < s_.size()) {
      const char16_t c = s_[pos_];
      const char16_t next = pos_ + 1 < s_.size() ? s_[pos_ + 1] : u'\n';
      if (c == u'$' || c == u'%' || c == u'@' || (c == u'#' && !is_name_char(next)) ||
          (c == u'!' && !is_letter(next) && next != u'[') ||
          (c == u'&' && (is_blank(next) || next == u')' || next == u',' || next == u'\r' || next == u'\n')))
        ++pos_;
    }
    const Kw kw = keyword_of(text);
    if (kw == Kw::Rem && (out_.empty() || out_.back().kind == Tok::Newline || out_.back().kind == Tok::Colon)) {
      pos_ = start;
      skip_comment();
      return;
    }
    push(Tok::Identifier, std::move(text)).keyword = kw;
  }

  void bracketed_name() {
    size_t end = pos_ + 1;
    while (end < s_.size() && s_[end] != u']' && s_[end] != u'\r' && s_[end] != u'\n') ++end;
    if (end >= s_.size() || s_[end] != u']') {
      op();
      return;
    }
    std::u16string text(s_.substr(pos_ + 1, end - pos_ - 1));
    pos_ = end + 1;
    Token& t = push(Tok::Identifier, std::move(text));
    t.bracketed = true;
  }

  void op() {
    const char16_t c = s_[pos_];
    const char16_t next = pos_ + 1 < s_.size() ? s_[pos_ + 1] : 0;
    std::u16string text(1, c);
    if ((c == u'<' && (next == u'>' || next == u'=')) || (c == u'>' && next == u'=') || (c == u':' && next == u'=')) {
      text.push_back(next);
    } else if (c == u'=' && (next == u'<' || next == u'>')) {  // "=<" and "=>" as the editor accepts them
      text = next == u'<' ? u"<=" : u">=";
    }
    pos_ += text.size() == 2 ? 2 : 1;
    if (text == u":") {
      push(Tok::Colon, text);
      return;
    }
    push(Tok::Operator, std::move(text));
  }

  std::u16string_view s_;
  size_t pos_ = 0;
  uint32_t line_ = 1;
  bool space_ = false;
  std::vector<Token> out_;
};

}  // namespace

Kw keyword_of(std::u16string_view name) {
  if (name.size() > 12) return Kw::None;
  const std::u16string folded = lower(name);
  for (const auto& [spelling, kw] : kKeywords)
    if (spelling == folded) return kw;
  return Kw::None;
}

std::vector<Token> tokenize(std::u16string_view source) { return Lexer(source).run(); }

}  // namespace tabrel::macro
