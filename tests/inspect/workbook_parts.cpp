#include "inspect/workbook_parts.h"

#include "spreadsheet/formula/encode.h"
#include "spreadsheet/formula/parse.h"

namespace tabrel::inspect::testing {

namespace {

std::vector<uint8_t> tokens(model::Workbook& wb, const char16_t* text, model::CellRef base, formula::EncodeForm form) {
  return formula::encode(formula::parse(text, wb, base, formula::Notation::A1), base, form).tokens;
}

}  // namespace

Rule value_rule(int op, const char16_t* formula1, const char16_t* formula2) {
  Rule r;
  r.op = op;
  r.formula1 = formula1;
  r.formula2 = formula2;
  return r;
}

Rule formula_rule(const char16_t* formula1) {
  Rule r;
  r.type = 2;
  r.formula1 = formula1;
  return r;
}

Rule with_bold(Rule r, bool bold) {
  r.bold = bold;
  return r;
}

void add_format(model::Workbook& wb, const char16_t* first, const char16_t* last, const std::vector<Rule>& rules) {
  model::CondFormat cf;
  const model::RangeRef range{*model::parse_a1(first), *model::parse_a1(last)};
  cf.ranges = {range};
  for (const Rule& r : rules) {
    model::CondRule rule;
    rule.type = static_cast<uint8_t>(r.type);
    rule.op = r.type == 1 ? static_cast<uint8_t>(r.op) : 0;
    rule.formula1 = tokens(wb, r.formula1, range.first, formula::EncodeForm::Relative);
    if (r.formula2) rule.formula2 = tokens(wb, r.formula2, range.first, formula::EncodeForm::Relative);
    if (r.bold || r.color) {
      rule.font.emplace();
      rule.font->bold = r.bold;
      rule.font->color = r.color;
    }
    cf.rules.push_back(rule);
  }
  wb.sheets[0]->conditional_formats.push_back(cf);
}

model::DefinedName defined_name(model::Workbook& wb, const char16_t* name, const char16_t* refers_to) {
  model::DefinedName n;
  n.name = name;
  n.tokens = tokens(wb, refers_to, {}, formula::EncodeForm::Name);
  return n;
}

void add_comment(model::Workbook& wb, const char16_t* text, bool visible, uint16_t shape_type) {
  model::Sheet& sheet = *wb.sheets[0];
  model::DrawingObject box;
  box.object_type = 25;
  box.autoshape_type = shape_type;
  sheet.drawings.push_back(box);
  model::Comment note;
  note.cell = {0, 6};
  note.author = u"홍길동";
  note.text.text = text;
  note.visible = visible;
  note.drawing_index = static_cast<int>(sheet.drawings.size() - 1);
  sheet.comments.push_back(note);
}

}  // namespace tabrel::inspect::testing
