#include "shell/core/excel_objects.h"

#include "spreadsheet/core/automation_error.h"

// The automation layer's Application and Worksheet are only declared here until that module
// is linked; then these calls go to Workbook.Close, Application.Quit and Worksheet.Name.

namespace tabrel::shell {

namespace {
constexpr int32_t kObjectVariableNotSet = 91;

template <class T>
const T& require(const std::shared_ptr<T>& object) {
  if (!object) throw AutomationError(kObjectVariableNotSet, u"개체 변수 또는 With 블록 변수가 설정되어 있지 않습니다.");
  return *object;
}

[[noreturn]] void not_linked() {
  throw AutomationError(err::kNoSuchMember, u"개체가 이 속성 또는 메서드를 지원하지 않습니다.");
}
}  // namespace

void CloseActiveWorkbookUnsaved(const std::shared_ptr<xl::Application>& app) {
  require(app);
  not_linked();
}

void QuitApplication(const std::shared_ptr<xl::Application>& app) {
  require(app);
  not_linked();
}

void QuitApplicationOfApplication(const std::shared_ptr<xl::Application>& app) {
  require(app);
  not_linked();
}

std::u16string WorksheetName(const std::shared_ptr<xl::Worksheet>& sheet) {
  require(sheet);
  not_linked();
}

}  // namespace tabrel::shell
