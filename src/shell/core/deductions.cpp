// Services of the paper graders: the deduction rows, the verdict window, the answer path;
// and the double-click on a row.

#include "runtime/error_resume.h"
#include "runtime/numbers.h"
#include "shell/core/shell.h"
#include "shell/core/verdict_window.h"

namespace tabrel::shell {

void Shell::AddDeduction(float points, const std::u16string& message, const std::u16string& sheet_name) {
  rt::step([&] { DoEvents(); });
  std::u16string sheet = sheet_name;
  // Without the answer sheet's name the row is not added at all.
  if (sheet.empty() && !rt::step([&] { sheet = grading::WorksheetName(excel.AnswerSheet); })) return;
  ListItem& row = comtest.ListView1.Add(comtest.ListView1.Count() + 1, std::move(sheet));
  row.SetColumn(2, u"-" + rt::FormatFixed2(points));
  row.SetColumn(3, message);
}

void Shell::ListView1_DblClick() {
  const int selected = comtest.ListView1.SelectedIndex();
  if (selected == 0) return;
  dialogs_.MsgBox(comtest.ListView1.Item(selected).Column(3), MsgBoxIcon::None, u"에러내용");
}

void Shell::ShowVerdict(const std::u16string& verdict) {
  FrmPass frm;
  // Form_Load; the desktop window cuts itself to shape by its key colour when it is shown.
  rt::step([&] { DoEvents(); });
  SetMousePointer(kPointerDefault);

  frm.Label3.SetCaption(verdict == u"합격" ? kVerdictPass : kVerdictFail);
  frm.Label2.SetCaption(comtest.Label4.Caption() + u"점");
  for (size_t k = 0; k < 4; ++k) {
    rt::step([&] { frm.ProgressBar1[k].SetMax(static_cast<float>(rt::Val(comtest.Label1[k].Caption()))); });
  }
  for (size_t k = 0; k < 4; ++k) {
    rt::step([&] { frm.ProgressBar1[k].SetValue(static_cast<float>(rt::Val(comtest.Label1[k + 4].Caption()))); });
  }
  for (size_t k = 0; k < 4; ++k) frm.Label1[k].SetCaption(rt::CStr(frm.ProgressBar1[k].Value()));
  dialogs_.ShowModal(frm);
  // Form_Unload
  SetMousePointer(kPointerHourglass);
}

std::u16string Shell::MakeAnswerPath(const std::u16string& path) {
  std::u16string result = path + u".XLS";
  comtest.Text1.Text = result;
  return result;
}

}  // namespace tabrel::shell
