// Qt's own texts (standard dialog buttons, file, colour and print dialogs) in Japanese, as the
// rest of the program speaks, for as long as the object lives.
#pragma once

#include <QString>
#include <QTranslator>

namespace vx {

class QtTranslations {
 public:
  // Loads and installs Qt's Japanese catalogue from `folder` (Qt's translations folder unless
  // given); without it Qt's texts stay English and a note on stderr says what to install.
  explicit QtTranslations(const QString& folder = DefaultFolder());
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  static QString DefaultFolder();
  bool installed() const { return installed_; }

 private:
  QTranslator translator_;
  bool installed_ = false;
};

}  // namespace vx
