#include "inspect/macro_runs.h"

#include <string>

#include "inspect/answer_layout.h"
#include "inspect/macro_code.h"
#include "runtime/error_resume.h"
#include "spreadsheet/automation/sheets.h"

namespace tabrel::inspect {

namespace {

std::shared_ptr<xl::Range> range_of(const std::shared_ptr<xl::Worksheet>& sheet, std::u16string_view startCell,
                                    std::u16string_view endCell) {
  std::u16string address(startCell);
  address += u':';
  address += endCell;
  return required(deref(sheet).Range(Variant(std::move(address))));
}

// Selects the instance's sheet at the position of `sheet`, then runs the macro there.
void run_on_sheet(const std::shared_ptr<xl::Application>& app, const std::shared_ptr<xl::Worksheet>& sheet,
                  std::u16string_view macroName) {
  required(deref(app).Sheets(Variant(deref(sheet).Index())))->Select();
  app->Run(std::u16string(macroName));
}

}  // namespace

bool RunWorkbookMacro(ExcelObjects& objects, std::u16string_view macroName, int16_t which) {
  if (which == 1) return rt::step([&] { run_on_sheet(objects.AnswerExcel, objects.AnswerSheet, macroName); });
  if (RemoveWorkbookRefsFromMacros(objects, macroName, u".xls]")) return false;
  return rt::step([&] { run_on_sheet(objects.TargetExcel, objects.TargetSheet, macroName); });
}

void ClearRangeContents(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell,
                        int16_t which) {
  const auto& sheet = which == 1 ? objects.AnswerSheet : objects.TargetSheet;
  rt::step([&] { range_of(sheet, startCell, endCell)->ClearContents(); });
}

void ResetRangeForMacro(ExcelObjects& objects, std::u16string_view startCell, std::u16string_view endCell) {
  rt::step([&] { deref(deref(objects.TargetSheet).Cells()).Activate(); });
  CopyAnswerColumnWidths(objects);
  rt::step([&] { range_of(objects.AnswerSheet, startCell, endCell)->ClearFormats(); });
  rt::step([&] { range_of(objects.TargetSheet, startCell, endCell)->ClearFormats(); });
  rt::step([&] { range_of(objects.TargetSheet, startCell, endCell)->ClearOutline(); });
}

}  // namespace tabrel::inspect
