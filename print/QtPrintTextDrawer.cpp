#include "print/QtPrintTextDrawer.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "print/DibImageQt.h"
#include "print/QtPrintTextStyle.h"

namespace vx {

bool QtPrintTextDrawer::DrawText(DibImage& image24, std::string_view text, const TextLook& look) {
  const int width = DibImage_Width(image24);
  const int height = DibImage_Height(image24);
  if (DibImage_BitCount(image24) != 24 || width < 1 || height < 1) return false;
  QImage picture(width, height, QImage::Format_RGB32);
  if (picture.isNull()) return false;
  const int background = std::clamp(look.backgroundGrey, 0, 255);
  const int ink = std::clamp(look.textGrey, 0, 255);
  picture.fill(QColor(background, background, background));
  {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(PrintTextFont(look.fontHeight, look.fontWeight));
    painter.setPen(QColor(ink, ink, ink));
    painter.drawText(QRect(0, 0, width, height), PrintTextQtFlags(look.format), PrintTextString(text));
  }
  DibImage_CopyFromQImage(image24, picture);
  return true;
}

int QtPrintTextDrawer::TextWidth(std::string_view text, int fontHeight, int fontWeight) {
  const QFontMetrics metrics(PrintTextFont(fontHeight, fontWeight));
  return metrics.horizontalAdvance(PrintTextString(text));
}

}  // namespace vx
