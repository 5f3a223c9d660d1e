#include "spreadsheet/automation/pivot_caches.h"

#include <string>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/pivot_arrangement.h"
#include "spreadsheet/automation/pivot_tables.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/pivot/pivot_source.h"
#include "spreadsheet/pivot/pivot_view.h"

namespace tabrel::xl {
namespace {

constexpr int kDatabase = 1;  // xlDatabase: a range of a worksheet

struct SheetArea {
  SheetHandle sheet;
  model::RangeRef area;
};

// "R3C1" or "R3C1:R15C5" (absolute, letter case ignored).
std::optional<model::RangeRef> parse_r1c1(std::u16string_view text) {
  auto corner = [](std::u16string_view part) -> std::optional<model::CellRef> {
    if (part.size() < 4 || (part[0] != u'R' && part[0] != u'r')) return std::nullopt;
    size_t i = 1;
    auto number = [&]() -> std::optional<int> {
      long n = 0;
      const size_t begin = i;
      while (i < part.size() && part[i] >= u'0' && part[i] <= u'9' && n < 10'000'000) n = n * 10 + (part[i++] - u'0');
      if (i == begin || n < 1) return std::nullopt;
      return static_cast<int>(n);
    };
    const auto row = number();
    if (!row || i >= part.size() || (part[i] != u'C' && part[i] != u'c')) return std::nullopt;
    ++i;
    const auto col = number();
    if (!col || i != part.size() || *row > model::kMaxRows || *col > model::kMaxColumns) return std::nullopt;
    return model::CellRef{*row - 1, *col - 1};
  };
  const size_t colon = text.find(u':');
  const auto first = corner(text.substr(0, colon));
  const auto last = colon == std::u16string_view::npos ? first : corner(text.substr(colon + 1));
  if (!first || !last) return std::nullopt;
  return model::RangeRef{{std::min(first->row, last->row), std::min(first->col, last->col)},
                         {std::max(first->row, last->row), std::max(first->col, last->col)}};
}

// A Range, or a reference text with or without its sheet ('시트 1'!R1C1:R9C4, 시트1!A1:D9);
// without a sheet, the workbook's active sheet. 1004 for a text that is no reference.
SheetArea area_of(Workbook& book, const Variant& where) {
  if (where.is_object()) {
    const auto range = std::dynamic_pointer_cast<Range>(where.object());
    if (!range) raise(Fault::TypeMismatch);
    return {range->sheet(), range->area()};
  }
  const std::u16string text = where.to_string();
  const size_t bang = text.rfind(u'!');
  std::u16string sheet_name;
  std::u16string_view address(text);
  if (bang != std::u16string::npos) {
    sheet_name = text.substr(0, bang);
    address = std::u16string_view(text).substr(bang + 1);
    if (sheet_name.size() >= 2 && sheet_name.front() == u'\'' && sheet_name.back() == u'\'') {
      std::u16string unquoted;
      for (size_t i = 1; i + 1 < sheet_name.size(); ++i) {
        unquoted += sheet_name[i];
        if (sheet_name[i] == u'\'' && i + 2 < sheet_name.size() && sheet_name[i + 1] == u'\'') ++i;
      }
      sheet_name = unquoted;
    }
  }
  auto area = parse_r1c1(address);
  if (!area) area = parse_range_address(address);
  if (!area) raise(Fault::MethodFailed);
  const auto sheet = sheet_name.empty() ? book.ActiveSheet() : book.Worksheets(Variant(sheet_name));
  return {sheet->handle(), *area};
}

bool name_in_use(const SheetHandle& sheet, const std::u16string& name) {
  for (size_t record : pivot::view_records(sheet.get())) {
    try {
      if (upper(pivot::read_view(sheet.get(), record).name) == upper(name)) return true;
    } catch (const pivot::PivotError&) {
    }
  }
  return false;
}

// "피벗 테이블N" with the first N the sheet does not use.
std::u16string next_table_name(const SheetHandle& sheet) {
  for (int n = 1;; ++n) {
    std::u16string name = u"피벗 테이블" + from_utf8(std::to_string(n));
    if (!name_in_use(sheet, name)) return name;
  }
}

std::shared_ptr<PivotTable> place_new_table(const SheetHandle& source_sheet, const model::RangeRef& source,
                                            const SheetHandle& sheet, model::CellRef anchor, const Variant& name) {
  PivotArrangement arrangement;
  arrangement.anchor = anchor;
  arrangement.spec.name = omitted(name) || name.to_string().empty() ? next_table_name(sheet) : name.to_string();
  if (name_in_use(sheet, arrangement.spec.name)) raise(Fault::MethodFailed);
  pivot::PivotCache cache;
  try {
    cache = pivot::cache_from_range(source_sheet.get(), source);
  } catch (const pivot::PivotError&) {
    raise(Fault::MethodFailed);
  }
  const uint16_t index = pivot::add_cache(sheet.workbook(), cache, source_sheet.get().name, source);
  return std::make_shared<PivotTable>(sheet, place_table(sheet, index, cache, arrangement));
}

}  // namespace

PivotCaches::PivotCaches(std::shared_ptr<Workbook> book) : book_(std::move(book)) {}

std::shared_ptr<PivotCache> PivotCaches::Create(const Variant& source_type, const Variant& source_data) {
  if (!omitted(source_type) && source_type.to_long() != kDatabase) raise(Fault::MethodFailed);
  if (omitted(source_data)) raise(Fault::MethodFailed);
  const SheetArea source = area_of(*book_, source_data);
  return std::make_shared<PivotCache>(book_, source.sheet, source.area);
}

PivotCache::PivotCache(std::shared_ptr<Workbook> book, SheetHandle source_sheet, model::RangeRef source)
    : book_(std::move(book)), source_sheet_(std::move(source_sheet)), source_(source) {}

std::shared_ptr<PivotTable> PivotCache::CreatePivotTable(const Variant& destination, const Variant& name) {
  if (destination.is_string() && destination.str().empty()) {
    const auto sheet = book_->Worksheets()->Add();
    return place_new_table(source_sheet_, source_, sheet->handle(), {2, 0}, name);
  }
  if (omitted(destination)) raise(Fault::MethodFailed);
  const SheetArea at = area_of(*book_, destination);
  return place_new_table(source_sheet_, source_, at.sheet, at.area.first, name);
}

std::shared_ptr<PivotTable> pivot_table_wizard(Worksheet& sheet, const Variant& source_type, const Variant& source_data,
                                               const Variant& destination, const Variant& name) {
  const auto book = sheet.Parent();
  const SheetArea at = omitted(destination) ? SheetArea{sheet.handle(), sheet.Application()->ActiveCell()->area()}
                                            : area_of(*book, destination);
  if (!omitted(source_data)) {
    const auto cache = PivotCaches(book).Create(source_type, source_data);
    return cache->CreatePivotTable(Variant(std::static_pointer_cast<Dispatch>(std::make_shared<Range>(at.sheet, at.area))), name);
  }
  const auto records = pivot::view_records(sheet.handle().get());
  if (records.empty() || !(at.sheet == sheet.handle())) raise(Fault::MethodFailed);
  rearrange(sheet.handle(), records.front(), [&](PivotArrangement& a) { a.anchor = at.area.first; });
  return std::make_shared<PivotTable>(sheet.handle(), records.front());
}

}  // namespace tabrel::xl
