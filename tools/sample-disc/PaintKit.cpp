#include "tools/sample-disc/PaintKit.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/CodePage.h"

namespace vx::sampledisc {

QString ToQString(const std::string& cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }

QFont CatalogFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(std::max(1, pixelSize));
  font.setBold(bold);
  // With any other hinting, text above 64 pixels comes out slightly different depending on what
  // the process drew before, and the disc would not be byte-identical from run to run.
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void DrawFittedText(QPainter& painter, const QRect& box, const QString& text, int pixelSize,
                    bool bold, Qt::Alignment alignment) {
  if (text.isEmpty() || box.width() <= 0) return;
  QFont font = CatalogFont(pixelSize, bold);
  const int width = QFontMetrics(font).horizontalAdvance(text);
  if (width > box.width()) {
    const int fitted = pixelSize * box.width() / width;
    font = CatalogFont(std::max(fitted, std::max(6, pixelSize / 2)), bold);
  }
  painter.setFont(font);
  const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, box.width());
  painter.drawText(box, static_cast<int>(alignment), shown);
}

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

QImage ToGrey(const QImage& image) { return image.convertToFormat(QImage::Format_Grayscale8); }

}  // namespace vx::sampledisc
