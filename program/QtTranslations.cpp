#include "program/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <cstdio>

namespace vx {

QtTranslations::QtTranslations() {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const bool installed = translator_.load(QLocale(QLocale::Japanese, QLocale::Japan),
                                          QStringLiteral("qtbase"), QStringLiteral("_"), folder) &&
                         QCoreApplication::installTranslator(&translator_);
  if (!installed) {
    std::fprintf(stderr,
                 "vindaxel: Qt's Japanese texts (qtbase_ja.qm) were not found in %s; Qt's own "
                 "dialogs show English. Install the package qt6-translations-l10n.\n",
                 qPrintable(folder));
  }
}

}  // namespace vx
