// One whole grading request per built paper, end to end: its answer workbook graded against
// itself through the shell's request (both workbooks opened, every problem graded, the verdict).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "papers/built_papers.h"
#include "shell/core/dialogs.h"
#include "shell/core/paper_dispatch.h"
#include "shell/core/platform_files.h"
#include "shell/core/shell.h"
#include "spreadsheet/core/text.h"
#include "spreadsheet/macro/runner.h"

namespace {

using namespace tabrel;

class SilentDialogs : public shell::Dialogs {
 public:
  void MsgBox(const std::u16string&, shell::MsgBoxIcon, const std::u16string&) override {}
  std::u16string ChooseOpenFile(const shell::OpenFileRequest&) override { return {}; }
  void ShowModal(shell::FrmPass&) override {}
};

// Chooses the level, series and test number whose captions make the paper's file name; false
// when the window offers none.
bool choose(shell::Shell& s, const std::u16string& file_name) {
  auto& c = s.comtest;
  for (int level = 0; level < c.Option1.Count(); ++level) {
    for (int series = 0; series < c.Option2.Count(); ++series) {
      s.SelectLevel(level);
      s.SelectSeries(series);
      const auto& items = c.Combo3[static_cast<size_t>(series)].Items();
      for (size_t item = 0; item < items.size(); ++item) {
        const std::u16string caption = series == 0 ? u"" : c.Option2.Caption(series);
        if (c.Option1.Caption(level) + caption + items[item] != file_name) continue;
        s.PickTestNumber(series, static_cast<int>(item));
        return true;
      }
    }
  }
  return false;
}

void grade_answer(benchmark::State& state, const papers::Paper* paper) {
  const std::filesystem::path folder = std::filesystem::path(TABREL_ANSWER_FOLDER).parent_path();
  const std::filesystem::path answer = folder / "정답" / shell::PathFromText(paper->file_name + u".XLS");
  SilentDialogs dialogs;
  shell::Shell s(dialogs, folder, shell::BuiltInDispatchTable());
  s.Form_Initialize(false);
  if (!std::filesystem::exists(answer) || !choose(s, paper->file_name)) {
    state.SkipWithError("the paper cannot be chosen or has no answer workbook");
    return;
  }
  for (auto _ : state) {
    s.comtest.Text2.Text = shell::PathText(answer);
    s.GradeTargetFile();
    if (s.LastOutcome() != shell::RequestOutcome::Graded) {
      state.SkipWithError("the grading request failed");
      return;
    }
  }
}

const bool registered = [] {
  macro::install_macro_runner();
  for (const papers::Paper& paper : papers::BuiltPapers())
    benchmark::RegisterBenchmark(("grade/" + to_utf8(paper.file_name)).c_str(), grade_answer, &paper)
        ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace
