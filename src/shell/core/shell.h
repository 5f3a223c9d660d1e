#pragma once
// The grading shell: the main window's state and handlers, the data a grading request shares
// with the paper graders (`ProblemPoints`, `ProgressStep`, the four object variables,
// `MacroButtonIndex`) and the services the graders call (`AddDeduction`, `ShowVerdict`,
// `MakeAnswerPath`). A paper grader receives the Shell as its context.

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "shell/core/dialogs.h"
#include "grading/excel_objects.h"
#include "shell/core/main_window.h"
#include "shell/core/paper_dispatch.h"
#include "shell/core/window_shape.h"

namespace tabrel::shell {

inline constexpr int kMainWindowWidth = 754;
inline constexpr int kMainWindowHeight = 657;

inline constexpr char16_t kPickTestMessage[] = u"채점대상을 선택하세요";
inline constexpr char16_t kNoPaperMessage[] = u"해당하는 문제가 없습니다";
inline constexpr char16_t kGradingErrorMessage[] = u"암호 등의 이유로 오류가 발생하였습니다";
inline constexpr char16_t kTotalRowSheet[] = u"총 감점";

// The allotted points of problems 1..5 as catalog texts, indexed 1..5 as the graders read them
// (another index throws std::out_of_range).
class ProblemPointList {
 public:
  const std::u16string& operator()(int problem) const;
  std::u16string& operator()(int problem);

 private:
  std::array<std::u16string, 5> points_{};
};

// What the desktop (or the terminal) does for the shell besides dialogs. Every hook may be
// left empty.
struct ShellHooks {
  std::function<void()> do_events;                       // let the window handle pending events
  std::function<void(int)> mouse_pointer;                // the screen's pointer changed
  std::function<void()> end_program;                     // end the program at once
  std::function<void(const std::u16string&)> open_url;   // the publisher's page
};

// How the last grading request ended.
enum class RequestOutcome { None, NoTestNumber, Cancelled, Refused, NoMatchingPaper, Graded, Failed };

class Shell {
 public:
  Shell(Dialogs& dialogs, std::filesystem::path program_folder, DispatchTable dispatch, ShellHooks hooks = {});
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // --- The main window and the shared data ---------------------------------------------
  ComTest comtest;
  std::u16string PaperCatalog;
  ProblemPointList ProblemPoints;
  int32_t ProgressStep = 0;
  grading::ExcelObjects excel;
  std::array<std::array<int16_t, 3>, 3> MacroButtonIndex{};
  // The main window's visible pixels after start-up.
  PixelRegion Region{kMainWindowWidth, kMainWindowHeight};

  const std::filesystem::path& ProgramFolder() const { return program_folder_; }
  Dialogs& dialogs() { return dialogs_; }
  int MousePointer() const { return mouse_pointer_; }
  void SetMousePointer(int pointer);
  void DoEvents();
  bool RequestRunning() const { return request_running_; }
  RequestOutcome LastOutcome() const { return last_outcome_; }
  // The description of the error that ended the last request in the error handler.
  const std::u16string& LastErrorDescription() const { return last_error_; }

  // --- Start-up and end ------------------------------------------------------------------
  // Form_Initialize. A missing or malformed info.dat stops it with the error returned; the
  // program then ends before the window is shown.
  // Without `shape_window` (the headless command) info.dat is not read.
  std::optional<ShapeError> Form_Initialize(bool shape_window = true);
  void Form_Unload();

  // --- Paper choice --------------------------------------------------------------------
  void Option1_Click(int index);
  void Image1_Click(int index);
  void Option2_Click(int index);
  void Combo3_Click(int index);
  std::u16string GetPaperKey() const;
  void LoadPaperPoints(const std::u16string& key);
  // The examinee's own actions on the choice controls: the control changes, then its handler
  // runs. While a grading request runs they are refused and nothing changes.
  void SelectLevel(int index);
  void SelectSeries(int index);
  void PickTestNumber(int list, int item);

  // --- Picture buttons, publisher picture, deduction list ------------------------------
  void Picture1_MouseDown(int index);
  void Picture1_MouseUp(int index);
  void Image2_Click();
  void ListView1_DblClick();

  // --- The grading request -------------------------------------------------------------
  void ChooseTargetFile();
  void GradeTargetFile();
  void HandleGradingError();
  std::u16string PaperName() const;

  // --- Services of the paper graders ---------------------------------------------------
  void AddDeduction(float points, const std::u16string& message, const std::u16string& sheet_name);
  void ShowVerdict(const std::u16string& verdict);
  std::u16string MakeAnswerPath(const std::u16string& path);
  // A message box with the program's title.
  void MsgBox(const std::u16string& text, MsgBoxIcon icon = MsgBoxIcon::None);

  // --- The online update behind the hidden button "업그레이드" ----------------------------
  // The update stands above the shell, so the program hands its run to the shell.
  void SetOnlineUpdate(std::function<void(Shell&)> run) { online_update_ = std::move(run); }
  void Command1_Click();
  // Unloads the main window when no other window is loaded: Form_Unload, then the program ends.
  void UnloadMainWindow();

 private:
  // The caption of the chosen level option ("2급", or "3급" when the first is not chosen).
  const std::u16string& ChosenLevel() const;
  // The index of the chosen series option: the first of 0..2 that is chosen, else 3.
  int ChosenSeries() const;
  void StartPath();
  void AppendTotalRow();
  void FailRequest();
  void QuitExcelInstances();

  Dialogs& dialogs_;
  std::filesystem::path program_folder_;
  DispatchTable dispatch_;
  ShellHooks hooks_;
  std::function<void(Shell&)> online_update_;
  int mouse_pointer_ = kPointerDefault;
  bool request_running_ = false;
  RequestOutcome last_outcome_ = RequestOutcome::None;
  std::u16string last_error_;
};

}  // namespace tabrel::shell
