// Range.Replace: a text replaced in the cells' formula texts, each changed cell entered again
// as if typed.

#include <vector>

#include "spreadsheet/automation/engine_text.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/core/text.h"

namespace tabrel::xl {
namespace {

// `text` with every occurrence of `what` replaced (letter case ignored unless `match_case`);
// with `whole`, only a text that is `what` entirely.
std::u16string replaced(const std::u16string& text, const std::u16string& what, const std::u16string& by, bool whole,
                        bool match_case) {
  const std::u16string hay = match_case ? text : lower(text);
  const std::u16string needle = match_case ? what : lower(what);
  if (whole) return hay == needle ? by : text;
  std::u16string out;
  size_t from = 0;
  for (size_t at = hay.find(needle); at != std::u16string::npos; at = hay.find(needle, from)) {
    out += text.substr(from, at - from) + by;
    from = at + needle.size();
  }
  return out + text.substr(from);
}

}  // namespace

bool Range::Replace(const std::u16string& what, const std::u16string& replacement, bool whole, bool match_case) {
  const model::Sheet& sheet = sheet_.get();
  if (what.empty()) return true;
  // One cell stands for the whole sheet, as in the spreadsheet's replace dialog.
  const model::RangeRef area =
      area_.cell_count() == 1 ? model::RangeRef{{0, 0}, {model::kMaxRows - 1, model::kMaxColumns - 1}} : area_;
  std::vector<model::CellRef> cells;
  for (const auto& [key, cell] : sheet.cells) {
    const model::CellRef at = model::CellStore::position(key);
    if (area.contains(at) && (!cell.value.is_blank() || cell.has_formula())) cells.push_back(at);
  }
  for (const model::CellRef at : cells) {
    const std::u16string text = cell_formula(sheet_.workbook(), sheet, at, Notation::A1);
    const std::u16string changed = replaced(text, what, replacement, whole, match_case);
    if (changed != text) sub({at, at})->SetFormula(Variant(changed));
  }
  return true;
}

}  // namespace tabrel::xl
