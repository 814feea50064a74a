#include "tools/sample-disc/MapPainter.h"

#include <QPainter>
#include <algorithm>

#include "tools/sample-disc/PaintKit.h"

namespace vx::sampledisc {
namespace {

QString Japanese(const char* utf8) { return QString::fromUtf8(utf8); }

QRect Scaled(const Rect& r, int s) { return QRect(r.x * s, r.y * s, r.w * s, r.h * s); }

QRect DeskRect(const Catalog& catalog, const Desk& desk, int s) {
  return QRect(desk.x * s, desk.y * s, catalog.geometry.deskW * s, catalog.geometry.deskH * s);
}

void DrawTitle(QPainter& painter, const Catalog& catalog, const HallMap& map, int day, int s) {
  static const char* const kDays[] = {"", "日", "月", "火", "水", "木", "金", "土"};
  const EventDay& d = catalog.DayById(day);
  const QString title = ToQString(map.name) + Japanese(" ホール配置図  ") +
                        QString::number(d.month) + Japanese("月") + QString::number(d.day) +
                        Japanese("日（") + Japanese(kDays[d.weekday]) + Japanese("）");
  painter.setPen(Qt::black);
  DrawFittedText(painter, QRect(20 * s, 6 * s, map.width * s - 40 * s, 28 * s), title, 20 * s, true,
                 Qt::AlignLeft | Qt::AlignVCenter);
}

void DrawDesk(QPainter& painter, const Catalog& catalog, const Desk& desk, int s) {
  const QRect rect = DeskRect(catalog, desk, s);
  painter.setPen(QPen(Qt::black, s));
  painter.setBrush(Qt::white);
  painter.drawRect(rect);
  painter.setPen(QPen(QColor(150, 150, 150), s));
  const QRect b = HalfRect(desk.layout, 1, rect.width(), rect.height()).translated(rect.topLeft());
  if (desk.layout == kHalfALeft || desk.layout == kHalfARight) {
    const int x = desk.layout == kHalfALeft ? b.left() : b.right() + 1;
    painter.drawLine(x, rect.top(), x, rect.bottom());
  } else {
    const int y = desk.layout == kHalfATop ? b.top() : b.bottom() + 1;
    painter.drawLine(rect.left(), y, rect.right(), y);
  }
  painter.setPen(Qt::black);
  painter.setFont(CatalogFont(8 * s));
  painter.drawText(rect, Qt::AlignCenter, QString::number(desk.spaceNo));
}

// The block's name under its island, or above a wall block's row.
void DrawBlockLabel(QPainter& painter, const Catalog& catalog, const Block& block, int s) {
  const int w = catalog.geometry.deskW;
  const int h = catalog.geometry.deskH;
  QRect bounds;
  for (int space = 1; space <= block.spaceCount; ++space) {
    if (const Desk* desk = catalog.FindDesk(block.id, space))
      bounds |= QRect(desk->x, desk->y, w, h);
  }
  if (bounds.isEmpty()) return;
  const bool island = bounds.height() > h;
  const int y = island ? bounds.bottom() + 3 : bounds.top() - 16;
  painter.setPen(QColor(20, 60, 160));
  DrawFittedText(painter, QRect(bounds.left() * s, y * s, 2 * w * s, 14 * s), ToQString(block.name),
                 13 * s, true);
}

void DrawArea(QPainter& painter, const HallArea& area, int s) {
  const QRect range = Scaled(area.print, s);
  painter.setPen(QPen(QColor(120, 120, 120), s, Qt::DashLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(range);
  painter.setPen(QColor(20, 60, 160));
  DrawFittedText(painter, QRect(range.left(), range.top() - 22 * s, range.width(), 20 * s),
                 ToQString(area.name), 16 * s, true, Qt::AlignLeft | Qt::AlignVCenter);
}

// Where each map sits on the outline pictures: maps stacked top to bottom, scaled to fit.
struct OutlineFrame {
  double factor = 1;
  int width = 0;
  int height = 0;
  std::vector<QPoint> mapOrigins;
};

OutlineFrame MakeOutlineFrame(const Catalog& catalog) {
  constexpr int kWidth = 320;
  constexpr int kMargin = 10;
  OutlineFrame frame;
  int widest = 1;
  for (const HallMap& map : catalog.maps) widest = std::max(widest, map.width);
  frame.factor = double(kWidth - 2 * kMargin) / widest;
  int y = kMargin;
  for (const HallMap& map : catalog.maps) {
    frame.mapOrigins.emplace_back(kMargin, y);
    y += static_cast<int>(map.height * frame.factor) + kMargin;
  }
  frame.width = kWidth;
  frame.height = y;
  return frame;
}

QRect OutlineRect(const OutlineFrame& frame, int mapId, const Rect& r, int s) {
  const QPoint origin = frame.mapOrigins[mapId - 1];
  return QRect(static_cast<int>((origin.x() + r.x * frame.factor) * s),
               static_cast<int>((origin.y() + r.y * frame.factor) * s),
               static_cast<int>(r.w * frame.factor * s), static_cast<int>(r.h * frame.factor * s));
}

bool AreaInPart(const Catalog& catalog, const HallArea& area, const std::string& stem) {
  return area.allStem == stem || catalog.MapById(area.mapId).allStem == stem;
}

}  // namespace

QRect HalfRect(int layout, int half, int w, int h) {
  const QRect left(0, 0, w / 2, h), right(w / 2, 0, w - w / 2, h);
  const QRect top(0, 0, w, h / 2), bottom(0, h / 2, w, h - h / 2);
  switch (layout) {
    case kHalfALeft:
      return half == 0 ? left : right;
    case kHalfABottom:
      return half == 0 ? bottom : top;
    case kHalfARight:
      return half == 0 ? right : left;
    case kHalfATop:
      return half == 0 ? top : bottom;
    default:
      return {};
  }
}

std::vector<int> DayOccupancy(const Catalog& catalog, int day) {
  std::vector<int> occupancy(catalog.desks.size() * 2, 0);
  for (const Circle& circle : catalog.circles) {
    if (circle.day != day) continue;
    const Desk* desk = catalog.FindDesk(circle.blockId, circle.spaceNo);
    if (!desk) continue;
    occupancy[(desk - catalog.desks.data()) * 2 + circle.spaceNoSub] = circle.genreId;
  }
  return occupancy;
}

QImage DrawHallMap(const Catalog& catalog, const HallMap& map, int day, int scale) {
  QImage image = WhiteImage(map.width * scale, map.height * scale);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawTitle(painter, catalog, map, day, scale);
  painter.setPen(QPen(QColor(60, 60, 60), 2 * scale));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(Scaled(map.print, scale));
  for (const HallArea& area : catalog.areas) {
    if (area.mapId == map.id) DrawArea(painter, area, scale);
  }
  for (const Desk& desk : catalog.desks) {
    if (desk.mapId == map.id) DrawDesk(painter, catalog, desk, scale);
  }
  for (const Block& block : catalog.blocks) {
    if (catalog.AreaById(block.areaId).mapId == map.id)
      DrawBlockLabel(painter, catalog, block, scale);
  }
  painter.end();
  return image;
}

QImage DrawGenreMap(const Catalog& catalog, const HallMap& map, const std::vector<int>& occupancy,
                    int scale) {
  QImage image(map.width * scale, map.height * scale, QImage::Format_ARGB32);
  image.fill(QColor(255, 255, 255, 0));
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  for (std::size_t i = 0; i < catalog.desks.size(); ++i) {
    const Desk& desk = catalog.desks[i];
    if (desk.mapId != map.id) continue;
    const QRect rect = DeskRect(catalog, desk, scale);
    for (int half = 0; half < 2; ++half) {
      const int genreId = occupancy[i * 2 + half];
      if (genreId == 0) continue;
      const QRect part = HalfRect(desk.layout, half, rect.width(), rect.height());
      painter.fillRect(part.translated(rect.topLeft()),
                       QColor::fromRgb(catalog.GenreById(genreId).rgb));
    }
  }
  painter.end();
  return image;
}

std::vector<std::string> OutlineStems(const Catalog& catalog) {
  std::vector<std::string> stems = {"BS"};
  for (const HallMap& map : catalog.maps) stems.push_back(map.allStem);
  for (const HallArea& area : catalog.areas) stems.push_back(area.allStem);
  return stems;
}

QImage DrawOutline(const Catalog& catalog, const std::string& stem, int scale) {
  const OutlineFrame frame = MakeOutlineFrame(catalog);
  QImage image = WhiteImage(frame.width * scale, frame.height * scale);
  QPainter painter(&image);
  const bool whole = stem == "BS";
  if (whole) {
    painter.setPen(QPen(QColor(110, 110, 110), scale));
    for (const HallMap& map : catalog.maps) {
      painter.drawRect(OutlineRect(frame, map.id, map.print, scale));
    }
  }
  for (const HallArea& area : catalog.areas) {
    const QRect rect = OutlineRect(frame, area.mapId, area.print, scale);
    if (whole) {
      painter.setPen(QPen(Qt::black, scale));
      painter.setBrush(Qt::white);
      painter.drawRect(rect);
    } else if (AreaInPart(catalog, area, stem)) {
      painter.fillRect(rect, Qt::black);
    }
  }
  painter.end();
  return image;
}

}  // namespace vx::sampledisc
