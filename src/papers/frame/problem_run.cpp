#include "papers/frame/problem_run.h"

#include "runtime/numbers.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/automation_error.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::papers {

namespace {

constexpr char16_t kSheetMissingText[] = u"시트를 찾을 수 없어 채점하지 못했습니다";

}  // namespace

ProblemRun::ProblemRun(PaperHost& host, const std::u16string& points, bool ignores_errors)
    : host_(host), score_(static_cast<float>(rt::Val(points))), ignores_errors_(ignores_errors) {}

void ProblemRun::Deduct(float points, const std::u16string& message) {
  host_.AddDeduction(points, message, u"");
  score_ -= points;
}

void SetSheets(grading::ExcelObjects& x, int position) {
  x.AnswerSheet.reset();
  x.TargetSheet.reset();
  x.AnswerSheet = required(deref(x.AnswerExcel).Worksheets(Variant(static_cast<int32_t>(position))));
  x.TargetSheet = required(deref(x.TargetExcel).Worksheets(Variant(x.AnswerSheet->Name())));
}

void ProblemRun::SwitchSheets(int position) {
  grading::ExcelObjects& x = host_.Excel();
  try {
    SetSheets(x, position);
  } catch (const AutomationError&) {
    if (ignores_errors_) {
      // Labelled with the answer sheet when only the target lacks it, else with its position.
      const std::u16string sheet =
          x.AnswerSheet ? x.AnswerSheet->Name() : rt::CStr(static_cast<double>(position)) + u"번째 시트";
      host_.AddDeduction(score_, kSheetMissingText, sheet);
      score_ = 0;
    }
    throw;
  }
}

void ProblemRun::Close(bool formats_total) {
  const double total = rt::Val(host_.Caption(WindowLabel::Total)) + rt::Val(rt::FormatFixed2(score_));
  host_.SetCaption(WindowLabel::Total, formats_total ? rt::FormatFixed2(total) : rt::CStr(total));
}

}  // namespace tabrel::papers
