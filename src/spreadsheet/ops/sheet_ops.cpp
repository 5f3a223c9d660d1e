#include "spreadsheet/ops/sheet_ops.h"

#include <algorithm>

#include "spreadsheet/core/text.h"

namespace tabrel::ops {
namespace {

constexpr size_t kMaxSheetName = 31;

// The sheet-level names hold a 1-based sheet position: shift them past an insertion or removal.
void shift_name_scopes(model::Workbook& wb, size_t position, int delta) {
  for (auto& n : wb.names) {
    if (n.sheet_scope != 0 && n.sheet_scope > position) n.sheet_scope = static_cast<uint16_t>(n.sheet_scope + delta);
  }
}

// References to this workbook's sheets (EXTERNSHEET entries) hold 0-based sheet positions: they
// follow their sheets past an insertion or removal; one that named only the removed sheet then
// names none (#REF!).
void shift_sheet_references(model::Workbook& wb, size_t position, int delta) {
  const auto at = static_cast<int16_t>(position);
  for (model::ExternSheet& x : wb.externals.sheets) {
    if (x.book >= wb.externals.books.size() || wb.externals.books[x.book].kind != model::SupportingBook::Kind::Self)
      continue;
    if (x.first_sheet < 0 || x.last_sheet < 0) continue;  // workbook-level or already deleted
    if (delta < 0 && x.first_sheet == at && x.last_sheet == at) {
      x.first_sheet = x.last_sheet = -1;
      continue;
    }
    if (x.first_sheet > at || (delta > 0 && x.first_sheet == at)) x.first_sheet = static_cast<int16_t>(x.first_sheet + delta);
    if (x.last_sheet >= at) x.last_sheet = static_cast<int16_t>(x.last_sheet + delta);
  }
}

}  // namespace

SheetNameProblem check_sheet_name(const model::Workbook& wb, std::u16string_view name, const model::Sheet* self) {
  if (name.empty()) return SheetNameProblem::Empty;
  if (name.size() > kMaxSheetName) return SheetNameProblem::TooLong;
  if (name.find_first_of(u":\\/?*[]") != std::u16string_view::npos) return SheetNameProblem::BadCharacter;
  if (name.front() == u'\'' || name.back() == u'\'') return SheetNameProblem::BadCharacter;
  for (const auto& s : wb.sheets) {
    if (s.get() != self && equals_ignore_case(s->name, name)) return SheetNameProblem::Taken;
  }
  return SheetNameProblem::None;
}

std::u16string new_sheet_name(const model::Workbook& wb) {
  const auto worksheets = std::count_if(wb.sheets.begin(), wb.sheets.end(), [](const auto& s) {
    return s->kind == model::SheetKind::Worksheet;
  });
  for (long n = worksheets + 1;; ++n) {
    std::u16string name = u"Sheet" + from_utf8(std::to_string(n));
    if (!wb.sheet(name)) return name;
  }
}

model::Sheet& insert_worksheet(model::Workbook& wb, size_t position, std::u16string name) {
  position = std::min(position, wb.sheets.size());
  auto sheet = std::make_unique<model::Sheet>();
  sheet->name = std::move(name);
  model::Sheet& added = *sheet;
  wb.sheets.insert(wb.sheets.begin() + static_cast<long>(position), std::move(sheet));
  shift_name_scopes(wb, position, +1);
  shift_sheet_references(wb, position, +1);
  if (wb.view.active_sheet >= position && wb.sheets.size() > 1) ++wb.view.active_sheet;
  return added;
}

std::unique_ptr<model::Sheet> remove_sheet(model::Workbook& wb, size_t position) {
  if (position >= wb.sheets.size()) return nullptr;
  std::unique_ptr<model::Sheet> removed = std::move(wb.sheets[position]);
  wb.sheets.erase(wb.sheets.begin() + static_cast<long>(position));
  const auto scope = static_cast<uint16_t>(position + 1);
  std::erase_if(wb.names, [&](const model::DefinedName& n) { return n.sheet_scope == scope; });
  shift_name_scopes(wb, position, -1);
  shift_sheet_references(wb, position, -1);
  if (wb.view.active_sheet > position) --wb.view.active_sheet;
  if (!wb.sheets.empty() && wb.view.active_sheet >= wb.sheets.size())
    wb.view.active_sheet = static_cast<uint16_t>(wb.sheets.size() - 1);
  return removed;
}

}  // namespace tabrel::ops
