#include "tools/sample-disc/CutPainter.h"

#include <QPainter>

#include "tools/sample-disc/PaintKit.h"
#include "tools/sample-disc/SampleRandom.h"

namespace vx::sampledisc {
namespace {

QString Japanese(const char* utf8) { return QString::fromUtf8(utf8); }

void DrawFrame(QPainter& painter, int width, int height, int scale) {
  painter.setPen(QPen(Qt::black, scale));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(scale / 2.0, scale / 2.0, width - scale, height - scale));
}

// A few shapes in shades of grey; the same circle always gets the same picture.
void DrawArtwork(QPainter& painter, const QRect& area, const Circle& circle, int scale) {
  SampleRandom random(static_cast<std::uint64_t>(circle.id) * 7919U + circle.genreId);
  painter.save();
  painter.setClipRect(area);
  const int shapes = random.Between(3, 6);
  for (int i = 0; i < shapes; ++i) {
    const int grey = random.Between(120, 235);
    painter.setBrush(QColor(grey, grey, grey));
    painter.setPen(QPen(Qt::black, scale));
    const int w = random.Between(area.width() / 5, area.width() / 2);
    const int h = random.Between(area.height() / 5, area.height() / 2);
    const int y = random.Between(0, area.height() - h);  // first, as the pictures have had it
    const int x = random.Between(0, area.width() - w);
    const QRect box(area.left() + x, area.top() + y, w, h);
    switch (random.Below(3)) {
      case 0:
        painter.drawEllipse(box);
        break;
      case 1:
        painter.drawRoundedRect(box, 3 * scale, 3 * scale);
        break;
      default:
        painter.drawLine(box.topLeft(), box.bottomRight());
        break;
    }
  }
  painter.restore();
}

void DrawCorrectionMark(QPainter& painter, const QRect& area, int scale) {
  const QRect mark(area.right() - 34 * scale, area.top(), 34 * scale, 16 * scale);
  painter.fillRect(mark, Qt::black);
  painter.setPen(Qt::white);
  DrawFittedText(painter, mark, Japanese("差替"), 12 * scale, true);
}

}  // namespace

QString SpaceLabel(const Catalog& catalog, const Circle& circle) {
  if (circle.day == 0) return Japanese("抽選漏れ");
  static const char* const kDays[] = {"", "日", "月", "火", "水", "木", "金", "土"};
  const Block& block = catalog.BlockById(circle.blockId);
  const HallArea& area = catalog.AreaById(block.areaId);
  return Japanese(kDays[catalog.DayById(circle.day).weekday]) + QLatin1Char(' ') +
         ToQString(area.name.substr(0, 2)) + ToQString(block.name) +
         QString::number(circle.spaceNo).rightJustified(2, QLatin1Char('0')) +
         QLatin1Char(circle.spaceNoSub == 0 ? 'a' : 'b');
}

QImage DrawCut(const Catalog& catalog, const Circle& circle, int scale, bool corrected) {
  const int w = catalog.geometry.cutW * scale;
  const int h = catalog.geometry.cutH * scale;
  const int s = scale;
  QImage image = WhiteImage(w, h);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);

  const QRect label(3 * s, 3 * s, w - 6 * s, 16 * s);
  painter.fillRect(label, QColor(225, 225, 225));
  painter.setPen(Qt::black);
  DrawFittedText(painter, label.adjusted(2 * s, 0, -2 * s, 0), SpaceLabel(catalog, circle), 11 * s,
                 true, Qt::AlignLeft | Qt::AlignVCenter);

  const QRect art(6 * s, 24 * s, w - 12 * s, 70 * s);
  DrawArtwork(painter, art, circle, s);
  if (corrected) DrawCorrectionMark(painter, art, s);

  painter.setPen(Qt::black);
  DrawFittedText(painter, QRect(4 * s, 98 * s, w - 8 * s, 28 * s), ToQString(circle.name), 18 * s,
                 true);
  DrawFittedText(painter, QRect(4 * s, 128 * s, w - 8 * s, 16 * s), ToQString(circle.penName),
                 11 * s, false);
  if (!circle.bookName.empty()) {
    const QString book = Japanese("『") + ToQString(circle.bookName) + Japanese("』");
    DrawFittedText(painter, QRect(4 * s, 146 * s, w - 8 * s, 16 * s), book, 10 * s, false);
  }
  DrawFrame(painter, w, h, s);
  painter.end();
  return ToGrey(image);
}

