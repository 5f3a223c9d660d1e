#include "papers/frame/problem_run.h"

#include "runtime/numbers.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/worksheet.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::papers {

ProblemRun::ProblemRun(PaperHost& host, const std::u16string& points)
    : host_(host), score_(static_cast<float>(rt::Val(points))) {}

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

void ProblemRun::Close(bool formats_total) {
  const double total = rt::Val(host_.Caption(WindowLabel::Total)) + rt::Val(rt::FormatFixed2(score_));
  host_.SetCaption(WindowLabel::Total, formats_total ? rt::FormatFixed2(total) : rt::CStr(total));
}

}  // namespace tabrel::papers
