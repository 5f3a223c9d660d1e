#pragma once
// The four object variables of a grading request, the two spreadsheet applications and the
// worksheet under inspection in each, shared by the shell, the paper graders and the inspection
// procedures; and the few things done with them at the end of a request: close the active
// workbook unsaved, quit, read the answer sheet's name.

#include <memory>
#include <string>

namespace tabrel::xl {
class Application;
class Worksheet;
}  // namespace tabrel::xl

namespace tabrel::grading {

struct ExcelObjects {
  std::shared_ptr<xl::Application> AnswerExcel;
  std::shared_ptr<xl::Application> TargetExcel;
  std::shared_ptr<xl::Worksheet> AnswerSheet;
  std::shared_ptr<xl::Worksheet> TargetSheet;
};

// Each raises AutomationError as the automation layer does; an empty variable raises
// "object variable not set" (91).
void CloseActiveWorkbookUnsaved(const std::shared_ptr<xl::Application>& app);
void QuitApplication(const std::shared_ptr<xl::Application>& app);
void QuitApplicationOfApplication(const std::shared_ptr<xl::Application>& app);
std::u16string WorksheetName(const std::shared_ptr<xl::Worksheet>& sheet);

}  // namespace tabrel::grading
