#include "data/images/CutDrawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <cmath>
#include <cstdint>

namespace vx {

namespace {
constexpr int kReferenceCutWidth = 178;
constexpr int kMarkInset = 6;
constexpr int kMarkSide = 42;
}  // namespace

// In 64 bits: the product overflows an int long before the result does.
void CutMarkRect(CutRect& rect) {
  const int inset = static_cast<int>(std::int64_t{rect.w} * kMarkInset / kReferenceCutWidth);
  const int side = static_cast<int>(std::int64_t{rect.w} * kMarkSide / kReferenceCutWidth);
  rect.x += inset;
  rect.y += inset;
  rect.w = side;
  rect.h = side;
}

bool IsMarkColor(std::uint32_t colorRef) { return colorRef >= 1 && colorRef < 0xFFFFFF; }

QColor ColorFromColorRef(std::uint32_t colorRef) {
  return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

QFont CatalogPGothicFont(double pixelSize, bool bold) {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
  font.setBold(bold);
  return font;
}

void DrawCentredNumber(QPainter& painter, const QRectF& square, int number, const QFont& font) {
  const QString text = QString::number(number);
  const QFontMetricsF metrics(font, painter.device());
  const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
  const QPointF topLeft(square.x() + (square.width() - size.width()) * 0.5,
                        square.y() + (square.height() - size.height()) * 0.5);
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(topLeft, size), Qt::AlignLeft | Qt::AlignTop, text);
  painter.restore();
}

}  // namespace vx
