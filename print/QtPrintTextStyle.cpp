#include "print/QtPrintTextStyle.h"

#include <algorithm>

#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "print/PrintTextDrawer.h"

namespace vx {

QFont PrintTextFont(int fontHeight, int fontWeight) {
  QFont font = CatalogPGothicFont(std::max(1, fontHeight), false);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(fontWeight, 100, 900)));
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

int PrintTextQtFlags(unsigned format) {
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

QString PrintTextString(std::string_view cp932) {
  return QString::fromStdString(Cp932ToUtf8(cp932));
}

}  // namespace vx
