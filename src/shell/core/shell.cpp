#include "shell/core/shell.h"

#include "runtime/error_resume.h"
#include "shell/core/paper_catalog.h"

namespace tabrel::shell {

const std::u16string& ProblemPointList::operator()(int problem) const {
  return points_.at(static_cast<size_t>(problem - 1));
}

std::u16string& ProblemPointList::operator()(int problem) { return points_.at(static_cast<size_t>(problem - 1)); }

Shell::Shell(Dialogs& dialogs, std::filesystem::path program_folder, DispatchTable dispatch, ShellHooks hooks)
    : dialogs_(dialogs),
      program_folder_(std::move(program_folder)),
      dispatch_(std::move(dispatch)),
      hooks_(std::move(hooks)) {}

void Shell::SetMousePointer(int pointer) {
  mouse_pointer_ = pointer;
  if (hooks_.mouse_pointer) hooks_.mouse_pointer(pointer);
}

void Shell::DoEvents() {
  if (hooks_.do_events) hooks_.do_events();
}

void Shell::MsgBox(const std::u16string& text, MsgBoxIcon icon) { dialogs_.MsgBox(text, icon, kProgramTitle); }

std::optional<ShapeError> Shell::Form_Initialize(bool shape_window) {
  PaperCatalog = BuildPaperCatalog();
  if (shape_window) {
    std::optional<ShapeError> error;
    const auto pixels = ReadPixelList(program_folder_ / "info.dat", error);
    if (error) return error;
    Region = RegionWithout(kMainWindowWidth, kMainWindowHeight, pixels);
  }
  Option1_Click(1);
  comtest.ListView1.Columns = {{u"시트명", 48, ListColumn::Align::Left},
                               {u"감점점수", 62, ListColumn::Align::Right},
                               {u"오류내용", 156, ListColumn::Align::Left}};
  comtest.List1.SetListIndex(0);
  return std::nullopt;
}

void Shell::Form_Unload() {
  auto quit = [](std::shared_ptr<xl::Application>& app, std::shared_ptr<xl::Worksheet>& sheet) {
    rt::step([&] { grading::QuitApplication(app); });
    rt::step([&] { grading::QuitApplicationOfApplication(app); });
    sheet.reset();
    app.reset();
  };
  quit(excel.AnswerExcel, excel.AnswerSheet);
  quit(excel.TargetExcel, excel.TargetSheet);
}

void Shell::Picture1_MouseDown(int index) {
  if (index == 0 || index == 1) comtest.Picture1[static_cast<size_t>(index)].Pressed = true;
}

void Shell::Picture1_MouseUp(int index) {
  if (index != 0 && index != 1) return;
  comtest.Picture1[static_cast<size_t>(index)].Pressed = false;
  if (index == 0) {
    StartPath();
  } else if (hooks_.end_program) {
    hooks_.end_program();
  }
}

void Shell::Command1_Click() {
  if (online_update_) online_update_(*this);
}

void Shell::UnloadMainWindow() {
  Form_Unload();
  if (hooks_.end_program) hooks_.end_program();
}

void Shell::Image2_Click() {
  if (hooks_.open_url) hooks_.open_url(kPublisherPage);
}

}  // namespace tabrel::shell
