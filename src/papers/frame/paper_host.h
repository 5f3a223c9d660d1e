#pragma once
// What a paper grader needs of the grading shell: the main window's controls it reads and
// writes, the points of the chosen paper, the shared object variables and the shell's services.
// The shell stands above the papers, so it hands itself over through this interface.

#include <array>
#include <cstdint>
#include <string>

#include "grading/excel_objects.h"

namespace tabrel::papers {

enum class MessageIcon { None, Critical };

// The main window's labels that a grader writes: Label1(4..7) obtained points, Label4 total,
// Label3 caption of the total, Label6 status line, Label7(1) problem 5's obtained points.
enum class WindowLabel { Obtained1, Obtained2, Obtained3, Obtained4, Total, TotalCaption, Status, Obtained5 };

class PaperHost {
 public:
  virtual ~PaperHost() = default;

  // --- The main window --------------------------------------------------------------
  virtual std::u16string TargetPath() const = 0;  // Text2
  virtual std::u16string Caption(WindowLabel label) const = 0;
  virtual void SetCaption(WindowLabel label, const std::u16string& caption) = 0;
  virtual void SetStatusVisible(bool visible) = 0;
  virtual float ProgressValue() const = 0;
  virtual void SetProgressValue(float value) = 0;
  // Option1(0): the level "2급" is chosen.
  virtual bool FirstLevelChosen() const = 0;
  // The caption of the chosen level option, then the chosen series caption (none for the past
  // series) and test number: the answer workbook's name without its extension.
  virtual std::u16string ChosenPaperFileName() const = 0;

  // --- The chosen paper and the shared data -------------------------------------------
  virtual std::u16string ProblemPoints(int problem) const = 0;
  virtual int32_t ProgressStep() const = 0;
  virtual grading::ExcelObjects& Excel() = 0;
  virtual std::array<std::array<int16_t, 3>, 3>& MacroButtonIndex() = 0;

  // --- Services -------------------------------------------------------------------------
  virtual void AddDeduction(float points, const std::u16string& message, const std::u16string& sheet_name) = 0;
  virtual void ShowVerdict(const std::u16string& verdict) = 0;
  virtual std::u16string MakeAnswerPath(const std::u16string& path) = 0;
  // The program's folder as a path text, without a trailing separator.
  virtual std::u16string ProgramFolder() const = 0;
  // Whether a program can open the target file (the file-association check).
  virtual bool TargetHasAssociatedProgram() const = 0;
  virtual void MsgBox(const std::u16string& text, MessageIcon icon) = 0;
  virtual void DoEvents() = 0;
  virtual void SetHourglass(bool hourglass) = 0;
};

}  // namespace tabrel::papers
