#include <map>
#include <memory>
#include <utility>

#include "papers/built_papers.h"
#include "papers/frame/paper_host.h"
#include "shell/core/paper_catalog.h"
#include "shell/core/paper_dispatch.h"
#include "shell/core/paper_graders.h"
#include "shell/core/platform_files.h"
#include "shell/core/shell.h"

namespace tabrel::shell {

namespace {

// The shell as the paper graders see it.
class ShellPaperHost final : public papers::PaperHost {
 public:
  explicit ShellPaperHost(Shell& s) : s_(s) {}

  std::u16string TargetPath() const override { return s_.comtest.Text2.Text; }
  std::u16string Caption(papers::WindowLabel label) const override { return Of(label).Caption(); }
  void SetCaption(papers::WindowLabel label, const std::u16string& caption) override { Of(label).SetCaption(caption); }
  void SetStatusVisible(bool visible) override { s_.comtest.Label6.SetVisible(visible); }
  float ProgressValue() const override { return s_.comtest.ProgressBar1.Value(); }
  void SetProgressValue(float value) override { s_.comtest.ProgressBar1.SetValue(value); }
  bool FirstLevelChosen() const override { return s_.comtest.Option1.Value(0); }

  std::u16string ChosenPaperFileName() const override {
    const ComTest& c = s_.comtest;
    const std::u16string level = c.Option1.Value(0) ? c.Option1.Caption(0) : c.Option1.Caption(1);
    if (c.Option2.Value(0)) return level + c.Combo3[0].Text();
    int series = 3;
    for (int i = 1; i < 3; ++i) {
      if (c.Option2.Value(i)) {
        series = i;
        break;
      }
    }
    return level + c.Option2.Caption(series) + c.Combo3[static_cast<size_t>(series)].Text();
  }

  std::u16string ProblemPoints(int problem) const override { return s_.ProblemPoints(problem); }
  int32_t ProgressStep() const override { return s_.ProgressStep; }
  grading::ExcelObjects& Excel() override { return s_.excel; }
  std::array<std::array<int16_t, 3>, 3>& MacroButtonIndex() override { return s_.MacroButtonIndex; }

  void AddDeduction(float points, const std::u16string& message, const std::u16string& sheet_name) override {
    s_.AddDeduction(points, message, sheet_name);
  }
  void ShowVerdict(const std::u16string& verdict) override { s_.ShowVerdict(verdict); }
  std::u16string MakeAnswerPath(const std::u16string& path) override { return s_.MakeAnswerPath(path); }
  std::u16string ProgramFolder() const override { return PathText(s_.ProgramFolder()); }
  bool TargetHasAssociatedProgram() const override {
    return shell::TargetHasAssociatedProgram(PathFromText(s_.comtest.Text2.Text));
  }
  void MsgBox(const std::u16string& text, papers::MessageIcon icon) override {
    s_.MsgBox(text, icon == papers::MessageIcon::Critical ? MsgBoxIcon::Critical : MsgBoxIcon::None);
  }
  void DoEvents() override { s_.DoEvents(); }
  void SetHourglass(bool hourglass) override { s_.SetMousePointer(hourglass ? kPointerHourglass : kPointerDefault); }

 private:
  Label& Of(papers::WindowLabel label) const {
    ComTest& c = s_.comtest;
    switch (label) {
      case papers::WindowLabel::Obtained1: return c.Label1[4];
      case papers::WindowLabel::Obtained2: return c.Label1[5];
      case papers::WindowLabel::Obtained3: return c.Label1[6];
      case papers::WindowLabel::Obtained4: return c.Label1[7];
      case papers::WindowLabel::Total: return c.Label4;
      case papers::WindowLabel::TotalCaption: return c.Label3;
      case papers::WindowLabel::Status: return c.Label6;
      case papers::WindowLabel::Obtained5: return c.Label7[1];
    }
    return c.Label6;
  }

  Shell& s_;
};

// Graders by paper name; a paper's grader joins this list when it is built.
std::map<std::u16string_view, PaperGrader> built_graders() {
  std::map<std::u16string_view, PaperGrader> graders;
  for (const papers::Paper& paper : papers::BuiltPapers()) graders.emplace(paper.paper_name, GraderFor(paper));
  return graders;
}

}  // namespace

PaperGrader GraderFor(papers::Paper paper) {
  return [paper = std::make_shared<const papers::Paper>(std::move(paper))](Shell& s) {
    ShellPaperHost host(s);
    papers::GradePaper(*paper, host);
  };
}

DispatchTable BuiltInDispatchTable() {
  const auto graders = built_graders();
  DispatchTable table;
  for (const PaperModule& paper : kPaperModules) {
    const auto it = graders.find(paper.paper_name);
    if (it != graders.end()) table.push_back({std::u16string(paper.paper_name), it->second});
  }
  return table;
}

}  // namespace tabrel::shell
