#include "spreadsheet/xls/read_links.h"

#include <string>

#include "spreadsheet/formula/formula_error.h"
#include "spreadsheet/formula/print.h"

namespace tabrel::xls {

namespace {

constexpr uint8_t kFilterDatabase = 0x0D;

// The area of a name defined as one PtgArea3d (any operand class).
std::optional<model::RangeRef> area_3d(const std::vector<uint8_t>& t) {
  if (t.size() < 11 || (t[0] & 0x9F) != 0x1B) return std::nullopt;
  auto u16 = [&](size_t at) { return static_cast<int>(t[at] | (t[at + 1] << 8)); };
  model::RangeRef r{{u16(3), u16(7) & 0xFF}, {u16(5), u16(9) & 0xFF}};
  if (r.last.row < r.first.row || r.last.col < r.first.col) return std::nullopt;
  return r;
}

void link_filter_ranges(model::Workbook& book) {
  for (const auto& name : book.names) {
    if (!name.builtin || name.builtin_code != kFilterDatabase || name.sheet_scope == 0) continue;
    if (name.sheet_scope > book.sheets.size()) continue;
    auto& sheet = *book.sheets[name.sheet_scope - 1];
    const auto range = area_3d(name.tokens);
    if (sheet.autofilter && range) sheet.autofilter->range = *range;
  }
}

// A reference that names nothing prints as an error value in place of the macro's name.
bool names_a_macro(std::u16string_view text) {
  const size_t bang = text.rfind(u'!');
  const std::u16string_view macro = bang == std::u16string_view::npos ? text : text.substr(bang + 1);
  return !macro.empty() && macro != u"#NAME?" && macro != u"#REF!";
}

void link_macros(model::Workbook& book) {
  for (auto& sheet : book.sheets) {
    for (auto& obj : sheet->drawings) {
      if (obj.macro_tokens.empty()) continue;
      try {
        const auto text = formula::print(book, {}, obj.macro_tokens, {}, formula::Notation::A1);
        obj.macro = text.starts_with(u"=") ? text.substr(1) : text;
        if (!names_a_macro(obj.macro)) {
          obj.macro.clear();
          sheet->problems.push_back("object " + std::to_string(obj.object_id) +
                                    ": the assigned macro's formula names no macro; the object has no macro");
        }
      } catch (const formula::FormulaError& e) {
        obj.macro.clear();  // a damaged reference names no macro
        sheet->problems.push_back("object " + std::to_string(obj.object_id) + ": the assigned macro cannot be read (" +
                                  e.what() + "); the object has no macro");
      }
    }
  }
}

}  // namespace

void link_workbook_parts(model::Workbook& book) {
  link_filter_ranges(book);
  link_macros(book);
}

}  // namespace tabrel::xls
