// Format::compile: sections, brackets, and the classification of each section's tokens into
// the elements of a number, scientific, fraction, date/time, text or General section.

#include <span>

#include "spreadsheet/numfmt/bracket.h"
#include "spreadsheet/numfmt/format.h"
#include "spreadsheet/numfmt/format_error.h"
#include "spreadsheet/numfmt/token.h"

namespace tabrel::numfmt {

namespace {

constexpr uint32_t kSystemLongDate = 0xF800;
constexpr uint32_t kSystemTime = 0xF400;

using Tokens = std::span<const Token>;

bool is_digit_token(const Token& t) { return t.kind == TokenKind::Digit; }
bool is_literal_digit(const Token& t, bool nonzero) {
  return t.kind == TokenKind::Literal && t.text.size() == 1 && t.text[0] <= u'9' &&
         t.text[0] >= (nonzero ? u'1' : u'0');
}

Element literal(std::u16string text) { return Element{ElementKind::Literal, std::move(text)}; }

Element date_element(DateField field, int width, std::u16string text = {}) {
  Element e{ElementKind::Date, std::move(text)};
  e.field = field;
  e.width = width;
  return e;
}

// Elements that every section kind shares: literals, spacers and fills.
bool common_element(const Token& t, std::vector<Element>& out) {
  switch (t.kind) {
    case TokenKind::Literal: out.push_back(literal(t.text)); return true;
    case TokenKind::Spacer: out.push_back(Element{ElementKind::Spacer, t.text}); return true;
    case TokenKind::Fill: out.push_back(Element{ElementKind::Fill, t.text}); return true;
    default: return false;
  }
}

// Records a section's brackets in the section; elapsed-time fields and currency symbols stay in
// place as tokens.
std::vector<Token> take_brackets(Tokens raw, Section& s) {
  std::vector<Token> kept;
  for (const Token& t : raw) {
    if (t.kind != TokenKind::Bracket) {
      kept.push_back(t);
      continue;
    }
    Bracket b = read_bracket(t.text, t.offset);
    switch (b.kind) {
      case Bracket::Kind::Color: s.color = b.color; break;
      case Bracket::Kind::Condition: s.condition = b.condition; break;
      case Bracket::Kind::DBNum: s.dbnum = b.dbnum; break;
      case Bracket::Kind::Locale:
        s.locale = b.locale;
        if (!b.currency.empty()) kept.push_back(Token{TokenKind::Literal, b.currency, t.offset});
        break;
      case Bracket::Kind::Elapsed:
        kept.push_back(Token{TokenKind::Bracket, t.text, t.offset});
        break;
    }
  }
  return kept;
}

class SectionParser {
 public:
  SectionParser(Tokens tokens, Section& s) : tokens_(tokens), s_(s) {}

  void parse(bool text_section) {
    if (text_section) return parse_text();
    bool general = false, date = false, digits = false, at = false;
    for (const Token& t : tokens_) {
      general |= t.kind == TokenKind::General;
      date |= t.kind == TokenKind::DatePart || t.kind == TokenKind::AmPm;
      digits |= t.kind == TokenKind::Digit;
      at |= t.kind == TokenKind::At;
      date |= t.kind == TokenKind::Bracket;  // only elapsed-time brackets remain as tokens
    }
    if (at) fail_at(TokenKind::At, "@ in a section for numbers");
    if (general) {
      if (date || digits) fail_at(TokenKind::General, "General mixed with other placeholders");
      return parse_general();
    }
    if (date) return parse_date();
    if (digits) return parse_number();
    for (const Token& t : tokens_)
      if (!common_element(t, s_.elements)) s_.elements.push_back(literal(t.text));
    s_.kind = s_.elements.empty() ? SectionKind::Empty : SectionKind::Number;
  }

 private:
  [[noreturn]] void fail(const Token& t, const char* what) { throw FormatError(t.offset, what); }
  void fail_at(TokenKind kind, const char* what) {
    for (const Token& t : tokens_)
      if (t.kind == kind) fail(t, what);
  }

