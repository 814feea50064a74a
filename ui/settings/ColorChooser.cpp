#include "ui/settings/ColorChooser.h"

#include <QColorDialog>

#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "platform/qt/QtStrings.h"

namespace vx {

std::uint32_t ColorRefFromColor(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

std::optional<std::uint32_t> ChooseColorWithDialog(QWidget* owner, std::uint32_t start) {
  QColorDialog dialog(ColorFromColorRef(start), owner);
  dialog.setWindowTitle(QtText(Sjis("色の設定")));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ColorRefFromColor(dialog.selectedColor());
}

}  // namespace vx
