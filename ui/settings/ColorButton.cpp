#include "ui/settings/ColorButton.h"

#include <QPainter>

#include "data/images/CutDrawing.h"

namespace vx {
namespace {

// A one-pixel frame just inside `r`: top and left edges in one colour, bottom and right in another.
void DrawBevel(QPainter& painter, const QRect& r, const QColor& topLeft,
               const QColor& bottomRight) {
  painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
  painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
  painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
  painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
}

}  // namespace

ColorButton::ColorButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::StrongFocus);
}

void ColorButton::SetColor(std::uint32_t colorRef) {
  color_ = colorRef;
  update();
}

QSize ColorButton::sizeHint() const { return {24, 20}; }

void ColorButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  const QRect outer = rect();
  painter.fillRect(outer, colors.color(QPalette::Button));
  const QColor edge = hasFocus() ? colors.color(QPalette::Shadow) : colors.color(QPalette::Button);
  DrawBevel(painter, outer, edge, edge);
  const QRect bevel = outer.adjusted(1, 1, -1, -1);
  const QColor light = colors.color(QPalette::Light);
  const QColor dark = colors.color(QPalette::Shadow);
  if (isDown()) {
    DrawBevel(painter, bevel, dark, light);
  } else {
    DrawBevel(painter, bevel, light, dark);
  }
  const QRect swatch = bevel.adjusted(2, 2, -2, -2);
  painter.fillRect(swatch, ColorFromColorRef(color_));
  const QColor outline = colors.color(QPalette::Dark);
  DrawBevel(painter, swatch, outline, outline);
}

}  // namespace vx
