#include "platform/qt/QtStrings.h"

#include <QFile>

#include "platform/CodePage.h"

namespace vx {

QString QtText(std::string_view cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }

std::string Cp932Text(const QString& text) { return Utf8ToCp932(text.toStdString()); }

QString QtPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path PathFromQt(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

}  // namespace vx
