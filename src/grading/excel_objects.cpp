#include "grading/excel_objects.h"

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::grading {

void CloseActiveWorkbookUnsaved(const std::shared_ptr<xl::Application>& app) {
  deref(deref(app).ActiveWorkbook()).Close(Variant(false));
}

void QuitApplication(const std::shared_ptr<xl::Application>& app) { deref(app).Quit(); }

void QuitApplicationOfApplication(const std::shared_ptr<xl::Application>& app) {
  deref(deref(app).GetApplication()).Quit();
}

std::u16string WorksheetName(const std::shared_ptr<xl::Worksheet>& sheet) { return deref(sheet).Name(); }

}  // namespace tabrel::grading
