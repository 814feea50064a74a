#include "ui/widgets/ControlFont.h"

namespace vx {

QFont ControlFont() {
  QFont font(QStringLiteral("IPAGothic"));
  font.setPixelSize(12);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace vx
