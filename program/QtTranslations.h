// Qt's own texts (standard dialog buttons, file, colour and print dialogs) in Japanese, as the
// rest of the program speaks, for as long as the object lives (a translator leaves the
// application when it is destroyed).
#pragma once

#include <QTranslator>

namespace vx {

class QtTranslations {
 public:
  // Loads and installs Qt's Japanese catalogue from Qt's translations folder; without it Qt's
  // texts stay English and a note on stderr says what to install.
  QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

 private:
  QTranslator translator_;
};

}  // namespace vx
