#include "print/PrinterPageCanvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "data/images/CutDrawing.h"
#include "platform/CodePage.h"
#include "print/DibImageQt.h"
#include "print/LineList.h"
#include "print/PrintErrors.h"
#include "print/PrintRecords.h"
#include "print/PrintTextDrawer.h"
#include "print/QtPrintTextStyle.h"

namespace vx {
namespace {

constexpr double kMostSqueeze = 4;
constexpr int kLeaderAlpha = 128;

QColor ColorOf(ColorRef c, int alpha = 255) {
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF), alpha);
}

QRectF RectOf(const DibRect& r) { return QRectF(r.x, r.y, r.w, r.h).normalized(); }

// The width a text wider than its box is laid out in: its own, squeezed into the box by at most
// a quarter; the rest is cut off.
double FitLayoutWidth(double textWidth, double boxWidth) {
  return std::min(textWidth, kMostSqueeze * boxWidth);
}

}  // namespace

int PrinterPageCanvas::BeginPage() {
  if (pageStarted_ && !printer_.newPage()) {
    ReportPrintError(Sjis("StartPage に失敗しました(0)"), "PrintBMP_StartPage");
    return -1;
  }
  pageStarted_ = true;
  painter_.setTransform(transform_);
  return 0;
}

void PrinterPageCanvas::FillRect(const DibRect& r, ColorRef color) {
  painter_.fillRect(RectOf(r), ColorOf(color));
}

void PrinterPageCanvas::DrawLine(int x, int y, int dx, int dy, ColorRef color) {
  painter_.setPen(QPen(ColorOf(color), 1, Qt::SolidLine, Qt::FlatCap));
  painter_.drawLine(QPointF(x + 0.5, y + 0.5), QPointF(x + dx + 0.5, y + dy + 0.5));
}

int PrinterPageCanvas::DrawText(const DibRect& box, std::string_view text, int fontSize,
                                unsigned format, TextFlow flow) {
  const QString shown = PrintTextString(text);
  const QFont font = PrintTextFont(fontSize, kFontWeightNormal);
  painter_.setFont(font);
  painter_.setPen(Qt::black);
  const QRectF r = RectOf(box);
  if (flow == TextFlow::kWrap) {
    painter_.drawText(r, PrintTextQtFlags(format | kTextWordBreak), shown);
    return 0;
  }
  const int flags = PrintTextQtFlags(format | kTextSingleLine);
  const double width = QFontMetricsF(font, painter_.device()).horizontalAdvance(shown);
  if (width <= r.width()) {
    painter_.drawText(r, flags, shown);
    return 0;
  }
  // Squeezed sideways to fill the box; a text past the limit is cut where the box ends.
  const double laid = FitLayoutWidth(width, r.width());
  painter_.save();
  painter_.translate(r.x(), 0);
  painter_.scale(r.width() / laid, 1);
  painter_.drawText(QRectF(0, r.y(), laid, r.height()), flags, shown);
  painter_.restore();
  return 0;
}

int PrinterPageCanvas::DrawPicture(const DibRect& to, const DibImage& picture,
                                   const DibRect& from) {
  const QImage image = DibImage_ToQImage(picture);
  if (image.isNull()) return -1;
  painter_.drawImage(RectOf(to), image, RectOf(from));
  return 0;
}

int PrinterPageCanvas::DrawCircleCut(int circleId, const DibRect& box) {
  if (box.w <= 0 || box.h <= 0) return 0;
  painter_.fillRect(RectOf(box), Qt::white);
  PrintEngine_DrawCircleCut(circleId, painter_, CutRect{box.x, box.y, box.w, box.h});
  return 0;
}

int PrinterPageCanvas::DrawLeaderLines(const std::vector<LeaderLine>& lines, int widthSetting,
                                       bool) {
  const double width = 10.0 * widthSetting + 5;
  for (const LeaderLine& line : lines) {
    painter_.setPen(QPen(ColorOf(line.color, kLeaderAlpha), width, Qt::SolidLine, Qt::SquareCap));
    painter_.drawLine(QPointF(line.x, line.y), QPointF(line.x + line.width, line.y + line.height));
  }
  return 0;
}

}  // namespace vx
