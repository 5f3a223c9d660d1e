#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/chart_objects.h"
#include "spreadsheet/automation/chart_sheets.h"

#include "spreadsheet/automation/command_bars.h"
#include "spreadsheet/automation/errors.h"
#include "spreadsheet/automation/names.h"
#include "spreadsheet/automation/range.h"
#include "spreadsheet/automation/range_address.h"
#include "spreadsheet/automation/sheet_handle.h"
#include "spreadsheet/automation/selection.h"
#include "spreadsheet/automation/session.h"
#include "spreadsheet/automation/shapes.h"
#include "spreadsheet/automation/sheets.h"
#include "spreadsheet/automation/vbe.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/automation/worksheet.h"

namespace tabrel::xl {

Application::Application() : session_(std::make_unique<Session>()) {}
Application::~Application() = default;

std::shared_ptr<Application> Application::New() { return std::shared_ptr<Application>(new Application()); }

Session& Application::session() {
  if (session_->quit) raise(Fault::ServerGone);
  return *session_;
}

const Session& Application::session() const {
  if (session_->quit) raise(Fault::ServerGone);
  return *session_;
}

std::shared_ptr<Application> Application::GetApplication() {
  session();
  return shared_from_this();
}

std::shared_ptr<xl::Workbooks> Application::Workbooks() {
  session();
  return std::make_shared<xl::Workbooks>(shared_from_this());
}

std::shared_ptr<xl::Workbook> Application::ActiveWorkbook() {
  const auto& active = session().active;
  if (!active) return nullptr;
  return std::make_shared<xl::Workbook>(shared_from_this(), active);
}

std::shared_ptr<Worksheet> Application::ActiveSheet() {
  const auto& active = session().active;
  if (!active) return nullptr;
  model::Sheet* sheet = active_sheet(*active->model);
  if (!sheet) return nullptr;
  return std::make_shared<Worksheet>(SheetHandle{shared_from_this(), active, sheet});
}

std::shared_ptr<xl::Range> Application::ActiveCell() {
  auto sheet = ActiveSheet();
  if (!sheet || sheet->handle().get().kind != model::SheetKind::Worksheet) return nullptr;
  const model::CellRef cell = active_cell(sheet->handle().get());
  return std::make_shared<xl::Range>(sheet->handle(), model::RangeRef{cell, cell});
}

std::shared_ptr<xl::Chart> Application::ActiveChart() { return active_chart(shared_from_this()); }

std::shared_ptr<Dispatch> Application::Selection() {
  auto sheet = ActiveSheet();
  if (!sheet) return nullptr;
  const SheetHandle& handle = sheet->handle();
  if (handle.book->shape_sheet == &handle.get() && handle.book->shape_index < handle.get().drawings.size())
    return std::make_shared<Shape>(handle, handle.book->shape_index);
  if (handle.get().kind != model::SheetKind::Worksheet) return nullptr;
  return std::make_shared<xl::Range>(sheet->handle(), selected_range(sheet->handle().get()));
}

namespace {

std::shared_ptr<Worksheet> require_sheet(std::shared_ptr<Worksheet> sheet) {
  if (!sheet) raise(Fault::MethodFailed);
  return sheet;
}

}  // namespace

std::shared_ptr<xl::Sheets> Application::Sheets() {
  auto book = ActiveWorkbook();
  if (!book) raise(Fault::MethodFailed);
  return book->Sheets();
}

std::shared_ptr<Worksheet> Application::Sheets(const Variant& index) { return Sheets()->Item(index); }

std::shared_ptr<xl::Charts> Application::Charts() {
  auto book = ActiveWorkbook();
  if (!book) raise(Fault::MethodFailed);
  return book->Charts();
}

std::shared_ptr<xl::Sheets> Application::Worksheets() {
  auto book = ActiveWorkbook();
  if (!book) raise(Fault::MethodFailed);
  return book->Worksheets();
}

std::shared_ptr<Worksheet> Application::Worksheets(const Variant& index) { return Worksheets()->Item(index); }

std::shared_ptr<xl::Range> Application::Range(const Variant& cell1, const Variant& cell2) {
  auto sheet = require_sheet(ActiveSheet());
  // A defined name of the active workbook names its cells on whichever sheet they are.
  if (cell1.is_string() && cell2.is_empty() && !parse_range_address(cell1.str())) {
    const SheetHandle& h = sheet->handle();
    if (auto named = named_range(h.app, h.book, h.get(), cell1.str())) return named;
  }
  return sheet->Range(cell1, cell2);
}

void Application::Goto(const Variant& reference) {
  std::shared_ptr<xl::Range> target;
  if (reference.is_object()) {
    target = std::dynamic_pointer_cast<xl::Range>(reference.object());
  } else if (reference.is_string()) {
    const std::u16string& text = reference.str();
    auto sheet = require_sheet(ActiveSheet());
    const SheetHandle& h = sheet->handle();
    target = named_range(h.app, h.book, h.get(), text);
    if (!target) {
      const size_t bang = text.rfind(u'!');
      if (bang != std::u16string::npos) {
        std::u16string title = text.substr(0, bang);
        if (title.size() >= 2 && title.front() == u'\'' && title.back() == u'\'') title = title.substr(1, title.size() - 2);
        for (size_t i = title.find(u"''"); i != std::u16string::npos; i = title.find(u"''", i + 1)) title.erase(i, 1);
        const model::Workbook& wb = h.workbook();
        const model::Sheet* named = wb.sheet(title);
        if (!named || named->kind != model::SheetKind::Worksheet) raise(Fault::MethodFailed);
        sheet = Worksheets(Variant(title));
      }
      const auto area = parse_r1c1_address(bang == std::u16string::npos ? text : text.substr(bang + 1));
      if (!area) raise(Fault::MethodFailed);
      target = std::make_shared<xl::Range>(sheet->handle(), *area);
    }
  }
  if (!target) raise(Fault::MethodFailed);
  target->Worksheet()->Activate();
  target->Select();
}

std::shared_ptr<xl::Range> Application::Cells() { return require_sheet(ActiveSheet())->Cells(); }

std::shared_ptr<xl::Range> Application::Cells(const Variant& row, const Variant& column) {
  return require_sheet(ActiveSheet())->Cells(row, column);
}

namespace {

Application::MacroRunner& macro_runner() {
  static Application::MacroRunner runner;
  return runner;
}

}  // namespace

void Application::SetMacroRunner(MacroRunner runner) { macro_runner() = std::move(runner); }

void Application::Run(const std::u16string& macro) {
  session();
  if (!macro_runner()) raise_macro_not_found(macro);
  macro_runner()(*this, macro);
}

std::shared_ptr<xl::VBE> Application::VBE() {
  session();
  return std::make_shared<xl::VBE>(shared_from_this());
}

void Application::SetCutCopyMode(const Variant& mode) {
  const auto& active = session().active;
  if (active && !mode.to_bool()) active->clipboard.reset();
}

bool Application::DisplayAlerts() const { return session().display_alerts; }
void Application::SetDisplayAlerts(bool value) { session().display_alerts = value; }

void Application::Quit() {
  if (session_->quit) return;
  for (auto& book : session_->books) book->open = false;
  session_->books.clear();
  session_->active.reset();
  session_->quit = true;
}

std::shared_ptr<xl::CommandBars> Application::CommandBars() {
  session();
  return std::make_shared<xl::CommandBars>();
}

}  // namespace tabrel::xl
