#pragma once
// Qt's own Korean texts (the file dialog, the standard buttons of message boxes), from the
// translations that the distribution installs with Qt.

#include <QCoreApplication>
#include <QTranslator>

namespace tabrel::shell::ui {

// Installs qtbase_ko from Qt's translations folder on `app` and returns the translator (owned
// by `app`); null when it is not there, and the dialogs then keep Qt's English texts.
QTranslator* InstallQtKoreanTranslations(QCoreApplication& app);

}  // namespace tabrel::shell::ui
