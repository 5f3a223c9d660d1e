#include "shell/ui/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "runtime/strings.h"
#include "shell/ui/qt_text.h"
#include "shell/ui/verdict_dialog.h"

namespace tabrel::shell::ui {

QString QtNameFilter(const std::u16string& filter) {
  const auto parts = rt::Split(filter, u"|");
  QStringList names;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) names << qstr(parts[i]);
  return names.join(QStringLiteral(";;"));
}

void QtDialogs::MsgBox(const std::u16string& text, MsgBoxIcon icon, const std::u16string& title) {
  QMessageBox box(owner_);
  box.setWindowTitle(qstr(title));
  box.setText(qstr(text));
  box.setStandardButtons(QMessageBox::Ok);
  switch (icon) {
    case MsgBoxIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgBoxIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgBoxIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgBoxIcon::Information: box.setIcon(QMessageBox::Information); break;
  }
  box.exec();
}

std::u16string QtDialogs::ChooseOpenFile(const OpenFileRequest& request) {
  // The initial folder is a desktop path of its own; where it does not exist, the home folder.
  QString folder = qstr(request.initial_folder);
  if (!QDir(folder).exists()) folder = QDir::homePath();
  const QString file = QFileDialog::getOpenFileName(owner_, qstr(request.title), folder, QtNameFilter(request.filter));
  return file.isEmpty() ? std::u16string() : u16(QDir::toNativeSeparators(file));
}

void QtDialogs::ShowModal(FrmPass& verdict) {
  VerdictDialog dialog(verdict, program_folder_);
  dialog.exec();
}

}  // namespace tabrel::shell::ui
