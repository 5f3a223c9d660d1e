#include "format_json.h"

#include <map>

#include "spreadsheet/core/text.h"

namespace tabrel::dump {

namespace {

using json::Array;
using json::Object;
using json::Value;

const std::map<uint16_t, std::string>& builtin_formats() {
  static const std::map<uint16_t, std::string> table{
      {0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"},
      {5, "\"$\"#,##0_);(\"$\"#,##0)"}, {6, "\"$\"#,##0_);[Red](\"$\"#,##0)"},
      {7, "\"$\"#,##0.00_);(\"$\"#,##0.00)"}, {8, "\"$\"#,##0.00_);[Red](\"$\"#,##0.00)"},
      {9, "0%"}, {10, "0.00%"}, {11, "0.00E+00"}, {12, "# ?/?"}, {13, "# ?\?/?\?"},
      {14, "m/d/yy"}, {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"}, {18, "h:mm AM/PM"},
      {19, "h:mm:ss AM/PM"}, {20, "h:mm"}, {21, "h:mm:ss"}, {22, "m/d/yy h:mm"},
      {37, "#,##0_);(#,##0)"}, {38, "#,##0_);[Red](#,##0)"}, {39, "#,##0.00_);(#,##0.00)"},
      {40, "#,##0.00_);[Red](#,##0.00)"},
      {41, "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
      {42, "_(\"$\"* #,##0_);_(\"$\"* (#,##0);_(\"$\"* \"-\"_);_(@_)"},
      {43, "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"},
      {44, "_(\"$\"* #,##0.00_);_(\"$\"* (#,##0.00);_(\"$\"* \"-\"??_);_(@_)"},
      {45, "mm:ss"}, {46, "[h]:mm:ss"}, {47, "mm:ss.0"}, {48, "##0.0E+0"}, {49, "@"}};
  return table;
}

Value font_json(const model::Font& f) {
  Object o;
  o["name"] = to_utf8(f.name);
  o["height"] = f.height;
  o["bold"] = f.weight >= 700;
  o["italic"] = f.italic;
  o["underline"] = f.underline;
  o["color"] = f.color;
  o["struck_out"] = f.strikeout;
  return o;
}

Value line(const model::BorderLine& b) {
  Array a;
  a.emplace_back(static_cast<int>(b.style));
  a.emplace_back(b.color);
  return a;
}

Value format_json(const model::Styles& styles, uint16_t id) {
  if (const auto* code = styles.custom_format(id)) return to_utf8(*code);
  const std::string builtin = builtin_format_code(id);
  return builtin.empty() ? Value() : Value(builtin);
}

}  // namespace

json::Value xf_json(const model::Styles& styles, uint16_t index) {
  if (index >= styles.xfs.size()) return Value();
  const model::Xf& x = styles.xfs[index];
  const model::Font* font = styles.font(x.font);
  Object fill;
  fill["pattern"] = x.pattern;
  fill["fg"] = x.pattern_color;
  fill["bg"] = x.background_color;
  Array diag = line(x.diagonal).as_array();
  diag.emplace_back(x.diagonal_down ? 1 : 0);
  diag.emplace_back(x.diagonal_up ? 1 : 0);
  Object border;
  border["left"] = line(x.left);
  border["right"] = line(x.right);
  border["top"] = line(x.top);
  border["bottom"] = line(x.bottom);
  border["diag"] = std::move(diag);
  Object o;
  o["font"] = font ? font_json(*font) : Value();
  o["format"] = format_json(styles, x.format);
  o["halign"] = x.horizontal;
  o["valign"] = x.vertical;
  o["wrap"] = x.wrap ? 1 : 0;
  o["rotation"] = x.rotation;
  o["indent"] = x.indent;
  o["fill"] = std::move(fill);
  o["border"] = std::move(border);
  o["locked"] = x.locked ? 1 : 0;
  return o;
}

std::string builtin_format_code(uint16_t id) {
  const auto& t = builtin_formats();
  auto it = t.find(id);
  return it == t.end() ? std::string() : it->second;
}

}  // namespace tabrel::dump
