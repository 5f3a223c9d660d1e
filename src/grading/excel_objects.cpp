#include "grading/excel_objects.h"

#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbook.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"

namespace tabrel::grading {

namespace {
constexpr int32_t kObjectVariableNotSet = 91;

template <class T>
T& require(const std::shared_ptr<T>& object) {
  if (!object) throw AutomationError(kObjectVariableNotSet, u"개체 변수 또는 With 블록 변수가 설정되어 있지 않습니다.");
  return *object;
}
}  // namespace

void CloseActiveWorkbookUnsaved(const std::shared_ptr<xl::Application>& app) {
  require(require(app).ActiveWorkbook()).Close(Variant(false));
}

void QuitApplication(const std::shared_ptr<xl::Application>& app) { require(app).Quit(); }

void QuitApplicationOfApplication(const std::shared_ptr<xl::Application>& app) {
  require(require(app).GetApplication()).Quit();
}

std::u16string WorksheetName(const std::shared_ptr<xl::Worksheet>& sheet) { return require(sheet).Name(); }

}  // namespace tabrel::grading