QImage DrawGenericErrata(const Geometry& geometry, int scale) {
  const int w = geometry.cutW * scale;
  const int h = geometry.cutH * scale;
  QImage image = WhiteImage(w, h);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(190, 190, 190), scale));
  for (int x = -h; x < w; x += 10 * scale) painter.drawLine(x, h, x + h, 0);
  painter.setPen(Qt::black);
  DrawFittedText(painter, QRect(0, h / 4, w, h / 3), Japanese("欠"), 56 * scale, true);
  DrawFittedText(painter, QRect(4 * scale, h * 2 / 3, w - 8 * scale, 20 * scale),
                 Japanese("カットはありません"), 11 * scale, false);
  DrawFrame(painter, w, h, scale);
  painter.end();
  return ToGrey(image);
}

QImage DrawErrataPicture(const Geometry& geometry, int number, int scale) {
  static const char* const kMessages[] = {"このスペースは欠席となりました",
                                          "配置が変更になりました", "サークル名に誤りがありました"};
  const int w = geometry.cutW * scale;
  const int h = geometry.cutH * scale;
  const int s = scale;
  QImage image = WhiteImage(w, h);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRect(3 * s, 3 * s, w - 6 * s, 24 * s), Qt::black);
  painter.setPen(Qt::white);
  DrawFittedText(painter, QRect(3 * s, 3 * s, w - 6 * s, 24 * s), Japanese("お詫びと訂正"), 14 * s,
                 true);
  painter.setPen(Qt::black);
  DrawFittedText(painter, QRect(0, 40 * s, w, 30 * s),
                 Japanese("事故 No.") + QString::number(number).rightJustified(2, QLatin1Char('0')),
                 16 * s, true);
  DrawFittedText(painter, QRect(4 * s, 90 * s, w - 8 * s, 20 * s),
                 Japanese(kMessages[(number - 1) % 3]), 11 * s, false);
  DrawFrame(painter, w, h, s);
  painter.end();
  return ToGrey(image);
}

QImage DrawBlockTitle(const Catalog& catalog, const Block& block, int scale) {
  const int w = 2 * catalog.geometry.cutW * scale;
  const int h = catalog.geometry.cutH * scale;
  QImage image = WhiteImage(w, h);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QRect inner(8 * scale, 8 * scale, w - 16 * scale, h - 16 * scale);
  painter.setPen(QPen(Qt::black, 3 * scale));
  painter.drawRect(inner);
  painter.setPen(Qt::black);
  DrawFittedText(painter, QRect(inner.left(), inner.top() + 4 * scale, inner.width(), 24 * scale),
                 ToQString(catalog.AreaById(block.areaId).name), 16 * scale, false);
  DrawFittedText(painter, inner, ToQString(block.name), h / 2, true);
  DrawFittedText(painter,
                 QRect(inner.left(), inner.bottom() - 28 * scale, inner.width(), 24 * scale),
                 Japanese("ブロック"), 14 * scale, false);
  painter.end();
  return ToGrey(image);
}

QImage DrawCover(const Catalog& catalog, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(32, 56, 112));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const int unit = width / 24;
  painter.setPen(Qt::NoPen);
  static const QColor kBands[] = {QColor(240, 180, 60), QColor(230, 90, 90), QColor(90, 190, 150)};
  for (int i = 0; i < 3; ++i) {
    painter.setBrush(kBands[i]);
    painter.drawEllipse(QPoint(width * (i + 1) / 4, height * 2 / 3), unit * (5 - i),
                        unit * (5 - i));
  }
  painter.setPen(Qt::white);
  DrawFittedText(painter, QRect(unit, height / 8, width - 2 * unit, unit * 3),
                 ToQString(catalog.eventName), unit * 3, true);
  DrawFittedText(painter, QRect(unit, height / 8 + unit * 4, width - 2 * unit, unit * 2),
                 Japanese("サークルカタログ"), unit * 2, false);
  const EventDay& first = catalog.days.front();
  const EventDay& last = catalog.days.back();
  const QString dates = QStringLiteral("%1/%2/%3 - %4/%5/%6")
                            .arg(first.year)
                            .arg(first.month)
                            .arg(first.day)
                            .arg(last.year)
                            .arg(last.month)
                            .arg(last.day);
  DrawFittedText(painter, QRect(unit, height - unit * 4, width - 2 * unit, unit * 2), dates,
                 unit * 3 / 2, false);
  painter.end();
  return image;
}

}  // namespace vx::sampledisc
