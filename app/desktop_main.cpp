// tabrel-grader: the desktop grading program. The program folder is the executable's folder.
// "--profile" also opens the profile window, which no action of the main window opens.
// While it runs it holds the program folder's lock, by which the updater knows it has ended.

#include <QApplication>
#include <QMessageBox>

#include <cstring>
#include <memory>

#include "shell/core/paper_dispatch.h"
#include "shell/core/platform_files.h"
#include "shell/core/shell.h"
#include "shell/ui/desktop_host.h"
#include "shell/ui/main_window.h"
#include "shell/ui/profile_window.h"
#include "shell/ui/qt_dialogs.h"
#include "shell/ui/qt_text.h"
#include "shell/ui/qt_translations.h"
#include "spreadsheet/core/process_memory.h"
#include "spreadsheet/macro/runner.h"
#include "update/online_update.h"
#include "update/program_lock.h"

int main(int argc, char** argv) {
  tabrel::keep_freed_memory();
  using namespace tabrel::shell;
  QApplication app(argc, argv);
  ui::InstallQtKoreanTranslations(app);
  tabrel::macro::install_macro_runner();  // the graders run the workbooks' macros
  const auto folder = ExecutableFolder();
  ui::QtDialogs dialogs(folder);
  ui::MainWindow* window = nullptr;
  Shell shell(dialogs, folder, BuiltInDispatchTable(), ui::DesktopHooks([&] {
                if (window) window->Sync();
              }));
  if (const auto error = shell.Form_Initialize()) {
    QString text = ui::qstr(error->message);
    if (error->line > 0) text += QStringLiteral(" (%1번째 줄)").arg(error->line);
    QMessageBox::critical(nullptr, ui::qstr(kProgramTitle), text + QStringLiteral("\n프로그램을 종료합니다."));
    return 1;
  }
  shell.SetOnlineUpdate([](Shell& s) { tabrel::update::RunOnlineUpdate(s); });
  const auto grader_lock = tabrel::update::ProgramLock::Take(folder, tabrel::update::ProgramLock::Kind::Shared, true);
  ui::MainWindow main_window(shell);
  window = &main_window;
  dialogs.SetOwner(&main_window);
  main_window.show();
  std::unique_ptr<ui::ProfileWindow> profile;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--profile") == 0) {
      profile = std::make_unique<ui::ProfileWindow>(folder, &main_window);
      profile->show();
    }
  }
  return app.exec();
}
