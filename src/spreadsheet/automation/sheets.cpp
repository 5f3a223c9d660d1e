#include "spreadsheet/automation/sheets.h"

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/ops/sheet_ops.h"

namespace tabrel::xl {
namespace {

bool counted(const model::Sheet& s, bool worksheets_only) {
  return !worksheets_only || s.kind == model::SheetKind::Worksheet;
}

// The position in the workbook of a sheet given as a Worksheet object.
size_t position_of(const Variant& sheet, const std::shared_ptr<Book>& book) {
  auto ws = sheet.is_object() ? std::dynamic_pointer_cast<Worksheet>(sheet.object()) : nullptr;
  if (!ws || ws->handle().book != book) raise(Fault::TypeMismatch);
  return static_cast<size_t>(ws->handle().index());
}

}  // namespace

Sheets::Sheets(std::shared_ptr<Application> app, std::shared_ptr<Book> book, bool worksheets_only)
    : app_(std::move(app)), book_(std::move(book)), worksheets_only_(worksheets_only) {}

int Sheets::Count() const {
  int n = 0;
  for (const auto& s : open_workbook(*app_, *book_).sheets) n += counted(*s, worksheets_only_) ? 1 : 0;
  return n;
}

std::shared_ptr<Worksheet> Sheets::Item(const Variant& index) const {
  model::Workbook& wb = open_workbook(*app_, *book_);
  const ItemKey key = item_key(index);
  int position = 0;
  for (const auto& s : wb.sheets) {
    if (!counted(*s, worksheets_only_)) continue;
    ++position;
    const bool match = key.number ? position == *key.number : equals_ignore_case(s->name, key.name);
    if (match) return std::make_shared<Worksheet>(SheetHandle{app_, book_, s.get()});
  }
  raise(Fault::SubscriptOutOfRange);
}

std::shared_ptr<Worksheet> Sheets::Add(const Variant& before, const Variant& after, const Variant& count) {
  model::Workbook& wb = open_workbook(*app_, *book_);
  size_t position = wb.view.active_sheet;
  if (!omitted(before)) position = position_of(before, book_);
  else if (!omitted(after)) position = position_of(after, book_) + 1;
  const int how_many = omitted(count) ? 1 : count.to_long();
  if (how_many < 1) raise(Fault::MethodFailed);
  model::Sheet* added = nullptr;
  for (int i = 0; i < how_many; ++i) added = &ops::insert_worksheet(wb, position, ops::new_sheet_name(wb));
  forget_calculation(*book_);
  make_active(wb, *added);
  return std::make_shared<Worksheet>(SheetHandle{app_, book_, added});
}

}  // namespace tabrel::xl
