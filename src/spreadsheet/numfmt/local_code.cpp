#include "spreadsheet/numfmt/local_code.h"

#include "spreadsheet/core/text.h"
#include "spreadsheet/numfmt/color_names.h"

namespace tabrel::numfmt {

namespace {

enum class Direction { ToLocal, FromLocal };

std::u16string translate_bracket(std::u16string_view content, Direction dir) {
  for (int i = 0; i < kNamedColorCount; ++i) {
    const NamedColor& c = named_colors()[i];
    if (dir == Direction::ToLocal && equals_ignore_case(content, c.english)) return std::u16string(c.korean);
    if (dir == Direction::FromLocal && content == c.korean) return std::u16string(c.english);
  }
  std::u16string out;
  if (dir == Direction::ToLocal && content.size() > 5 && equals_ignore_case(content.substr(0, 5), u"color")) {
    out.append(u"색").append(content.substr(5));
  } else if (dir == Direction::FromLocal && content.size() > 1 && content[0] == u'색') {
    out.append(u"Color").append(content.substr(1));
  } else {
    out.append(content);
  }
  return out;
}

std::u16string translate(std::u16string_view code, Direction dir) {
  const std::u16string_view general_from = dir == Direction::ToLocal ? u"general" : u"g/표준";
  const std::u16string_view general_to = dir == Direction::ToLocal ? u"G/표준" : u"General";
  std::u16string out;
  size_t i = 0;
  while (i < code.size()) {
    char16_t c = code[i];
    if (c == u'"') {
      size_t end = code.find(u'"', i + 1);
      end = end == std::u16string_view::npos ? code.size() : end + 1;
      out.append(code.substr(i, end - i));
      i = end;
    } else if ((c == u'\\' || c == u'_' || c == u'*') && i + 1 < code.size()) {
      out.append(code.substr(i, 2));
      i += 2;
    } else if (c == u'[') {
      size_t end = code.find(u']', i + 1);
      if (end == std::u16string_view::npos) {
        out.append(code.substr(i));
        break;
      }
      out.push_back(u'[');
      out.append(translate_bracket(code.substr(i + 1, end - i - 1), dir));
      out.push_back(u']');
      i = end + 1;
    } else if (code.size() - i >= general_from.size() &&
               equals_ignore_case(code.substr(i, general_from.size()), general_from)) {
      out.append(general_to);
      i += general_from.size();
    } else {
      out.push_back(c);
      ++i;
    }
  }
  return out;
}

}  // namespace

std::u16string to_local_code(std::u16string_view code) { return translate(code, Direction::ToLocal); }
std::u16string from_local_code(std::u16string_view local) { return translate(local, Direction::FromLocal); }

}  // namespace tabrel::numfmt
