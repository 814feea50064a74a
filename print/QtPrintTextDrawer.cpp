#include "print/QtPrintTextDrawer.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "print/DibImageQt.h"

namespace vx {
namespace {

QFont PrintFont(int fontHeight, int fontWeight) {
  QFont font = CatalogPGothicFont(std::max(1, fontHeight), false);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(fontWeight, 100, 900)));
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

int QtFlags(unsigned format) {
  int flags = 0;
  switch (format & kTextHorizontalMask) {
    case kTextCenter:
      flags |= Qt::AlignHCenter;
      break;
    case kTextRight:
      flags |= Qt::AlignRight;
      break;
    default:
      flags |= Qt::AlignLeft;
      break;
  }
  if (format & kTextBottom) {
    flags |= Qt::AlignBottom;
  } else if (format & kTextVCenter) {
    flags |= Qt::AlignVCenter;
  } else {
    flags |= Qt::AlignTop;
  }
  if ((format & kTextWordBreak) && !(format & kTextSingleLine)) flags |= Qt::TextWordWrap;
  if (format & kTextSingleLine) flags |= Qt::TextSingleLine;
  return flags;
}

QString ToQString(std::string_view cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }

}  // namespace

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
    painter.setFont(PrintFont(look.fontHeight, look.fontWeight));
    painter.setPen(QColor(ink, ink, ink));
    painter.drawText(QRect(0, 0, width, height), QtFlags(look.format), ToQString(text));
  }
  DibImage_CopyFromQImage(image24, picture);
  return true;
}

int QtPrintTextDrawer::TextWidth(std::string_view text, int fontHeight, int fontWeight) {
  const QFontMetrics metrics(PrintFont(fontHeight, fontWeight));
  return metrics.horizontalAdvance(ToQString(text));
}

}  // namespace vx
