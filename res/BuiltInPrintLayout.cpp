#include "res/BuiltInPrintLayout.h"

#include <QFile>

// The resources of a static library are registered by hand before first use.
static void RegisterLayout() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(layout);
    return true;
  }();
  (void)registered;
}

namespace vx {

std::optional<std::string> BuiltInPrintLayout() {
  RegisterLayout();
  QFile file(QString::fromLatin1(kBuiltInPrintLayoutPath));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace vx
