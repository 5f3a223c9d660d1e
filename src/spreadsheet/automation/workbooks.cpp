#include "spreadsheet/automation/workbooks.h"

#include <optional>

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/arguments.h"
#include "spreadsheet/automation/calculation.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/xls/reader.h"

namespace tabrel::xl {

Workbooks::Workbooks(std::shared_ptr<Application> app) : app_(std::move(app)) {}

int Workbooks::Count() const { return static_cast<int>(app_->session().books.size()); }

std::shared_ptr<Workbook> Workbooks::Item(const Variant& index) const {
  const auto& books = app_->session().books;
  const ItemKey key = item_key(index);
  if (key.number) {
    if (*key.number < 1 || static_cast<size_t>(*key.number) > books.size()) raise(Fault::SubscriptOutOfRange);
    return std::make_shared<Workbook>(app_, books[static_cast<size_t>(*key.number - 1)]);
  }
  for (const auto& book : books) {
    if (equals_ignore_case(book->name, key.name)) return std::make_shared<Workbook>(app_, book);
  }
  raise(Fault::SubscriptOutOfRange);
}

namespace {

constexpr uint16_t kRecalcIdRecord = 0x01C1;
// The calculation-engine id of the spreadsheet version the grader stands in for; a file whose
// results an older engine (or another program) cached is recalculated when opened.
constexpr uint32_t kOwnCalculationEngine = 114210;

bool calculated_by_current_engine(const model::Workbook& workbook) {
  for (const model::RawRecord& r : workbook.other_records) {
    if (r.id != kRecalcIdRecord || r.payload.size() < 8) continue;
    const uint32_t engine = r.payload[4] | (r.payload[5] << 8) | (r.payload[6] << 16) |
                            (static_cast<uint32_t>(r.payload[7]) << 24);
    return engine >= kOwnCalculationEngine;
  }
  return false;
}

}  // namespace

std::shared_ptr<Workbook> Workbooks::Open(const std::u16string& filename, const Variant& read_only,
                                          const Variant& password) {
  app_->session();
  std::optional<std::u16string> key;
  if (!omitted(password)) key = password.to_string();
  std::unique_ptr<model::Workbook> workbook;
  try {
    workbook = xls::read_workbook_file(std::filesystem::path(filename), key);
  } catch (const xls::OpenError& e) {
    raise_failed(e.message);
  }
  if (!workbook) raise(Fault::MethodFailed);
  const bool current = calculated_by_current_engine(*workbook);
  auto opened = Adopt(std::move(workbook), std::filesystem::path(filename).filename().u16string());
  opened->book()->full_name = filename;
  opened->book()->read_only = !omitted(read_only) && read_only.to_bool();
  // Like the spreadsheet, recalculate what an older engine or another program cached: some
  // programs store 0 as the result of a formula that gives text.
  if (!current) calculate_full(*opened->book());
  return opened;
}

std::shared_ptr<Workbook> Workbooks::Adopt(std::unique_ptr<model::Workbook> workbook, std::u16string name) {
  Session& session = app_->session();
  auto book = std::make_shared<Book>();
  book->model = std::move(workbook);
  book->full_name = name;
  book->name = std::move(name);
  settle_active_sheet(*book->model);
  session.books.push_back(book);
  session.active = book;
  return std::make_shared<Workbook>(app_, book);
}

}  // namespace tabrel::xl
