// The grading request: start button, target-file choice, dispatch to the paper's grader,
// the total-deduction row and the error handler.

#include <exception>

#include "runtime/error_resume.h"
#include "runtime/numbers.h"
#include "shell/core/platform_files.h"
#include "shell/core/shell.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/text.h"

namespace tabrel::shell {

void Shell::StartPath() {
  if (request_running_) {
    last_outcome_ = RequestOutcome::Refused;
    return;
  }
  for (const auto& list : comtest.Combo3) {
    if (!list.Text().empty()) {
      ChooseTargetFile();
      return;
    }
  }
  last_outcome_ = RequestOutcome::NoTestNumber;
  MsgBox(kPickTestMessage);
}

void Shell::ChooseTargetFile() {
  const std::u16string file = dialogs_.ChooseOpenFile(
      {u"Tabrel 채점 대상 파일", u"", u"Excel file (*.xls)|*.xls", u"C:\\Tabrel2급"});
  if (file.empty()) {
    last_outcome_ = RequestOutcome::Cancelled;
    return;
  }
  comtest.Text2.Text = file;
  if (!comtest.Text2.Text.empty()) {
    DoEvents();
    GradeTargetFile();
  }
}

std::u16string Shell::PaperName() const {
  const int series = ChosenSeries();
  return comtest.List1.Text() + ChosenLevel() + comtest.Option2.Caption(series) +
         comtest.Combo3[static_cast<size_t>(series)].Text();
}

void Shell::GradeTargetFile() {
  request_running_ = true;
  last_error_.clear();
  try {
    const std::u16string paper = PaperName();
    SetNormalAttributes(PathFromText(comtest.Text2.Text));
    comtest.ProgressBar1.SetValue(0);
    for (int k = 4; k < 8; ++k) comtest.Label1[static_cast<size_t>(k)].SetCaption(u"");
    comtest.Label6.SetVisible(true);
    comtest.ListView1.Clear();
    comtest.Label3.SetCaption(u"현재까지 점수");
    last_outcome_ = RequestOutcome::NoMatchingPaper;
    for (const DispatchEntry& entry : dispatch_) {
      if (entry.paper_name == paper) {
        last_outcome_ = RequestOutcome::Graded;
        entry.grader(*this);
        break;
      }
    }
    if (last_outcome_ == RequestOutcome::NoMatchingPaper) MsgBox(kNoPaperMessage);
    AppendTotalRow();
  } catch (const AutomationError& e) {
    last_error_ = e.description();
    FailRequest();
    return;
  } catch (const std::exception& e) {
    last_error_ = from_utf8(e.what());
    FailRequest();
    return;
  }
  RemoveEmptyFolder(program_folder_ / "temp");
  rt::step([&] { DoEvents(); });
  SetMousePointer(kPointerDefault);
  request_running_ = false;
}

void Shell::FailRequest() {
  HandleGradingError();
  last_outcome_ = RequestOutcome::Failed;
  request_running_ = false;
}

void Shell::AppendTotalRow() {
  auto& rows = comtest.ListView1;
  const int n = rows.Count();
  rows.Add(n + 1, kTotalRowSheet);
  float sum = 0;
  for (int i = 1; i <= rows.Count(); ++i) sum = static_cast<float>(sum + rt::Val(rows.Item(i).Column(2)));
  rows.Item(rows.Count()).SetColumn(2, rt::CStr(sum));
}

void Shell::HandleGradingError() {
  rt::step([&] { grading::CloseActiveWorkbookUnsaved(excel.AnswerExcel); });
  rt::step([&] { grading::QuitApplicationOfApplication(excel.AnswerExcel); });
  excel.AnswerSheet.reset();
  excel.AnswerExcel.reset();
  rt::step([&] { grading::CloseActiveWorkbookUnsaved(excel.TargetExcel); });
  rt::step([&] { grading::QuitApplicationOfApplication(excel.TargetExcel); });
  excel.TargetSheet.reset();
  excel.TargetExcel.reset();
  SetMousePointer(kPointerDefault);
  comtest.Label6.SetCaption(kGradingErrorMessage);
}

}  // namespace tabrel::shell
