#include "ui/web/EmbeddedBrowserCheck.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QStringList>

namespace vx {

namespace {

constexpr const char* kHelperName = "QtWebEngineProcess";

bool NoSandboxAsked() {
  if (qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) return true;
  const QString noSandbox = QStringLiteral("--no-sandbox");
  return qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS")
             .split(QLatin1Char(' '), Qt::SkipEmptyParts)
             .contains(noSandbox) ||
         QCoreApplication::arguments().contains(noSandbox);
}

QString CannotStart(const QString& why) {
  return QStringLiteral("ログイン画面のブラウザを起動できません。\n") + why;
}

}  // namespace

QString EmbeddedBrowserCheck::Problem() {
  if (SandboxRefused()) {
    return CannotStart(QStringLiteral(
        "管理者 (root) として実行されているため、ブラウザがサンドボックスなしでの起動を拒みます。"
        "一般のユーザーで実行してください (またはサンドボックスを切る環境変数 "
        "QTWEBENGINE_DISABLE_SANDBOX=1 を設定してください)。"));
  }
  const QFileInfo helper(HelperProgram());
  if (!helper.exists()) {
    return CannotStart(
        QStringLiteral("ブラウザの補助プログラム %1 が見つかりません。").arg(helper.filePath()));
  }
  if (!helper.isFile() || !helper.isExecutable()) {
    return CannotStart(
        QStringLiteral("ブラウザの補助プログラム %1 を実行できません。").arg(helper.filePath()));
  }
  return {};
}

QString EmbeddedBrowserCheck::HelperFailed() {
  return CannotStart(
      QStringLiteral("ブラウザの補助プログラム %1 を起動できませんでした。").arg(HelperProgram()));
}

bool EmbeddedBrowserCheck::SandboxRefused() {
  if (NoSandboxAsked()) return false;
  uid_t real = 0;
  uid_t effective = 0;
  uid_t saved = 0;
  return ::getresuid(&real, &effective, &saved) != 0 || real != effective || real != saved ||
         real == 0;
}

QString EmbeddedBrowserCheck::HelperProgram() {
  const QString named = qEnvironmentVariable("QTWEBENGINEPROCESS_PATH");
  if (!named.isEmpty()) return named;
  const QString name = QString::fromLatin1(kHelperName);
  const QString besideProgram = QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
  if (QFileInfo::exists(besideProgram)) return besideProgram;
  return QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QLatin1Char('/') + name;
}

}  // namespace vx
