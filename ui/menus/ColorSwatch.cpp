#include "ui/menus/ColorSwatch.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRect>

#include "data/images/CutDrawing.h"

namespace vx {

namespace {

constexpr int kCell = 16;

QIcon Swatch(std::uint32_t colorRef, const QRect& box, const QColor& background) {
  QIcon icon;
  for (int ratio : {1, 2}) {
    QImage image(kCell * ratio, kCell * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(background.isValid() ? background : QColor(Qt::transparent));
    QPainter painter(&image);
    // The outline's inner edge on the box's border at any scale: a pen one logical pixel wide
    // centred half a pixel inside.
    painter.setRenderHint(QPainter::Antialiasing, ratio > 1);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ColorFromColorRef(colorRef));
    painter.drawRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 1.5, 1.5);
    painter.end();
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

}  // namespace

QIcon MenuColorSwatch(std::uint32_t colorRef) {
  return Swatch(colorRef, QRect(QPoint(1, 2), QPoint(13, 11)), QColor());
}

QIcon BarColorSwatch(std::uint32_t colorRef, const QColor& highlight) {
  return Swatch(colorRef, QRect(QPoint(1, 2), QPoint(14, 12)), highlight);
}

}  // namespace vx
