#include "ui/list/RowSwatches.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <vector>

#include "app/CatalogController.h"
#include "data/images/CutDrawing.h"
#include "ui/list/ListControl.h"

namespace vx {

namespace {

QIcon Swatch(int height, const QColor& color) {
  QPixmap picture(RowSwatches::kWidth, height);
  picture.fill(Qt::transparent);
  if (color.isValid()) {
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRoundedRect(QRectF(0, 1, RowSwatches::kWidth, 13), 1, 1);
  }
  return QIcon(picture);
}

}  // namespace

int RowSwatches::Height(int cutColumnWidth, int cutWidth, int cutHeight) {
  if (cutColumnWidth <= 0 || cutWidth <= 0 || cutHeight <= 0) return kDefaultHeight;
  if (cutColumnWidth > cutWidth) return cutHeight;
  return cutHeight * cutColumnWidth / cutWidth;
}

void RowSwatches::Apply(const CatalogController& controller, int cutColumnWidth,
                        std::span<ListControl* const> lists) {
  const int height = Height(cutColumnWidth, controller.GetCutWidth(), controller.GetCutHeight());
  std::vector<QIcon> images{Swatch(height, QColor())};
  for (int index = 0; index < controller.GetColorCount(); ++index) {
    const std::uint32_t color = controller.GetColorValue(index, CatalogController::kChecklistColor);
    images.push_back(Swatch(height, ColorFromColorRef(color)));
  }
  for (ListControl* list : lists) {
    list->Model().SetStateImages(images, QSize(kWidth, height));
    list->setIconSize(QSize(kWidth, height));
    list->SetRowHeight(std::max(height, list->fontMetrics().height() + 4));
  }
}

}  // namespace vx
