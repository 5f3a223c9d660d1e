#include <functional>

#include "inspect/sheet_structure.h"
#include "papers/frame/paper.h"
#include "runtime/error_resume.h"
#include "runtime/numbers.h"
#include "spreadsheet/automation/application.h"
#include "spreadsheet/automation/workbooks.h"
#include "spreadsheet/core/run_time_errors.h"

namespace tabrel::papers {

namespace {

constexpr char16_t kLoadingText[] = u"엑셀 프로그램을 로딩하고 있습니다....";
constexpr char16_t kNoProgramText[] = u"엑셀파일이 존재하지 않거나 기타 이유로 실행이 불가능합니다";
constexpr char16_t kDisqualifiedText[] = u"시트의 이름, 개수, 순서가 틀림";
constexpr char16_t kDisqualifiedSheet[] = u"실격";
constexpr char16_t kDoneText[] = u"채점이 완료되었습니다";
constexpr char16_t kClosingText[] = u"채점 완료 후 마무리 작업 처리중입니다";
constexpr float kPassMark = 70;

// The statements before each problem, in the entry's order for that problem.
enum class Before { SetSheets, Status, Events, Progress };
constexpr std::array<std::array<Before, 4>, 4> kBefore{{
    {Before::SetSheets, Before::Status, Before::Events, Before::Progress},
    {Before::Status, Before::Events, Before::Progress, Before::SetSheets},
    {Before::Status, Before::Events, Before::Progress, Before::SetSheets},
    {Before::Status, Before::Progress, Before::SetSheets, Before::Events},
}};

constexpr std::array<WindowLabel, 4> kObtained{WindowLabel::Obtained1, WindowLabel::Obtained2,
                                               WindowLabel::Obtained3, WindowLabel::Obtained4};

// One grading request of one paper.
class Grading {
 public:
  Grading(const Paper& paper, PaperHost& host) : paper_(paper), host_(host) {}

  void Run() {
    host_.SetCaption(WindowLabel::Status, kLoadingText);
    if (!host_.TargetHasAssociatedProgram()) {
      host_.MsgBox(kNoProgramText, paper_.no_program_icon);
      return;
    }
    grading::ExcelObjects& x = host_.Excel();
    x.AnswerExcel = xl::Application::New();
    x.TargetExcel = xl::Application::New();
    Do([&] { host_.SetCaption(WindowLabel::Total, u"0"); });
    if (paper_.clears_obtained)
      for (WindowLabel label : kObtained) Do([&] { host_.SetCaption(label, u""); });
    OpenWorkbooks();

    bool disqualified = false;
    Do([&] { disqualified = inspect::NormalizeTargetSheets(x, paper_.sheet_count, u""); });
    if (disqualified) {
      Disqualify();
      return;
    }
    for (int p = 0; p < 4; ++p) {
      if (p == 3 && !(paper_.grades_problem4 && host_.FirstLevelChosen())) break;
      GradeProblem(p);
    }
    Do([&] { host_.SetCaption(WindowLabel::Status, kDoneText); });
    Do([&] { host_.DoEvents(); });
    Do([&] { host_.SetCaption(WindowLabel::TotalCaption, u"최종점수"); });
    Do([&] {
      host_.ShowVerdict(rt::Val(host_.Caption(WindowLabel::Total)) >= kPassMark ? u"합격" : u"불합격");
    });
    rt::step([&] { host_.SetCaption(WindowLabel::Status, kClosingText); });
    CloseInstances();
    if (paper_.pointer_before_status) rt::step([&] { host_.SetHourglass(false); });
    rt::step([&] { host_.SetStatusVisible(false); });
    if (!paper_.pointer_before_status) rt::step([&] { host_.SetHourglass(false); });
  }

 private:
  // A statement of the entry: skipped on an error when the paper ignores errors. Returns
  // whether it ran to its end.
  bool Attempt(const std::function<void()>& statement) {
    if (paper_.ignores_errors) return rt::step(statement);
    statement();
    return true;
  }
  void Do(const std::function<void()>& statement) { Attempt(statement); }

