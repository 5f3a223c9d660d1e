#include "shell/ui/desktop_host.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

#include "shell/ui/qt_text.h"

namespace tabrel::shell::ui {

ShellHooks DesktopHooks(std::function<void()> sync) {
  ShellHooks hooks;
  hooks.do_events = [sync = std::move(sync)] {
    if (sync) sync();
    QCoreApplication::processEvents();
  };
  hooks.mouse_pointer = [](int pointer) {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    if (pointer == kPointerHourglass) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  };
  hooks.end_program = [] {
    std::fflush(nullptr);
    std::quick_exit(0);
  };
  hooks.open_url = [](const std::u16string& url) { QDesktopServices::openUrl(QUrl(qstr(url))); };
  return hooks;
}

}  // namespace tabrel::shell::ui