  void parse_text() {
    s_.kind = SectionKind::Text;
    for (const Token& t : tokens_) {
      if (common_element(t, s_.elements)) continue;
      if (t.kind == TokenKind::At || t.kind == TokenKind::General) s_.elements.push_back(Element{ElementKind::At});
      else s_.elements.push_back(literal(t.text));
    }
  }

  void parse_general() {
    s_.kind = SectionKind::General;
    for (const Token& t : tokens_) {
      if (common_element(t, s_.elements)) continue;
      if (t.kind == TokenKind::General) s_.elements.push_back(Element{ElementKind::General});
      else s_.elements.push_back(literal(t.text));
    }
  }

  void parse_number();
  void parse_date();
  void resolve_minutes();

  Tokens tokens_;
  Section& s_;
};

void SectionParser::parse_number() {
  const size_t n = tokens_.size();
  size_t exponent = n, slash = n;
  for (size_t i = 0; i < n && exponent == n; ++i)
    if (tokens_[i].kind == TokenKind::Exponent) exponent = i;
  if (exponent == n) {
    bool digit_before = false;
    for (size_t i = 0; i + 1 < n && slash == n; ++i) {
      digit_before |= is_digit_token(tokens_[i]);
      if (tokens_[i].kind == TokenKind::Slash && digit_before &&
          (is_digit_token(tokens_[i + 1]) || is_literal_digit(tokens_[i + 1], true)))
        slash = i;
    }
  }
  s_.kind = exponent < n ? SectionKind::Scientific : slash < n ? SectionKind::Fraction : SectionKind::Number;
  // The numerator is the run of placeholders right before the bar.
  size_t numerator_start = slash;
  while (slash < n && numerator_start > 0 &&
         (is_digit_token(tokens_[numerator_start - 1]) || tokens_[numerator_start - 1].kind == TokenKind::Comma))
    --numerator_start;
  size_t point = n;
  if (s_.kind != SectionKind::Fraction)
    for (size_t i = 0; i < exponent && point == n; ++i)
      if (tokens_[i].kind == TokenKind::Point) point = i;

  auto zone_of = [&](size_t i) {
    if (i > exponent) return Zone::Exponent;
    if (i > slash) return Zone::Denominator;
    if (slash < n && i >= numerator_start) return Zone::Numerator;
    return i > point ? Zone::Decimal : Zone::Integer;
  };
  // Whether the nearest token other than a comma on each side is a digit placeholder.
  std::vector<char> digit_left(n, 0), digit_right(n, 0);
  for (size_t i = 1; i < n; ++i)
    digit_left[i] = tokens_[i - 1].kind == TokenKind::Comma ? digit_left[i - 1] : is_digit_token(tokens_[i - 1]);
  for (size_t i = n - 1; i-- > 0;)
    digit_right[i] = tokens_[i + 1].kind == TokenKind::Comma ? digit_right[i + 1] : is_digit_token(tokens_[i + 1]);

  for (size_t i = 0; i < n; ++i) {
    const Token& t = tokens_[i];
    if (common_element(t, s_.elements)) continue;
    switch (t.kind) {
      case TokenKind::Digit: {
        Element e{ElementKind::Digit};
        e.digit = t.text[0];
        e.zone = zone_of(i);
        switch (e.zone) {
          case Zone::Integer: ++s_.integer_digits; s_.engineering |= e.digit != u'0'; break;
          case Zone::Decimal: ++s_.decimal_digits; break;
          case Zone::Exponent: ++s_.exponent_digits; break;
          case Zone::Numerator: ++s_.numerator_digits; break;
          case Zone::Denominator: ++s_.denominator_digits; break;
        }
        s_.elements.push_back(e);
        break;
      }
      case TokenKind::Point:
        s_.elements.push_back(i == point ? Element{ElementKind::Point, u"."} : literal(u"."));
        break;
      case TokenKind::Comma: {
        bool after_digit = digit_left[i];
        if (after_digit && digit_right[i]) {
          if (zone_of(i) == Zone::Integer) s_.grouping = true;
        } else if (after_digit) {
          ++s_.thousands_scale;
        } else {
          s_.elements.push_back(literal(u","));
        }
        break;
      }
      case TokenKind::Percent:
        ++s_.percent;
        s_.elements.push_back(literal(u"%"));
        break;
      case TokenKind::Exponent:
        s_.elements.push_back(i == exponent ? Element{ElementKind::Exponent, t.text} : literal(t.text));
        break;
      case TokenKind::Slash:
        if (i != slash) {
          s_.elements.push_back(literal(u"/"));
          break;
        }
        s_.elements.push_back(Element{ElementKind::Slash, u"/"});
        if (is_literal_digit(tokens_[i + 1], true)) {
          Element fixed{ElementKind::FixedDenominator};
          while (i + 1 < n && (is_literal_digit(tokens_[i + 1], false) ||
                               (is_digit_token(tokens_[i + 1]) && tokens_[i + 1].text[0] == u'0')) &&
                 fixed.text.size() < 9)
            fixed.text.push_back(tokens_[++i].text[0]);
          for (char16_t c : fixed.text) s_.fixed_denominator = s_.fixed_denominator * 10 + (c - u'0');
          s_.elements.push_back(fixed);
        }
        break;
      default:
        fail(t, "date or time code mixed with digit placeholders");
    }
  }
  if (s_.kind == SectionKind::Fraction && s_.fixed_denominator == 0 && s_.denominator_digits == 0)
    fail(tokens_[slash], "fraction without a denominator");
}

void SectionParser::parse_date() {
  s_.kind = SectionKind::DateTime;
  const size_t n = tokens_.size();
  for (size_t i = 0; i < n; ++i) {
    const Token& t = tokens_[i];
    if (common_element(t, s_.elements)) continue;
    const int len = static_cast<int>(t.text.size());
    switch (t.kind) {
      case TokenKind::DatePart: {
        switch (t.text[0]) {
          case u'y': s_.elements.push_back(date_element(len <= 2 ? DateField::Year2 : DateField::Year4, len)); break;
          case u'e': s_.elements.push_back(date_element(DateField::Year4, len)); break;
          case u'b':
            s_.elements.push_back(date_element(len <= 2 ? DateField::BuddhistYear2 : DateField::BuddhistYear4, len));
            break;
          case u'm': {
            DateField f = len == 1 ? DateField::Month : len == 2 ? DateField::Month2 : len == 3 ? DateField::MonthShort
                          : len == 5 ? DateField::MonthLetter : DateField::MonthLong;
            s_.elements.push_back(date_element(f, len));
            break;
          }
          case u'd': {
            DateField f = len == 1 ? DateField::Day : len == 2 ? DateField::Day2 : len == 3 ? DateField::WeekdayShort
                                                                                          : DateField::WeekdayLong;
            s_.elements.push_back(date_element(f, len));
            break;
          }
          case u'a':
            s_.elements.push_back(date_element(len == 3 ? DateField::KoreanWeekdayShort : DateField::KoreanWeekdayLong, len));
            break;
          case u'h': s_.elements.push_back(date_element(len == 1 ? DateField::Hour : DateField::Hour2, len)); break;
          case u's': s_.elements.push_back(date_element(len == 1 ? DateField::Second : DateField::Second2, len)); break;
        }
        break;
      }
      case TokenKind::Bracket: {
        Bracket b = read_bracket(t.text, t.offset);
        s_.elements.push_back(date_element(b.elapsed, b.width));
        break;
      }
      case TokenKind::AmPm:
        s_.twelve_hour = true;
        s_.elements.push_back(date_element(DateField::AmPm, len, t.text));
        break;
      case TokenKind::Point: {
        int zeros = 0;
        while (i + 1 + static_cast<size_t>(zeros) < n && is_digit_token(tokens_[i + 1 + static_cast<size_t>(zeros)]) &&
               tokens_[i + 1 + static_cast<size_t>(zeros)].text[0] == u'0')
          ++zeros;
        if (zeros == 0) {
          s_.elements.push_back(literal(u"."));
          break;
        }
        zeros = std::min(zeros, 3);
        s_.subsecond_digits = std::max(s_.subsecond_digits, zeros);
        s_.elements.push_back(date_element(DateField::SubSecond, zeros));
        i += static_cast<size_t>(zeros);
        break;
      }
      case TokenKind::Comma: case TokenKind::Slash: case TokenKind::Percent:
        s_.elements.push_back(literal(t.text));
        break;
      default:
        fail(t, "digit placeholder in a date or time code");
    }
  }
  resolve_minutes();
}

// m and mm mean minutes right after an hour or right before a second.
void SectionParser::resolve_minutes() {
  auto& el = s_.elements;
  auto is_field = [](const Element& e) { return e.kind == ElementKind::Date && e.field != DateField::AmPm; };
  for (size_t i = 0; i < el.size(); ++i) {
    Element& e = el[i];
    if (e.kind != ElementKind::Date || (e.field != DateField::Month && e.field != DateField::Month2)) continue;
    bool minute = false;
    for (size_t k = i; k-- > 0;) {
      if (!is_field(el[k])) continue;
      DateField f = el[k].field;
      minute = f == DateField::Hour || f == DateField::Hour2 || f == DateField::ElapsedHours;
      break;
    }
    for (size_t k = i + 1; k < el.size() && !minute; ++k) {
      if (!is_field(el[k])) continue;
      DateField f = el[k].field;
      minute = f == DateField::Second || f == DateField::Second2 || f == DateField::ElapsedSeconds;
      break;
    }
    if (minute) e.field = e.field == DateField::Month ? DateField::Minute : DateField::Minute2;
  }
}

Section compile_section(Tokens raw, bool text_section) {
  Section s;
  std::vector<Token> tokens = take_brackets(raw, s);
  if (s.locale == kSystemLongDate || s.locale == kSystemTime) {
    // The system's own long date or time in the Korean locale replaces what follows the tag.
    auto system = lex(s.locale == kSystemLongDate ? std::u16string_view(u"yyyy\"년\" m\"월\" d\"일\" aaaa")
                                                  : std::u16string_view(u"AM/PM h:mm:ss"));
    tokens = std::move(system);
    s.locale = 0x412;
  }
  SectionParser(tokens, s).parse(text_section);
  return s;
}

}  // namespace

Format Format::compile(std::u16string_view code) {
  Format f;
  f.code_ = std::u16string(code);
  std::vector<Token> tokens = lex(code);
  std::vector<std::pair<size_t, size_t>> ranges;  // [begin, end) per section
  size_t begin = 0;
  for (size_t i = 0; i <= tokens.size(); ++i) {
    if (i < tokens.size() && tokens[i].kind != TokenKind::Semicolon) continue;
    if (ranges.size() == 4) throw FormatError(tokens[begin - 1].offset, "more than four sections");
    ranges.emplace_back(begin, i);
    begin = i + 1;
  }
  // The fourth section, or a last section with @ and no digit placeholder, is for text.
  auto is_text = [&](std::pair<size_t, size_t> r) {
    bool at = false;
    for (size_t i = r.first; i < r.second; ++i) {
      if (tokens[i].kind == TokenKind::Digit) return false;
      at |= tokens[i].kind == TokenKind::At;
    }
    return at;
  };
  if (ranges.size() == 4 || is_text(ranges.back())) f.text_section_ = ranges.size() - 1;
  f.number_sections_ = f.text_section_ ? ranges.size() - 1 : ranges.size();
  for (size_t k = 0; k < ranges.size(); ++k) {
    Tokens part(tokens.data() + ranges[k].first, ranges[k].second - ranges[k].first);
    f.sections_.push_back(compile_section(part, f.text_section_ == k));
  }
  // A code that is empty or only a text section shows numbers in General.
  if (f.number_sections_ == 1 && f.sections_[0].kind == SectionKind::Empty && ranges.size() == 1)
    f.number_sections_ = 0;
  return f;
}

bool Format::is_date() const {
  return number_sections_ > 0 && sections_[0].kind == SectionKind::DateTime;
}

}  // namespace tabrel::numfmt