  // Opening is never skipped: a workbook that cannot be opened is no fault of the examinee,
  // so it always ends in the shell's error handler.
  void OpenWorkbooks() {
    grading::ExcelObjects& x = host_.Excel();
    const std::u16string answer_name = host_.ChosenPaperFileName();
    if (paper_.early_hourglass) host_.SetHourglass(true);
    const std::u16string answer_path = host_.MakeAnswerPath(host_.ProgramFolder() + u"/정답/" + answer_name);
    deref(deref(x.AnswerExcel).Workbooks()).Open(answer_path, false, paper_.password);
    deref(deref(x.TargetExcel).Workbooks()).Open(host_.TargetPath(), false, paper_.password);
    host_.SetHourglass(true);
  }

  void Disqualify() {
    host_.AddDeduction(static_cast<float>(rt::Val(u"100")), kDisqualifiedText, kDisqualifiedSheet);
    for (WindowLabel label : kObtained) host_.SetCaption(label, u"0");
    if (paper_.disqualification_clears_fifth) host_.SetCaption(WindowLabel::Obtained5, u"0");
    host_.SetCaption(WindowLabel::Total, u"실격");
    host_.SetCaption(WindowLabel::Status, u"");
    CloseInstances();
    if (!paper_.keeps_pointer_after_disqualification) rt::step([&] { host_.SetHourglass(false); });
  }

  void AdvanceProgress() {
    host_.SetProgressValue(host_.ProgressValue() + static_cast<float>(host_.ProgressStep()));
  }

  void GradeProblem(int p) {
    ProblemRun run(host_, host_.ProblemPoints(p + 1), paper_.ignores_errors);
    const size_t i = static_cast<size_t>(p);
    bool sheets_set = true;
    for (Before statement : kBefore[i]) {
      switch (statement) {
        case Before::SetSheets:
          sheets_set = Attempt([&] { run.SwitchSheets(paper_.first_sheets[i]); });
          break;
        case Before::Status:
          Do([&] { host_.SetCaption(WindowLabel::Status, paper_.status_texts[i]); });
          break;
        case Before::Events:
          Do([&] { host_.DoEvents(); });
          break;
        case Before::Progress:
          Do([&] { AdvanceProgress(); });
          break;
      }
    }
    // Without its sheets a problem is not graded (the switch recorded why): no check may read
    // another sheet instead.
    if (sheets_set) RunProblem(run, paper_.problems[i]);
    Do([&] { run.Close(paper_.close_formats_total[i]); });
    Do([&] { RecordObtained(p); });
  }

  void RunProblem(ProblemRun& run, const Problem& problem) {
    if (!paper_.ignores_errors) {
      for (const Step& s : problem) s(run);
      return;
    }
    // An error ends the problem; what it recorded stays and its score so far is kept.
    rt::step([&] {
      for (const Step& s : problem) s(run);
    });
  }

  // The growth of the total during problem p, as the obtained points of that problem.
  void RecordObtained(int p) {
    if (p == 0) {
      host_.SetCaption(WindowLabel::Obtained1, host_.Caption(WindowLabel::Total));
      return;
    }
    double growth = rt::Val(host_.Caption(WindowLabel::Total));
    for (int k = 0; k < p; ++k) growth -= rt::Val(host_.Caption(kObtained[static_cast<size_t>(k)]));
    host_.SetCaption(kObtained[static_cast<size_t>(p)], rt::CStr(growth));
  }

  void CloseInstances() {
    grading::ExcelObjects& x = host_.Excel();
    rt::step([&] { grading::CloseActiveWorkbookUnsaved(x.AnswerExcel); });
    rt::step([&] { grading::QuitApplicationOfApplication(x.AnswerExcel); });
    if (paper_.quits_twice) rt::step([&] { grading::QuitApplication(x.AnswerExcel); });
    x.AnswerSheet.reset();
    x.AnswerExcel.reset();
    rt::step([&] { grading::CloseActiveWorkbookUnsaved(x.TargetExcel); });
    rt::step([&] { grading::QuitApplicationOfApplication(x.TargetExcel); });
    if (paper_.quits_twice) rt::step([&] { grading::QuitApplication(x.TargetExcel); });
    x.TargetSheet.reset();
    x.TargetExcel.reset();
  }

  const Paper& paper_;
  PaperHost& host_;
};

}  // namespace

void GradePaper(const Paper& paper, PaperHost& host) { Grading(paper, host).Run(); }

}  // namespace tabrel::papers
