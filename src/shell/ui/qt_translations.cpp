#include "shell/ui/qt_translations.h"

#include <QLibraryInfo>

namespace tabrel::shell::ui {

QTranslator* InstallQtKoreanTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_ko"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace tabrel::shell::ui
