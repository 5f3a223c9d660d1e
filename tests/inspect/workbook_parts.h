#pragma once
// Parts of a test workbook the automation layer cannot add: conditional formats, defined names
// and comments, put into the model before the workbook is opened.

#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/model/workbook.h"

namespace tabrel::inspect::testing {

inline constexpr int kBetween = 1;
inline constexpr int kGreater = 5;

// A rule of a conditional format; its formulas are A1 text seen from the format's first cell.
struct Rule {
  int type = 1;
  int op = kGreater;
  const char16_t* formula1 = u"80";
  const char16_t* formula2 = nullptr;
  std::optional<bool> bold;
  std::optional<uint16_t> color;  // palette index
};

Rule value_rule(int op, const char16_t* formula1, const char16_t* formula2 = nullptr);
Rule formula_rule(const char16_t* formula1);
Rule with_bold(Rule r, bool bold);

// A conditional format over `first`:`last` of the first sheet.
void add_format(model::Workbook& wb, const char16_t* first, const char16_t* last, const std::vector<Rule>& rules);

// A workbook-level name referring to `refers_to` (A1 text such as "Sheet1!$B$3").
model::DefinedName defined_name(model::Workbook& wb, const char16_t* name, const char16_t* refers_to);

// A comment on G1 of the first sheet, in a box of the given drawing-layer shape type.
void add_comment(model::Workbook& wb, const char16_t* text, bool visible = false, uint16_t shape_type = 202);

}  // namespace tabrel::inspect::testing
